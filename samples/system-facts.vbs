' Facts about the machine, the system and the server process.
Dim s, v, m, t
Set s = CreateObject("Kelpa.System")
Set v = CreateObject("Kelpa.OsVersion")
Set m = CreateObject("Kelpa.Me")
Set t = CreateObject("Kelpa.DateTime")
WScript.Echo "User:        " & s.UserName
WScript.Echo "Network:     " & s.NetworkName & " (type " & s.NetworkType & ")"
WScript.Echo "Code page:   " & s.CurrentCodePage
WScript.Echo "Windows:     " & v.Major & "." & v.Minor & " build " & v.Build & " (number " & v.Number & ")"
WScript.Echo "Time zone:   " & t.TimeZoneName & ", bias " & t.TimeBias & " min"
WScript.Echo "UTC now:     " & t.SysNow
WScript.Echo "Server:      " & m.About & ", version " & m.Version
WScript.Echo "             process " & m.ProcessID & " in " & m.Path
