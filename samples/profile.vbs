' Kelpa.Profile: write an INI file, read it back, and see a failure report.
Dim fso, shell, folder, path, f, p
Set fso = CreateObject("Scripting.FileSystemObject")
Set shell = CreateObject("WScript.Shell")
folder = shell.ExpandEnvironmentStrings("%TEMP%")
folder = Left(folder, InStr(folder & Chr(0), Chr(0)) - 1)
path = folder & "\kelpa-demo.ini"
Set f = fso.CreateTextFile(path, True)
f.Close

Set p = CreateObject("Kelpa.Profile")
p.File = path
p.SetValue "Window", "Width", "640"
p.SetValue "Window", "Height", "480"
p.SetSection "Recent", "file1=C:\report.txt" & vbCrLf & "file2=C:\notes.txt"
WScript.Echo "Profile:  " & p.File
WScript.Echo "Sections: " & Replace(p.GetSectionNames(), vbCrLf, " ")
WScript.Echo "Width:    " & p.GetValue("Window", "Width")
WScript.Echo "[Recent]: " & Replace(p.GetSection("Recent"), vbCrLf, "; ")

On Error Resume Next
p.File = folder & "\no-such-file.ini"
WScript.Echo "Error:    " & Hex(Err.Number) & " from " & Err.Source & ": " & Err.Description
Err.Clear
On Error GoTo 0
WScript.Echo "File is still " & p.File
