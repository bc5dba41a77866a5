' File through a script: creation, existence, replacement, executable
' classes of Wine's own programs, associations and file times.
Dim fso, fl, path, r, t, sys, root, native
Set fso = CreateObject("Scripting.FileSystemObject")
Set fl = CreateObject("Kelpa.File")
path = gTemp & "\made.txt"

CheckEq "Create a new file", fl.Create(path), True
CheckEq "Create again without overwrite", fl.Create(path), False
fso.OpenTextFile(path, 8).Write "content"
r = fl.Create(path, True)
CheckEq "Create with overwrite", r, True
CheckEq "empties the file", fso.GetFile(path).Size, 0
CheckEq "Exists of a file", fl.Exists(path), True
CheckEq "Exists of a folder", fl.Exists(gTemp), True
CheckEq "Exists with a wildcard", fl.Exists(gTemp & "\*.txt"), True
CheckEq "Exists of a missing file", fl.Exists(gTemp & "\none.txt"), False

fso.CreateTextFile(gTemp & "\target.txt", True).Write "old"
fso.CreateTextFile(gTemp & "\new.txt", True).Write "new"
r = fl.Replace(gTemp & "\target.txt", gTemp & "\new.txt")
CheckEq "Replace without a backup", r, True
CheckEq "the target holds the replacement", fso.OpenTextFile(gTemp & "\target.txt").ReadAll, "new"
CheckEq "no backup was kept", fso.GetFolder(gTemp).Files.Count, 2
fso.CreateTextFile(gTemp & "\new.txt", True).Write "newer"
r = fl.Replace(gTemp & "\target.txt", gTemp & "\new.txt", gTemp & "\backup.txt")
CheckEq "Replace with a backup", r, True
CheckEq "the backup holds the old content", fso.OpenTextFile(gTemp & "\backup.txt").ReadAll, "new"
r = fl.Replace(gTemp & "\target.txt", gTemp & "\gone.txt")
CheckEq "Replace with a missing replacement", r, False

' Wine's programs: the server sees in system32 the programs of its own width
' (a 32-bit server is redirected to the 32-bit folder).
sys = fso.GetSpecialFolder(1).Path
native = 0 : If EnvVar("KELPA_SERVER_BITS") = "64" Then native = 6
CheckEq "ExeType of a console program", fl.ExeType(sys & "\cmd.exe"), native
CheckEq "ExeType3 of a console program", fl.ExeType3(sys & "\cmd.exe"), 2
CheckEq "ExeType3 of a GUI program", fl.ExeType3(sys & "\notepad.exe"), 1
r = fl.ExeType3(sys & "\notepad.exe", True)
Check "ExeType3 with winversion of a GUI program (" & r & ")", r >= 400
CheckEq "ExeType of a text file", fl.ExeType(path), -1
CheckEq "ExeType2 of a text file", fl.ExeType2(path), -1
CheckEq "ExeType3 of a text file", fl.ExeType3(path), 0
root = fso.GetSpecialFolder(0).Path
CheckEq "ExeType of a 64-bit program", fl.ExeType(root & "\notepad.exe"), 6
CheckEq "Application of a document with no program", fl.Application(gTemp & "\x.nothing-known"), ""
' Wine's registry maps .ini to inifile (notepad) but has no .txt key at all.
fso.CreateTextFile(gTemp & "\doc.ini", True).Write "x"
r = fl.Application(gTemp & "\doc.ini")
CheckEq "Application of a .ini names notepad", LCase(r), LCase(sys & "\notepad.exe")

' Times: Dates are UTC, whole seconds.
t = DateSerial(2020, 6, 15) + TimeSerial(12, 0, 0)
CheckEq "TimeSet of the last write time", fl.TimeSet(path, t), True
CheckEq "TimeGet reads it back", fl.TimeGet(path), t
CheckEq "TimeGet with which 3 reads the last write time", fl.TimeGet(path, 3), t
CheckEq "TimeSet of all three", fl.TimeSet(path, t - 1, 7), True
CheckEq "last access time", fl.TimeGet(path, 4), t - 1
CheckEq "last write time", fl.TimeGet(path, 2), t - 1
CheckEq "TimeGet of a missing file is the Date 0", fl.TimeGet(gTemp & "\none.txt"), CDate(0)
r = fl.TimeSet(gTemp & "\target.txt", t)
CheckEq "TimeCompare earlier", fl.TimeCompare(path, gTemp & "\target.txt"), 1
CheckEq "TimeCompare later", fl.TimeCompare(gTemp & "\target.txt", path), 2
CheckEq "TimeCompare with itself", fl.TimeCompare(path, path), 0
CheckEq "TimeCompare with a missing file", fl.TimeCompare(path, gTemp & "\none.txt"), -1
CheckEq "a folder's time", fl.TimeSet(gTemp, t), True
CheckEq "reads back", fl.TimeGet(gTemp), t

Done
