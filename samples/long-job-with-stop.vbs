' Runs a long job under a Kelpa.ProgressWindow with a Stop button: the bar and
' the taskbar button show the progress; a press of Stop ends the job early.
' Interactive: no (Stop may be pressed; the window closes by itself either way)
Option Explicit
Const Steps = 25
Dim p, i
Set p = CreateObject("Kelpa.ProgressWindow")
p.Title = "Rebuilding the search index"
p.MainText = "Indexing the project folders"
p.Button = 1                             ' a button row with an enabled button
p.ButtonLabel = "Enough for today?"
p.ButtonText = "Stop"
p.SetProgressRange 0, Steps
p.Create
p.TBProgress = 2                         ' the taskbar button mirrors the bar
For i = 1 To Steps
    If p.BtnPressed > 0 Then Exit For    ' counted by the window while we work
    p.SubText = "Folder " & i & " of " & Steps
    p.Progress = i
    Pause 30                             ' the real work would happen here
Next
If i <= Steps Then
    p.ProgressState = 3                  ' paused look: yellow bar
    p.SubText = "Stopped after " & (i - 1) & " folders"
    WScript.Echo "Stopped by the user after " & (i - 1) & " of " & Steps & " folders"
Else
    WScript.Echo "Indexed all " & Steps & " folders; the bar stands at " & p.Progress
End If
Pause 300
p.Remove

Sub Pause(ms)   ' WScript.Sleep; where the host lacks it (Wine's), the clock is watched
    Dim start: start = Timer: On Error Resume Next: WScript.Sleep ms
    Do While Timer < start + ms / 1000 And Timer >= start: Loop
End Sub
