' Saves a new version of a file safely with Kelpa.File: the new text goes to a
' side file, Replace swaps it in and keeps a backup, file times tell which is newer.
' Interactive: no
Option Explicit
Dim fso, f, dir, target, fresh, backup
Set fso = CreateObject("Scripting.FileSystemObject")
Set f = CreateObject("Kelpa.File")
dir = fso.GetSpecialFolder(2).Path
target = fso.BuildPath(dir, "kelpa-sample-report.txt")
fresh = fso.BuildPath(dir, "kelpa-sample-report.new")
backup = fso.BuildPath(dir, "kelpa-sample-report.bak")

f.Create target, True
fso.OpenTextFile(target, 8).WriteLine "yesterday's figures"
f.TimeSet target, DateAdd("d", -1, Now), 2   ' last written a day ago (UTC)

fso.CreateTextFile(fresh, True).WriteLine "today's figures"   ' write the new version aside
If f.Replace(target, fresh, backup) Then
    WScript.Echo "Replaced; the side file is gone: " & (Not f.Exists(fresh))
    WScript.Echo "Report now holds: " & fso.OpenTextFile(target).ReadLine
    WScript.Echo "Backup holds:     " & fso.OpenTextFile(backup).ReadLine
Else
    WScript.Echo "Replace failed: the report was left as it was"
End If

Select Case f.TimeCompare(backup, target)   ' last write times
    Case 1:  WScript.Echo "The backup is older than the report, as it should be"
    Case 0:  WScript.Echo "The backup and the report were written at the same time"
    Case 2:  WScript.Echo "The backup is newer than the report!"
    Case Else: WScript.Echo "Could not compare the file times"
End Select
WScript.Echo "Report written " & f.TimeGet(target) & " UTC, backup " & f.TimeGet(backup) & " UTC"

fso.DeleteFile target: fso.DeleteFile backup
WScript.Echo "Cleaned up: " & (Not f.Exists(fso.BuildPath(dir, "kelpa-sample-report.*")))
