// A settings dialog in JScript: Kelpa.MInputBox asks for each setting with the
// stored value proposed, and Kelpa.Profile keeps the answers in an INI file.
// Interactive: yes (waits for OK or Cancel on each question)
var fso = new ActiveXObject("Scripting.FileSystemObject");
var path = fso.BuildPath(fso.GetSpecialFolder(2).Path, "kelpa-sample-backup.ini");
if (!fso.FileExists(path)) fso.CreateTextFile(path).Close();   // Profile needs the file
var ini = new ActiveXObject("Kelpa.Profile");
ini.File = path;

var settings = [   // key, question, default for the first run
    ["Folder", "Back up which folder?", "C:\\Users\\Public\\Documents"],
    ["Copies", "Keep how many copies?", "5"],
    ["MailTo", "Mail the report to:", "it-desk@example.org"]];
var box = new ActiveXObject("Kelpa.MInputBox");
box.Info = "Backup settings (Cancel keeps a value as it is)";
for (var i = 0; i < settings.length; i++) {
    var key = settings[i][0];
    var now = ini.GetValue("Backup", key) || settings[i][2];
    // InputS returns the text, or "" for Cancel. (A JScript caller cannot take
    // InputM's answers: JScript hands its variables over by value.)
    var answer = box.InputS(settings[i][1], "Backup settings", now);
    if (answer !== "") now = answer;
    ini.SetValue("Backup", key, now);
}
WScript.Echo("[Backup]\n" + ini.GetSection("Backup"));
fso.DeleteFile(path);   // a real script keeps its settings; the sample cleans up
