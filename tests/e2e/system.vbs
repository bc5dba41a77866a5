' System, OsVersion and Noise through a script client: Wine's answers, the
' failure values of the volume queries, and sound members that all return.
Dim s, o, n, missing, letter, fso
Set fso = CreateObject("Scripting.FileSystemObject")
Set s = CreateObject("Kelpa.System")
CheckEq "UserName", s.UserName, EnvVar("USERNAME")
CheckEq "ComputerName defaults to NetBIOS", s.ComputerName, s.ComputerName(0)
CheckEq "ComputerName NetBIOS", UCase(s.ComputerName(0)), UCase(EnvVar("COMPUTERNAME"))
Check "ComputerName fully qualified is not empty", Len(s.ComputerName(3)) > 0
CheckEq "ComputerName of an unknown format", s.ComputerName(42), ""
CheckEq "NetworkType: Wine's workgroup", s.NetworkType, 2
CheckEq "NetworkName: Wine's workgroup", s.NetworkName, "Workgroup"
Check "ProcessorArchitecture x86 or x64", s.ProcessorArchitecture = 0 Or s.ProcessorArchitecture = 9
Check "ProcessorInfo 586 or 8664", s.ProcessorInfo = 586 Or s.ProcessorInfo = 8664
CheckEq "GetMetrics(0): the screen width of the display", s.GetMetrics(0), 1280
CheckEq "GetMetrics of an unknown index", s.GetMetrics(99999), 0
CheckEq "CurrentCodePage", s.CurrentCodePage, 1252
CheckEq "VolumeGetSN with and without backslash", s.VolumeGetSN("C:"), s.VolumeGetSN("C:\")
CheckEq "VolumeGetName with and without backslash", s.VolumeGetName("C:"), s.VolumeGetName("C:\")
CheckEq "VolumeGetFileSys of C:", s.VolumeGetFileSys("C:"), "NTFS"
Check "VolumeGetGUID of C:", Left(s.VolumeGetGUID("C:"), 11) = "\\?\Volume{"
Check "VolumeGetGUID of the current volume", Left(s.VolumeGetGUID(""), 11) = "\\?\Volume{"
Check "VolumeGetFileSys of the current volume", Len(s.VolumeGetFileSys("")) > 0
missing = ""
For letter = Asc("Y") To Asc("D") Step -1
    If missing = "" And Not fso.DriveExists(Chr(letter) & ":") Then missing = Chr(letter) & ":"
Next
CheckEq "VolumeGetSN of a missing drive", s.VolumeGetSN(missing), 0
CheckEq "VolumeGetName of a missing drive", s.VolumeGetName(missing), ""
CheckEq "VolumeGetFileSys of a missing drive", s.VolumeGetFileSys(missing), ""
CheckEq "VolumeGetGUID of a missing drive", s.VolumeGetGUID(missing), ""
' Wine 8 has no GetFirmwareType; its firmware variables say "invalid function".
CheckEq "BiosMode without GetFirmwareType", s.BiosMode, 0
CheckEq "BiosMode through the firmware variables", s.BiosMode(1), 1

Set o = CreateObject("Kelpa.OsVersion")
CheckEq "Number is Major * 100 + Minor", o.Number, o.Major * 100 + o.Minor
CheckEq "Number is an Integer", VarType(o.Number), vbInteger
CheckEq "Build is a Long", VarType(o.Build), vbLong
Check "Build is set", o.Build > 0
CheckEq "Product: a workstation", o.Product, 1
Check "Bitness 0 or 1", o.Bitness = 0 Or o.Bitness = 1
CheckEq "Bitness agrees with the processor", o.Bitness = 1, s.ProcessorArchitecture = 9
Check "Product2 is an edition code", o.Product2 >= 0

Set n = CreateObject("Kelpa.Noise")
n.Ring
n.Ring 20, 5
n.Ring 40000, 20000
n.MsgBeep
n.MsgBeep 17
n.MsgBeep -1
n.Play "", 0, 0
n.Play "SystemAsterisk", 0, &H10000
n.Play "x", 12345, &H40004
n.Play String(300, "a")
n.PlayFile gTemp & "\missing.wav"
n.PlayEvent "SystemExclamation", 1
Check "every Noise member returned", True
Done
