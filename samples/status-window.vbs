' Shows what a logon script is doing in a small window (Kelpa.Window): one line
' per step, in a larger bold font, then the window closes by itself.
' Interactive: no
Option Explicit
Dim w, stepName
Set w = CreateObject("Kelpa.Window")
w.WriteSize = 11
w.WriteBold = True                       ' the whole text: the window has one font
w.Create "Logon script"
For Each stepName In Array("Mapping drive H: to your home folder", _
                           "Connecting the printer in room 2.14", _
                           "Copying the phone list to the desktop")
    w.WriteLine stepName & " ..."
    Pause 200                            ' the real work would happen here
Next
w.WriteLine "All done. This window closes in a moment."
w.Flash 2                                ' catch the eye if it is behind other windows
WScript.Echo "The window showed the steps (handle " & w.handle & ")"
Pause 500
w.Remove
WScript.Echo "and is gone again (handle " & w.handle & ")"

Sub Pause(ms)   ' WScript.Sleep; where the host lacks it (Wine's), the clock is watched
    Dim start: start = Timer: On Error Resume Next: WScript.Sleep ms
    Do While Timer < start + ms / 1000 And Timer >= start: Loop
End Sub
