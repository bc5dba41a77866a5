' The failure convention through Profile: exact number, source, description;
' ErrorLevel 0 silences; bad arguments get the runtime's standard errors.
Dim p, fso, f, path, r, n, s, d, big, dirPath
Set fso = CreateObject("Scripting.FileSystemObject")
path = gTemp & "\errors.ini"
Set f = fso.CreateTextFile(path, True)
f.Close
Set p = CreateObject("Kelpa.Profile")

On Error Resume Next
r = p.GetValue("a", "b")
n = Err.Number : s = Err.Source : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "GetValue without a profile", n, s, d, &H80040340, "Kelpa.Profile", "No Profile defined."

On Error Resume Next
r = p.SetSection("a", "b=1")
n = Err.Number : s = Err.Source : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "SetSection without a profile", n, s, d, &H80040340, "Kelpa.Profile", "No Profile defined."

On Error Resume Next
p.File = gTemp & "\missing.ini"
n = Err.Number : s = Err.Source : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "File set to a missing file", n, s, d, &H8004033F, "Kelpa.Profile", "Profile not found: " & gTemp & "\missing.ini"
CheckEq "File keeps its previous (empty) value", p.File, ""

p.File = path
On Error Resume Next
p.File = gTemp & "\missing.ini"
n = Err.Number : Err.Clear
On Error GoTo 0
CheckEq "a failed File keeps the earlier path", p.File, path

big = String(8192, "x")
r = p.SetValue("Big", "k", big)
CheckEq "an entry of 8192 characters is written", r, True
CheckEq "and reads back cut by the read buffer", Len(p.GetValue("Big", "k")), 8191
On Error Resume Next
r = "unchanged"
r = p.SetValue("Big", "k2", big & "y")
n = Err.Number : s = Err.Source : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "an entry of 8193 characters", n, s, d, &H80040341, "Kelpa.Profile", "Key value length is beyond maximum (0x2000)."
CheckEq "nothing was written for it", p.GetValue("Big", "k2"), ""

r = p.SetSection("Huge", String(32768, "z"))
CheckEq "section entries of 32768 characters pass", r, True
On Error Resume Next
r = p.SetSection("Huge", String(32769, "z"))
n = Err.Number : s = Err.Source : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "section entries of 32769 characters", n, s, d, &H80040341, "Kelpa.Profile", "Section entries beyond maximum (0x8000)."

' ErrorLevel: 5 is ignored, 0 silences every failure with the empty result.
p.ErrorLevel = 5
CheckEq "ErrorLevel 5 is ignored", p.ErrorLevel, 1
p.ErrorLevel = 0
CheckEq "ErrorLevel 0 is accepted", p.ErrorLevel, 0
On Error Resume Next
r = "unchanged"
r = p.SetValue("Big", "k3", big & "y")
n = Err.Number : Err.Clear
On Error GoTo 0
CheckEq "silent: no error for a long entry", n, 0
CheckEq "silent: the writer returns False", r, False
On Error Resume Next
p.File = gTemp & "\missing.ini"
n = Err.Number : Err.Clear
On Error GoTo 0
CheckEq "silent: no error for a missing file", n, 0
Dim fresh : Set fresh = CreateObject("Kelpa.Profile")
fresh.ErrorLevel = 0
On Error Resume Next
r = "unchanged"
r = fresh.GetSectionNames()
n = Err.Number : Err.Clear
On Error GoTo 0
CheckEq "silent: no error without a profile", n, 0
CheckEq "silent: the reader returns the empty String", r, ""

' A directory is accepted as the profile; reads are empty, writes fail quietly.
dirPath = gTemp
p.ErrorLevel = 1
p.File = dirPath
CheckEq "a directory is accepted", p.File, dirPath
CheckEq "reads from a directory are empty", p.GetSectionNames(), ""
r = p.SetValue("a", "b", "c")
CheckEq "writes to a directory give False", r, False

' Wrong argument types reach the script as the runtime's standard errors.
p.File = path
On Error Resume Next
r = p.GetValue(Null, "k")
n = Err.Number : Err.Clear
On Error GoTo 0
CheckEq "Null for a String argument: type mismatch", n, 13
On Error Resume Next
r = p.GetValue(Array(1, 2), "k")
n = Err.Number : Err.Clear
On Error GoTo 0
CheckEq "an array for a String argument: type mismatch", n, 13
On Error Resume Next
p.ErrorLevel = 100000
n = Err.Number : Err.Clear
On Error GoTo 0
CheckEq "ErrorLevel beyond an Integer: overflow", n, 6
On Error Resume Next
p.ErrorLevel = "abc"
n = Err.Number : Err.Clear
On Error GoTo 0
CheckEq "ErrorLevel from text: type mismatch", n, 13
On Error Resume Next
r = p.GetValue("only one")
n = Err.Number : Err.Clear
On Error GoTo 0
CheckEq "a missing required argument: wrong number of arguments", n, 450
CheckEq "the server still serves after all that", p.SetValue("ok", "k", "v"), True
CheckEq "and reads back", p.GetValue("ok", "k"), "v"
Done
