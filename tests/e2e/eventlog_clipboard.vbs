' EventLog and Clipboard through a script client: records in the log file,
' the failure convention, the default file's place, and clipboard text.
Dim e, c, fso, path, lines, n, src, d, text, wsh
Set fso = CreateObject("Scripting.FileSystemObject")
Set e = CreateObject("Kelpa.EventLog")
CheckEq "mode starts automatic", e.mode, 0
CheckEq "File starts empty", e.File, ""
CheckEq "ErrorLevel starts at 1", e.ErrorLevel, 1

On Error Resume Next
e.mode = 5
n = Err.Number : src = Err.Source : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "mode 5", n, src, d, &H80040336, "Kelpa.EventLog", "Invalid log mode."
CheckEq "mode kept", e.mode, 0
e.mode = 1
CheckEq "mode 1 reads 3", e.mode, 3
e.Report "kelpa e2e: to the event log", 48
Check "Report to the event log returns", True

path = gTemp & "\script.log"
e.File = path
e.mode = 2
CheckEq "mode 2 reads 2", e.mode, 2
e.Report "first line", 16
e.Report "second line", 32
e.Report "third line"
On Error Resume Next
e.Report ""
n = Err.Number : src = Err.Source : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "empty text", n, src, d, &H80040335, "Kelpa.EventLog", "Missing event log string."
e.ErrorLevel = 0
e.Report ""
e.ErrorLevel = 7
CheckEq "ErrorLevel 7 ignored", e.ErrorLevel, 0
text = fso.OpenTextFile(path).ReadAll
lines = Split(text, vbCrLf)
CheckEq "four records and a final line break", UBound(lines), 4
' Wine's VBScript cannot index a call's result: split into variables.
Dim f0, f1, f2, f3
f0 = Split(lines(0), vbTab) : f1 = Split(lines(1), vbTab) : f2 = Split(lines(2), vbTab) : f3 = Split(lines(3), vbTab)
CheckEq "error type", f0(1), "Error"
CheckEq "no type for 32: the service's default", f1(1), "Information"
CheckEq "the text is the last field", f2(4), "third line"
CheckEq "the silenced empty text is logged", f3(4), ""
CheckEq "five fields", UBound(f0), 4
Check "a timestamp starts the record", Mid(lines(0), 5, 1) = "-" And Mid(lines(0), 11, 1) = "T"

' The default file lies in the temporary folder of the user the server runs as.
e.File = ""
e.Report "kelpa e2e default file"
Set wsh = CreateObject("WScript.Shell")
text = fso.OpenTextFile(EnvVar("TEMP") & "\kelpa.log").ReadAll
Check "the default kelpa.log is in the temporary folder", InStr(text, "kelpa e2e default file") > 0

Set c = CreateObject("Kelpa.Clipboard")
CheckEq "UseUnicode starts False", c.UseUnicode, False
c.Text = "from a script"
CheckEq "ANSI text back", c.Text, "from a script"
c.UseUnicode = True
CheckEq "the same text through Unicode", c.Text, "from a script"
c.Text = "unicode " & Chr(169)
CheckEq "Unicode text back", c.Text, "unicode " & Chr(169)
c.Text = ""
CheckEq "empty Unicode text", c.Text, ""
c.UseUnicode = False
CheckEq "and through ANSI", c.Text, ""
Done
