// Profile from JScript: values, errors as JScript sees them, and a path with
// characters outside the ANSI code page.
var fso = new ActiveXObject("Scripting.FileSystemObject");
var p = new ActiveXObject("Kelpa.Profile");

var e = caught(function () { p.GetValue("a", "b"); });
check("GetValue without a profile raises", e !== null);
if (e) {
    checkEq("its number", hex(e.number), "80040340");
    checkEq("its description", e.description, "No Profile defined.");
}

// Greek, CJK and the euro sign: none is in the ANSI code page of the prefix.
var folder = gTemp + "\\" + String.fromCharCode(937, 24773);
fso.CreateFolder(folder);
var path = folder + "\\" + String.fromCharCode(8364) + "data.ini";
fso.CreateTextFile(path, true).Close();
p.File = path;
checkEq("a path outside the ANSI code page is accepted", p.File, path);
checkEq("SetValue through it", p.SetValue("S", "k", "v1"), true);
checkEq("GetValue through it", p.GetValue("S", "k"), "v1");
checkEq("the file is where the path says", fso.FileExists(path), true);

checkEq("optional cvt defaults to True", p.GetSection("S"), "k=v1" + "\r\n");
checkEq("cvt False", p.GetSection("S", false), "k=v1" + "\0");
checkEq("SetSection with CR LF", p.SetSection("T", "a=1\r\nb=2"), true);
checkEq("GetSectionNames", p.GetSectionNames(), "S\r\nT\r\n");

e = caught(function () { p.File = path + ".missing"; });
check("a missing file raises", e !== null);
if (e) {
    checkEq("its number", hex(e.number), "8004033F");
    checkEq("its description", e.description, "Profile not found: " + path + ".missing");
}
checkEq("the path stays", p.File, path);
p.ErrorLevel = 0;
checkEq("ErrorLevel 0: no error, empty result", caught(function () { p.File = "Z:\\no\\such.ini"; }), null);
done();
