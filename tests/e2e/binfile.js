// BinFile from JScript: every value arrives by value at BWrite's [in, out]
// parameter, numbers as Long or Double; failures arrive as exceptions.
var fso = new ActiveXObject("Scripting.FileSystemObject");
var fl = new ActiveXObject("Kelpa.File");
var path = gTemp + "\\js.bin";
fso.CreateTextFile(path, true).Close();
var b = fl.OpenBinary(path);
check("OpenBinary gives an object", b !== null);
checkEq("BWrite of a number", b.BWrite(0x01020304), true);
checkEq("a JScript integer is a Long: 4 bytes", b.ByteCount, 4);
checkEq("BWrite of 1.5", b.BWrite(1.5), true);
checkEq("a Double: 8 bytes", b.ByteCount, 8);
b.UseHexstring = true;
checkEq("BWrite of a hex string", b.BWrite("&HCAFE"), true);
checkEq("2 bytes", b.ByteCount, 2);
checkEq("LOF", b.LOF, 14);
var e = caught(function () { b.BWrite(true); });
check("BWrite of a Boolean raises", e !== null);
if (e) {
    checkEq("its number", hex(e.number), "8004034E");
    checkEq("its text", e.description, "Could not prepare write data.");
}
e = caught(function () { b.LOC = -5; });
checkEq("LOC = -5 raises", e ? hex(e.number) : "none", "80040361");
b.LOC = 4;
checkEq("LOC moved", b.Location, 4);
b.ErrorLevel = 0;
checkEq("a silent failure returns false", b.BWrite(null), false);
b.BClose();
checkEq("OpenBinary of a missing file gives null", fl.OpenBinary(gTemp + "\\none.bin"), null);
done();
