' Asks before deleting old temporary files, with Kelpa.MessageBox: Yes/No with
' No as the default, a warning icon, and a box that stays above other windows.
' Interactive: yes (waits for Yes or No)
Option Explicit
Dim fso, mb, folder, file, old, bytes, answer
Set fso = CreateObject("Scripting.FileSystemObject")
Set folder = fso.GetFolder(fso.GetSpecialFolder(2).Path)
Set old = CreateObject("Scripting.Dictionary")
For Each file In folder.Files
    If file.DateLastModified < Now - 30 Then old.Add file.Path, file.Size: bytes = bytes + file.Size
Next
If old.Count = 0 Then WScript.Echo "No temporary files older than 30 days.": WScript.Quit

Set mb = CreateObject("Kelpa.MessageBox")
mb.Title = "Clean up"
mb.Buttons = 4                           ' Yes and No
mb.DefButton = 2                         ' No is the default: Enter deletes nothing
mb.Icon = 48                             ' warning
mb.Precedence = True                     ' above every other window
answer = mb.Show(old.Count & " temporary files are older than 30 days (" & _
                 FormatNumber(bytes / 1024, 0) & " KB)." & vbCrLf & vbCrLf & "Delete them now?")
If answer = 6 Then                       ' 6 Yes, 7 No
    On Error Resume Next                 ' a file in use stays
    For Each file In old.Keys: fso.DeleteFile file, True: Next
    WScript.Echo "Deleted what could be deleted."
Else
    WScript.Echo "Nothing deleted."
End If
