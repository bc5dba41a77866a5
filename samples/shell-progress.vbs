' Counts the files of the Windows folder under the shell's own progress dialog
' (Kelpa.ProgressDialog), which has a Cancel button and its own time estimate.
' Interactive: no (Cancel may be pressed; the dialog closes by itself either way)
Option Explicit
Dim fso, d, folders, folder, done, files, count
Set fso = CreateObject("Scripting.FileSystemObject")
Set d = CreateObject("Kelpa.ProgressDialog")
d.Title = "Counting files"
d.CancelMsg = "Stopping after this folder ..."
Set folders = fso.GetFolder(fso.GetSpecialFolder(0).Path).SubFolders
count = folders.Count
d.StartDlg 2 + 8                         ' a time estimate (on line 3), no minimize button
d.SetText "Counting the files of the Windows folder", 1
done = 0: files = 0
For Each folder In folders
    If d.Cancellation Then Exit For
    d.SetText folder.Path, 2             ' a long path is shortened to fit
    files = files + FilesIn(folder)
    done = done + 1
    d.SetProgress done, count
Next
d.StopDlg
If done < count Then WScript.Echo "Cancelled after " & done & " of " & count & " folders"
WScript.Echo files & " files directly in " & done & " folders of " & fso.GetSpecialFolder(0).Path

Function FilesIn(f)   ' folders we may not read count as empty
    On Error Resume Next
    FilesIn = 0
    FilesIn = f.Files.Count
End Function
