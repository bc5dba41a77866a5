' Keeps a script's settings in an INI file with Kelpa.Profile: first-run defaults,
' a run counter, a list section, and the error a missing file gives.
' Interactive: no
Option Explicit
Dim fso, path, p, runs
Set fso = CreateObject("Scripting.FileSystemObject")
path = fso.BuildPath(fso.GetSpecialFolder(2).Path, "kelpa-sample-settings.ini")
fso.CreateTextFile(path, True).Close   ' Profile works on a file that exists

Set p = CreateObject("Kelpa.Profile")
p.File = path
If p.GetValue("Job", "Runs") = "" Then   ' first run: write the defaults
    p.SetValue "Job", "Source", "C:\Data"
    p.SetValue "Job", "Target", "D:\Backup"
    p.SetSection "Exclude", "1=*.tmp" & vbCrLf & "2=~*.*"
End If
runs = p.GetValue("Job", "Runs")
If runs = "" Then runs = 0
p.SetValue "Job", "Runs", CStr(CLng(runs) + 1)
p.SetValue "Job", "LastRun", CStr(Now)

WScript.Echo "Settings file: " & fso.GetFileName(p.File)
WScript.Echo "Sections:      " & Replace(p.GetSectionNames(), vbCrLf, " ")
WScript.Echo "Copy " & p.GetValue("Job", "Source") & " to " & p.GetValue("Job", "Target") & _
             ", run number " & p.GetValue("Job", "Runs")
WScript.Echo "Excluded:      " & Replace(p.GetSection("Exclude"), vbCrLf, "  ")

' A settings file that has gone missing is a script error (or silence with ErrorLevel 0).
On Error Resume Next
p.File = fso.BuildPath(fso.GetParentFolderName(path), "no-such-settings.ini")
WScript.Echo "Missing file:  " & Err.Description
On Error GoTo 0
fso.DeleteFile path
WScript.Echo "Removed the settings file again."
