' Checks before a job that the installed Kelpa is new enough, and says which
' server program answers (Kelpa.Me): useful in a support request.
' Interactive: no
Option Explicit
Const NeedVersion = "1.0"
Dim m, have
On Error Resume Next
Set m = CreateObject("Kelpa.Me")
If Err.Number <> 0 Then
    WScript.Echo "Kelpa is not registered on this machine: " & Err.Description
    WScript.Quit 1
End If
On Error GoTo 0
have = m.Version
If VersionNumber(have) < VersionNumber(NeedVersion) Then
    WScript.Echo "This job needs Kelpa " & NeedVersion & " or later; found " & have
    WScript.Quit 1
End If
WScript.Echo "Kelpa " & have & " is new enough (" & NeedVersion & " needed)"
WScript.Echo "Server:  " & m.About
WScript.Echo "Folder:  " & m.Path & " (process " & m.ProcessID & ", started by " & m.ParentProcessID & ")"
WScript.Echo "Objects of this script run on the server's thread " & m.ThreadID

Function VersionNumber(text)   ' "3.5" -> 3005, so that 3.10 is above 3.9
    Dim parts: parts = Split(text & ".0", ".")
    VersionNumber = CLng(parts(0)) * 1000 + CLng(parts(1))
End Function
