' Shows a running job as an icon in the notification area (Kelpa.Notice), with
' a tool tip that follows the work and a context menu the script looks at.
' Interactive: no (the menu may be used; the icon goes away by itself)
Option Explicit
Dim n, i, choice
Set n = CreateObject("Kelpa.Notice")
n.IconID = 32516                         ' the system's "information" icon
n.TipText = "Backup: starting"
n.ContextMenu = Array("Show the log", "-", "Stop the backup")
If Not n.Add() Then
    WScript.Echo "No icon in the notification area (error code " & n.ErrorCode & ")"
    WScript.Quit 1
End If
For i = 1 To 10
    n.TipText = "Backup: " & (i * 10) & "% done"
    Pause 100                            ' the real work would happen here
    choice = n.TrayClicked               ' 1 click, 2 right click, 10 + n menu entry n
    If choice = 12 Then Exit For         ' "Stop the backup" (the separator has no number)
    If choice = 11 Then WScript.Echo "(the log would open here)"
    If choice <> 0 Then n.TrayClicked = 0   ' take note of it, wait for the next
Next
If i <= 10 Then
    WScript.Echo "Stopped from the menu at " & ((i - 1) * 10) & "%"
Else
    WScript.Echo "Backup finished; the icon offered " & n.ContextMenuItems & " menu entries"
End If
n.Remove

Sub Pause(ms)   ' WScript.Sleep; where the host lacks it (Wine's), the clock is watched
    Dim start: start = Timer: On Error Resume Next: WScript.Sleep ms
    Do While Timer < start + ms / 1000 And Timer >= start: Loop
End Sub
