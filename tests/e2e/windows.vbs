' Window, Window2 and ProgressWindow through the script host: defaults,
' ranges, cuts, members before Create and after Remove, bad input. What the
' windows show is read back by window_client.
Dim w, w2, p, r, n, big
big = String(100000, "x")

Set w = CreateObject("Kelpa.Window")
CheckEq "Window: default title", w.Title, "KELPA Window"
CheckEq "Window: default size", w.WriteSize, 10
CheckEq "Window: no handle before Create", w.handle, 0
w.WriteLine "lost"
w.Cls
w.Flash 3
w.Remove
CheckEq "Window: members before Create do nothing", w.handle, 0
w.WriteSize = 2
CheckEq "Window: WriteSize 2 stores 6", w.WriteSize, 6
w.WriteSize = 72
CheckEq "Window: WriteSize 72 stores 36", w.WriteSize, 36
w.WriteSize = 12
w.Title = big
CheckEq "Window: a 100,000-character title keeps 256", Len(w.Title), 256
w.Title = "kept"
w.Create ""
CheckEq "Window: Create with an empty text keeps the title", w.Title, "kept"
Check "Window: Create makes a window", w.handle <> 0
n = w.handle
w.Create "ignored"
CheckEq "Window: a second Create changes nothing", w.Title & (w.handle = n), "keptTrue"
CheckEq "Window: WriteSize after Create reads the control", w.WriteSize, 12
w.WriteLine big
w.WriteFont = "NoSuchFaceAnywhere"
CheckEq "Window: an unknown face leaves the design face", w.WriteFont, "MS Shell Dlg 2"
w.WriteFont = ""
CheckEq "Window: an empty face switches to MS Shell Dlg 2", w.WriteFont, "MS Shell Dlg 2"
w.Remove
CheckEq "Window: Remove", w.handle, 0
w.Create "new title"
CheckEq "Window: Create with a text makes it the title", w.Title, "new title"
Set w = Nothing

Set w2 = CreateObject("Kelpa.Window2")
CheckEq "Window2: default title", w2.Title, "KELPA Window2"
CheckEq "Window2: Scroll is off", w2.Scroll, False
w2.Create
w2.Scroll = True
CheckEq "Window2: Scroll is ignored while the window exists", w2.Scroll, False
w2.Remove
w2.Scroll = True
CheckEq "Window2: Scroll is taken without a window", w2.Scroll, True
w2.Create
For n = 1 To 50
    w2.WriteLine big
Next
Check "Window2: 50 lines of 100,000 characters", w2.handle <> 0
Set w2 = Nothing

Set p = CreateObject("Kelpa.ProgressWindow")
CheckEq "ProgressWindow: default title", p.Title, "KELPA ProgressWindow"
CheckEq "ProgressWindow: default main text colour", p.MainTextColor, &H993300
CheckEq "ProgressWindow: default ButtonText", p.ButtonText, "Stop"
CheckEq "ProgressWindow: default notifier", p.BtnNotifier, 1
p.ProgressAdd 5
p.ProgressStep
CheckEq "ProgressWindow: ProgressAdd and ProgressStep before Create do nothing", p.Progress, 0
r = p.SetProgressRange(10, 5)
CheckEq "SetProgressRange(10, 5) is refused", r, False
r = p.SetProgressRange(-1, 5)
CheckEq "SetProgressRange(-1, 5) is refused", r, False
r = p.SetProgressRange(0, 0)
CheckEq "SetProgressRange(0, 0) is accepted", r, True
p.ProgressMarqueeTime = 0
CheckEq "ProgressMarqueeTime 0 stores 30", p.ProgressMarqueeTime, 30
p.ProgressMarqueeTime = 1001
CheckEq "ProgressMarqueeTime 1001 is ignored", p.ProgressMarqueeTime, 30
p.MainTextColor = &HFF000000
CheckEq "MainTextColor &HFF000000 stores the default", p.MainTextColor, &H993300
p.MainTextColor = &H12345678
CheckEq "MainTextColor &H12345678 stores &H345678", p.MainTextColor, &H345678
p.MainTextColor = &H80000008
CheckEq "MainTextColor &H80000008 stays", p.MainTextColor, &H80000008
p.Button = 3 : p.BtnNotifier = 3 : p.BtnPressed = -1 : p.ProgressState = 4 : p.ErrorLevel = 2
CheckEq "out-of-range Button, BtnNotifier, BtnPressed, ProgressState, ErrorLevel are ignored", _
    p.Button & p.BtnNotifier & p.BtnPressed & p.ProgressState & p.ErrorLevel, "01011"
p.MainText = big : p.SubText = big
CheckEq "100,000-character texts keep 1024", Len(p.MainText) + Len(p.SubText), 2048
CheckEq "Text is MainText", p.Text, p.MainText
p.ProgressStyle = -1
CheckEq "ProgressStyle keeps bits 1, 8 and 16", p.ProgressStyle, 25
p.ProgressStyle = 0
r = p.SetProgressRange(0, 100)
p.Create "", 200, 0
p.Progress = 500
CheckEq "Progress beyond the range shows the maximum", p.Progress, 100
p.ProgressStyle = 8 : p.Progress = 40
CheckEq "a marquee bar keeps the position it is given", p.Progress, 40
p.ProgressStyle = 0
CheckEq "leaving the marquee style shows that position", p.Progress, 40
p.TBProValue = -5
CheckEq "a negative TBProValue is ignored", p.TBProValue, 0
p.TBProState = 3
CheckEq "TBProState 3 is ignored", p.TBProState, 2
p.TBProgress = 2
If p.TBProgress = 2 Then
    p.Progress = 32000
    CheckEq "the mirror takes the position as the taskbar value", p.TBProValue, 32000
    p.ProgressAdd 767
    n = 0
    On Error Resume Next
    p.ProgressAdd 1
    n = Err.Number
    On Error GoTo 0
    CheckEq "ProgressAdd overflowing the 16-bit taskbar value raises overflow", n, 6
    CheckEq "the overflowing call changed nothing", p.TBProValue, 32767
    p.TBProValue = 7
    CheckEq "TBProValue is ignored while the taskbar mirrors the bar", p.TBProValue, 32767
Else
    WScript.Echo "  (no taskbar object here: the mirror cases are skipped)"
End If
On Error Resume Next
p.TB_SetProgressValue 0, 1, 2
n = Err.Number
On Error GoTo 0
WScript.Echo "  TB_SetProgressValue(0, ...) gave " & Hex(n)
p.Remove
p.Remove
p.Progress = 3
CheckEq "after Remove (twice) Progress is only stored", p.Progress, 3
Set p = Nothing
Done
