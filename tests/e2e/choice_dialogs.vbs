' The choice dialogs' settings through the registered server: defaults, what
' each let keeps, and the inputs that return at once without a window (a
' window would stop this script: nobody answers it here).
Dim l, c, d, p, r, n, src, a, i, s, twoD(1, 1), v

Set l = CreateObject("Kelpa.List")
CheckEq "List: MultiSel False", l.MultiSel, False
CheckEq "List: ButtonText empty", l.ButtonText, ""
CheckEq "List: DlgCancelEsc False", l.DlgCancelEsc, False
CheckEq "List: FontEnlarge 0", l.FontEnlarge, 0
CheckEq "List: FontModernize True", l.FontModernize, True
CheckEq "List: Info empty", l.Info, ""
CheckEq "List: Topmost True", l.Topmost, True
l.FontEnlarge = 2
l.FontEnlarge = 3
CheckEq "List: FontEnlarge 3 is ignored", l.FontEnlarge, 2
l.FontEnlarge = -1
CheckEq "List: FontEnlarge -1 is ignored", l.FontEnlarge, 2
l.Info = String(300, "i")
CheckEq "List: Info keeps 256 characters", Len(l.Info), 256
l.ButtonText = String(40, "b")
CheckEq "List: ButtonText is stored whole", Len(l.ButtonText), 40
l.MultiSel = True
CheckEq "List: MultiSel True", l.MultiSel, True
r = l.Selection("")
CheckEq "List: empty items return at once", r, ""

Set c = CreateObject("Kelpa.CheckList")
CheckEq "CheckList: FontModernize True", c.FontModernize, True
CheckEq "CheckList: Topmost True", c.Topmost, True
c.Info = String(300, "i")
CheckEq "CheckList: Info keeps 256 characters", Len(c.Info), 256
c.FontEnlarge = 7
CheckEq "CheckList: FontEnlarge 7 is ignored", c.FontEnlarge, 0
r = c.Selection("")
CheckEq "CheckList: empty items give 0", r, 0
s = "0"
For i = 1 To 30 : s = s & vbCrLf & i : Next
r = c.Selection(s)
CheckEq "CheckList: 31 pieces give 0 at once", r, 0
s = "0"
For i = 1 To 29 : s = s & vbCrLf & i : Next
r = c.Selection(s & vbCrLf)
CheckEq "CheckList: a final break after 30 items gives 0 at once", r, 0
ReDim a(30)
For i = 0 To 30 : a(i) = "row " & i : Next
r = c.SelectionA(a)
CheckEq "SelectionA: 31 elements give 0", r, 0
r = c.SelectionA(twoD)
CheckEq "SelectionA: two dimensions give 0", r, 0
r = c.SelectionA("not an array")
CheckEq "SelectionA: no array gives 0", r, 0
r = c.SelectionA(Array("a", "b"), "no array")
CheckEq "SelectionA: indices not an array give 0", r, 0
ReDim a(30)
r = c.SelectionA(Array("a", "b"), a)
CheckEq "SelectionA: 31 indices give 0", r, 0
r = c.SelectionA(Array())
CheckEq "SelectionA: an empty array gives 0", r, 0
On Error Resume Next
r = c.SelectionA(Array("a", Array("inner")))
n = Err.Number : src = Err.Source
On Error GoTo 0
CheckEq "SelectionA: an array element is a type mismatch", n, 13
CheckEq "SelectionA: source", src, "Kelpa.CheckList"

Set d = CreateObject("Kelpa.DriveList")
CheckEq "DriveList: Crop False", d.Crop, False
CheckEq "DriveList: Topmost True", d.Topmost, True
CheckEq "DriveList: FontModernize True", d.FontModernize, True
d.FontEnlarge = 1
d.FontEnlarge = 5
CheckEq "DriveList: FontEnlarge 5 keeps 1", d.FontEnlarge, 1
d.Info = String(200, "i")
CheckEq "DriveList: Info keeps 128 characters", Len(d.Info), 128
d.Crop = True
CheckEq "DriveList: Crop True", d.Crop, True

Set p = CreateObject("Kelpa.DTPick")
CheckEq "DTPick: ControlMode 2", p.ControlMode, 2
CheckEq "DTPick: Title empty", p.Title, ""
CheckEq "DTPick: Topmost True", p.Topmost, True
p.ControlMode = 1
p.ControlMode = 3
CheckEq "DTPick: ControlMode 3 keeps 1", p.ControlMode, 1
p.Info = String(200, "i")
CheckEq "DTPick: Info keeps 128 characters", Len(p.Info), 128
p.Title = String(300, "t")
CheckEq "DTPick: Title keeps 256 characters", Len(p.Title), 256
p.ButtonText = String(40, "b")
CheckEq "DTPick: ButtonText is stored whole", Len(p.ButtonText), 40
a = Array(1, 2)
r = p.Selection(a)
CheckEq "DTPick: an array returns False", r, False
CheckEq "DTPick: and stays an array", IsArray(a), True
Dim fixed(2)
r = p.Selection(fixed)
CheckEq "DTPick: a fixed array returns False", r, False
v = DateSerial(1200, 1, 1)
On Error Resume Next
r = p.Selection(v)
n = Err.Number : src = Err.Source
On Error GoTo 0
CheckEq "DTPick: a Date the pickers cannot show is error 5", n, 5
CheckEq "DTPick: source", src, "Kelpa.DTPick"
CheckEq "DTPick: and the value is left alone", v, DateSerial(1200, 1, 1)
Done
