// MInputBox from JScript: the lets, a JScript array (an object, not an
// array to the server) refused by the field settings, and InputM's time-out.
var b = new ActiveXObject("Kelpa.MInputBox");
b.InputNumber = 4;
b.InputNumber = 12;
checkEq("InputNumber 12 is ignored", b.InputNumber, 4);
b.TextLimit = 10;
checkEq("TextLimit 10", b.TextLimit, 10);
b.PasswordChar = "\uD83D\uDE00x";
checkEq("PasswordChar keeps a whole surrogate pair", b.PasswordChar, "\uD83D\uDE00");
var refused = false;
try { b.InpLabel = ["js", "array"]; } catch (e) { refused = true; }
check("a JScript array (an object to the server) is refused", refused);
b.DlgCancelTime = 1;
b.Title = "JScript time-out";
var v = "x";
var t0 = new Date().getTime();
var r = b.InputM(v);
var elapsed = new Date().getTime() - t0;
checkEq("time-out: InputM returns false", r, false);
check("time-out after about a second (" + elapsed + " ms)", elapsed >= 900 && elapsed < 5000);
done();
