' Reminds a person at the console three times, a second apart, while the script
' waits: Kelpa.Clock's one-shot timer, set again from its Buzz event.
' Interactive: no. Needs a script host that delivers events (Windows Script Host; not Wine's)
Option Explicit
Dim clock, reminders
reminders = 0
Set clock = WScript.CreateObject("Kelpa.Clock", "Clock_")   ' Clock_Buzz handles Buzz
If Not clock.SetTimer(1000) Then
    WScript.Echo "The system gave no timer"
    WScript.Quit 1
End If
Do While reminders < 3
    WScript.Sleep 100                    ' the script host delivers events while it sleeps
Loop
clock.RemoveTimer                        ' nothing runs now; shown for scripts that stop early
WScript.Echo "Reminded " & reminders & " times"

Sub Clock_Buzz()
    reminders = reminders + 1
    WScript.Echo Time & "  Reminder " & reminders & ": the meeting starts soon"
    If reminders < 3 Then clock.SetTimer 1000   ' one-shot: set it again for the next
End Sub
