// The choice dialogs' settings from JScript: Booleans, Integers and texts
// arrive converted; JScript arrays are objects, which SelectionA refuses
// without showing anything.
var l = new ActiveXObject("Kelpa.List");
l.FontEnlarge = 1;
checkEq("List: FontEnlarge 1", l.FontEnlarge, 1);
l.FontEnlarge = 9;
checkEq("List: FontEnlarge 9 is ignored", l.FontEnlarge, 1);
l.Topmost = false;
checkEq("List: Topmost false", l.Topmost, false);
checkEq("List: Selection of nothing", l.Selection(""), "");

var c = new ActiveXObject("Kelpa.CheckList");
checkEq("CheckList: a JScript array is no array", c.SelectionA(["a", "b"]), 0);
checkEq("CheckList: Selection of nothing", c.Selection("", 3), 0);

var p = new ActiveXObject("Kelpa.DTPick");
p.ControlMode = 0;
checkEq("DTPick: ControlMode 0", p.ControlMode, 0);
p.ControlMode = -1;
checkEq("DTPick: ControlMode -1 is ignored", p.ControlMode, 0);
var e = caught(function () { p.ControlMode = "abc"; });
check("DTPick: a text ControlMode is a type mismatch", e !== null);
checkEq("DTPick: and changes nothing", p.ControlMode, 0);

var d = new ActiveXObject("Kelpa.DriveList");
d.Topmost = 0;
checkEq("DriveList: Topmost 0 is False", d.Topmost, false);
done();
