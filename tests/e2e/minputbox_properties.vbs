' MInputBox through the registered server without a person: defaults, what
' each let accepts or cuts, the per-field arrays as stored, and InputM ending
' by its time-out, by a fixed array, with both result shapes.
Dim b, v, r, t0, fixed(2), arr
Set b = CreateObject("Kelpa.MInputBox")
CheckEq "new: InputNumber 1", b.InputNumber, 1
CheckEq "new: InputStart 0", b.InputStart, 0
CheckEq "new: CheckNumStyle True", b.CheckNumStyle, True
CheckEq "new: ConvertArr True", b.ConvertArr, True
CheckEq "new: InputSelection True", b.InputSelection, True
CheckEq "new: PasswordChar *", b.PasswordChar, "*"
CheckEq "new: TextLimit 1024", b.TextLimit, 1024
CheckEq "new: LabelEditRatio 4", b.LabelEditRatio, 4
CheckEq "new: DlgCancelEsc True", b.DlgCancelEsc, True
CheckEq "new: FontModernize True", b.FontModernize, True
CheckEq "new: Topmost False", b.Topmost, False
CheckEq "new: InpLabel Empty", VarType(b.InpLabel), vbEmpty

b.InputNumber = 11 : b.InputNumber = 0
CheckEq "InputNumber 11 and 0 are ignored", b.InputNumber, 1
b.InputStart = 10
CheckEq "InputStart 10 is ignored", b.InputStart, 0
b.TextLimit = 1025 : b.TextLimit = 0
CheckEq "TextLimit outside 1-1024 is ignored", b.TextLimit, 1024
b.ShowTipControl = 3 : b.AlignInput = -1 : b.AlignLabel = 3 : b.FontEnlarge = 3
CheckEq "ranges: ShowTipControl, AlignInput, AlignLabel, FontEnlarge kept", _
    b.ShowTipControl & b.AlignInput & b.AlignLabel & b.FontEnlarge, "0000"
b.LabelEditRatio = 8 : b.DlgCancelTime = 3601
CheckEq "LabelEditRatio 8 and DlgCancelTime 3601 are ignored", b.LabelEditRatio & "/" & b.DlgCancelTime, "4/0"
b.DlgCancelTime = 3600
CheckEq "DlgCancelTime 3600 is taken", b.DlgCancelTime, 3600
b.PasswordChar = "ab"
CheckEq "PasswordChar keeps the first character", b.PasswordChar, "a"
b.PasswordChar = ""
CheckEq "PasswordChar """" is ignored", b.PasswordChar, "a"
b.MinBalloonText = String(200, "m")
CheckEq "MinBalloonText is cut to 160", Len(b.MinBalloonText), 160
b.MinBalloonText = ""
CheckEq "MinBalloonText """" cannot clear it", Len(b.MinBalloonText), 160
b.MinBalloonTitle = String(100, "t")
CheckEq "MinBalloonTitle is cut to 80", Len(b.MinBalloonTitle), 80
b.Info = String(300, "i") : b.Title = String(300, "t")
CheckEq "Info and Title are cut to 256", Len(b.Info) & "/" & Len(b.Title), "256/256"
b.ButtonText = String(40, "b")
CheckEq "ButtonText is stored whole", Len(b.ButtonText), 40
b.InputFlags = -5
CheckEq "InputFlags takes any value", b.InputFlags, -5
b.ShowCueAtFocus = True
CheckEq "ShowCueAtFocus reads True", b.ShowCueAtFocus, True

arr = Array("a", Null, 3)
b.InpLabel = arr
v = b.InpLabel
CheckEq "InpLabel reads back a copy", UBound(v) & VarType(v(1)) & v(2), "213"
b.InpTextColor = 5
CheckEq "a scalar is stored as given", b.InpTextColor, 5
On Error Resume Next
b.InpLabel = Array("a", Array(b))
CheckEq "an object inside an array is refused with a type mismatch", Err.Number, 13
Err.Clear
On Error GoTo 0
CheckEq "the refused array leaves the labels as they were", UBound(b.InpLabel), 2

' The time-out cancels: no person needed.
Set b = CreateObject("Kelpa.MInputBox")
b.InputNumber = 3
b.DlgCancelTime = 1
b.Title = "Times out"
v = "before"
t0 = Timer
r = b.InputM(v)
CheckEq "time-out: InputM returns False", r, False
Check "time-out: after about a second (" & Round(Timer - t0, 2) & " s)", Timer - t0 >= 0.9 And Timer - t0 < 5
CheckEq "time-out: a Variant array 0 to 2", VarType(v) & "/" & LBound(v) & "/" & UBound(v), "8204/0/2"
CheckEq "time-out: empty texts", v(0) & v(1) & v(2), ""
b.ConvertArr = False
r = b.InputM(v)
CheckEq "ConvertArr False: a String array", VarType(v), 8200

fixed(0) = "kept"
r = b.InputM(fixed)
CheckEq "a fixed-size array: False at once", r, False
CheckEq "and the array is left alone", fixed(0), "kept"
Done
