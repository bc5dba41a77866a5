' Clock without events (Wine's script host cannot sink them; events are
' checked by clock_client): results of SetTimer and RemoveTimer.
Dim c, r, n
Set c = CreateObject("Kelpa.Clock")
r = c.SetTimer(60000)
CheckEq "SetTimer(60000) returns True", r, True
r = c.SetTimer(0)
CheckEq "SetTimer(0) returns False", r, False
On Error Resume Next
c.RemoveTimer
n = Err.Number
On Error GoTo 0
CheckEq "RemoveTimer without a timer raises nothing", n, 0
r = c.SetTimer(-1)
CheckEq "SetTimer(-1) runs (the system caps the time)", r, True
c.RemoveTimer
r = c.SetTimer(0)
CheckEq "after RemoveTimer, SetTimer(0) still returns False", r, False
Set c = Nothing
Set c = CreateObject("Kelpa.Clock")
r = c.SetTimer(50)
Set c = Nothing
Set c = CreateObject("Kelpa.Clock")
r = c.SetTimer(10)
CheckEq "the server serves a new Clock after one was released running", r, True
Done
