// Copies a set of files (a deployment's payload) under a Kelpa.ProgressWindow: the
// bar moves by bytes copied, the sub text names the file, Cancel stops between files.
// Interactive: no (Cancel may be pressed; the window closes by itself)
var fso = new ActiveXObject("Scripting.FileSystemObject");
var sys = fso.GetSpecialFolder(1).Path;
var target = fso.BuildPath(fso.GetSpecialFolder(2).Path, "kelpa-sample-copy");
if (!fso.FolderExists(target)) fso.CreateFolder(target);

var names = ["cmd.exe", "cscript.exe", "wscript.exe", "notepad.exe", "regedit.exe",
             "msxml3.dll", "vbscript.dll", "jscript.dll", "scrrun.dll"];
var files = [], total = 0;
for (var i = 0; i < names.length; i++) {
    var path = fso.BuildPath(sys, names[i]);
    if (fso.FileExists(path)) { files.push(fso.GetFile(path)); total += files[files.length - 1].Size; }
}
var win = new ActiveXObject("Kelpa.ProgressWindow");
win.Title = "Copying " + files.length + " files";
win.MainText = "From " + sys + "\nto " + target;
win.Button = 1;
win.ButtonText = "Cancel";
win.SetProgressRange(0, 1000);           // per mille of the bytes: the range is 16-bit
win.Create();
var copied = 0, done = 0;
for (var i = 0; i < files.length && win.BtnPressed == 0; i++) {
    win.SubText = files[i].Name + " (" + Math.round(files[i].Size / 1024) + " KB)";
    fso.CopyFile(files[i].Path, target + "\\", true);
    copied += files[i].Size;
    done++;
    win.Progress = Math.round(1000 * copied / Math.max(total, 1));
}
win.Remove();
WScript.Echo((done < files.length ? "Cancelled after " : "Copied ") + done + " of " + files.length +
             " files, " + Math.round(copied / 1024) + " KB");
fso.DeleteFolder(target, true);          // the copies were only for the show
