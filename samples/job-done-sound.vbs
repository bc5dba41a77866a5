' Tells by sound how a long job ended, with Kelpa.Noise: the system's message
' sounds, tones from the speaker, a system sound event by name.
' Interactive: no
Option Explicit
Dim n
Set n = CreateObject("Kelpa.Noise")
Announce 0        ' the job's count of failures

Sub Announce(failures)
    If failures = 0 Then
        n.MsgBeep 64                        ' the "information" sound
        n.PlayEvent "SystemAsterisk", 1     ' the same by event name, without waiting (SND_ASYNC)
        WScript.Echo "Job done: played the information sound"
    Else
        n.MsgBeep 16                        ' the "error" sound
        n.Ring 880, 150: n.Ring 660, 150: n.Ring 440, 300   ' three falling tones
        WScript.Echo "Job failed " & failures & " times: played the error sound and falling tones"
    End If
    n.Ring 1500, 100                        ' one short high tone: "look at the screen"
    n.PlayFile "C:\no\such\chime.wav"       ' a missing wave file plays nothing, raises nothing
End Sub
