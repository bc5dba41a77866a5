' Reports the size of each folder in the Windows folder in readable form with
' Kelpa.Aux: byte sizes ("1.50 MB"), a time span, paths shortened or quoted.
' Interactive: no
Option Explicit
Dim fso, a, root, folder, started, total, size, shown
Set fso = CreateObject("Scripting.FileSystemObject")
Set a = CreateObject("Kelpa.Aux")
Set root = fso.GetFolder(fso.GetSpecialFolder(0).Path)   ' the Windows folder
started = Timer
total = 0: shown = 0
For Each folder In root.SubFolders
    size = FolderBytes(folder)
    total = total + size
    If shown < 8 Then
        WScript.Echo Right(Space(12) & a.FormatByteSize(CCur(size)), 12) & "  " & a.PathCompact(folder.Path, 40)
        shown = shown + 1
    End If
Next
WScript.Echo Right(Space(12) & a.FormatByteSize(CCur(total)), 12) & "  in all, counted in " & _
             a.FormatTimeInterval(CLng((Timer - started) * 1000), 3)
WScript.Echo "A path as one argument: " & a.PathQuote("C:\Program Files\Kelpa\kelpa.exe")
WScript.Echo "As a URL part: " & a.UrlEscape("reports/size 2026.txt")
WScript.Echo "Trimmed: [" & a.StrTrim("--- total ---", "- ") & "]"

Function FolderBytes(folder)   ' all files below the folder; what we may not read counts as 0
    Dim total, file, child
    total = 0
    On Error Resume Next
    For Each file In folder.Files: total = total + file.Size: Next
    For Each child In folder.SubFolders: total = total + FolderBytes(child): Next
    FolderBytes = total
End Function
