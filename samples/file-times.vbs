' Lets the user pick a file with Kelpa.FileSelection (the common Open dialog) and
' shows its size and times in local time (Kelpa.File reads them in UTC).
' Interactive: yes (waits for a file)
Option Explicit
Dim fs, f, t, fso, path
Set fs = CreateObject("Kelpa.FileSelection")
fs.DlgTitle = "Which file's times?"
fs.Directory = CreateObject("Scripting.FileSystemObject").GetSpecialFolder(0).Path
fs.SetFilter Array("Text and logs", "*.txt;*.log;*.ini", "All files", "*.*")   ' name, pattern, ...
If fs.Dialog(0) = 0 Then WScript.Echo "No file chosen.": WScript.Quit   ' 0 open one file

Set fso = CreateObject("Scripting.FileSystemObject")
Set f = CreateObject("Kelpa.File")
Set t = CreateObject("Kelpa.DateTime")
path = fs.Directory & fs.FileName        ' Directory ends with a backslash
WScript.Echo path & ", " & FormatNumber(fso.GetFile(path).Size, 0) & " bytes"
WScript.Echo "  Created: " & t.ConvertTime(f.TimeGet(path, 1), True)
WScript.Echo "  Written: " & t.ConvertTime(f.TimeGet(path, 2), True)
WScript.Echo "  Read:    " & t.ConvertTime(f.TimeGet(path, 4), True)
