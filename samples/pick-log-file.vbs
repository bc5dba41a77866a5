' Lets the user pick one of the system's log files and shows its last lines, with
' Kelpa.List: the first entry preselected, an information line above the list.
' Interactive: yes (waits for a choice)
Option Explicit
Dim fso, folder, file, items, lst, choice, lines, text, i
Set fso = CreateObject("Scripting.FileSystemObject")
Set folder = fso.GetFolder(fso.GetSpecialFolder(0).Path)   ' the Windows folder keeps setup logs
For Each file In folder.Files
    If LCase(fso.GetExtensionName(file.Name)) = "log" Then items = items & file.Name & vbCrLf
Next
If items = "" Then WScript.Echo "No log files in " & folder.Path: WScript.Quit

Set lst = CreateObject("Kelpa.List")
lst.Info = "Log files in " & folder.Path & ". Which one shall I show?"
lst.ButtonText = "Show"
choice = lst.Selection(items, 0, "Show a log file")   ' item 0 selected at the start
If choice = "" Then
    WScript.Echo "Nothing chosen."
Else
    Set file = fso.GetFile(fso.BuildPath(folder.Path, choice))
    text = ""
    If file.Size > 0 Then text = file.OpenAsTextStream(1).ReadAll
    lines = Split(Replace(text, vbCrLf, vbLf), vbLf)
    WScript.Echo "The end of " & choice & ":"
    For i = UBound(lines) - 4 To UBound(lines)
        If i >= 0 Then WScript.Echo "  " & lines(i)
    Next
End If
