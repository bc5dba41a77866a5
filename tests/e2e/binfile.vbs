' BinFile through File.OpenBinary: opening, typed reads and writes, the
' failures with their numbers, texts and severities, and positions.
Dim fso, fl, b, b2, path, r, v, n, s, d, i, hexText, fixed(3)
Set fso = CreateObject("Scripting.FileSystemObject")
Set fl = CreateObject("Kelpa.File")

' The bytes of a file as hexadecimal text, read back one Byte at a time
' (Wine's VBScript cannot index a Byte array).
Function FileHex(p)
    Dim rb, t, ok, x
    Set rb = fl.OpenBinary(p, False)
    t = ""
    Do
        ok = rb.BRead(x, 0, 17)
        If Not ok Then Exit Do
        t = t & Right("0" & Hex(x), 2)
    Loop
    rb.BClose
    FileHex = t
End Function

Sub MakeFile(p, text)
    Dim f
    Set f = fso.CreateTextFile(p, True)
    f.Write text
    f.Close
End Sub

' ---- opening
path = gTemp & "\data.bin"
MakeFile path, "0123456789"
Set b = fl.OpenBinary(gTemp & "\missing.bin")
Check "a missing file gives Nothing", b Is Nothing
Set b = fl.OpenBinary(gTemp)
Check "a directory gives Nothing", b Is Nothing
Set b = fl.OpenBinary("NUL")
Check "a device gives Nothing", b Is Nothing
Set b = fl.OpenBinary(path)
Check "an existing file gives a BinFile", Not (b Is Nothing)
Set b2 = fl.OpenBinary(path, False)
Check "a file another object holds gives Nothing", b2 Is Nothing
CheckEq "Length of the new object", b.Length, 10
CheckEq "LOF", b.LOF, 10
CheckEq "Location starts at 0", b.Location, 0
Check "handle is not 0", b.handle <> 0
CheckEq "ErrorLevel is 2", b.ErrorLevel, 2
CheckEq "switches start off", b.ConvertAnsi Or b.UseUnicode Or b.UseHexstring Or b.TwistEndian, False

On Error Resume Next
Set b2 = CreateObject("Kelpa.BinFile")
n = Err.Number : Err.Clear
On Error GoTo 0
Check "Kelpa.BinFile cannot be created by name (" & Hex(n) & ")", n <> 0

' ---- reads
b.ConvertAnsi = True
r = b.BRead(v, 2, 8)
CheckEq "ANSI string read", v, "01"
b.ConvertAnsi = False
r = b.BRead(v, 0, 3)
CheckEq "a Long with no numbytes", VarType(v), 3
CheckEq "its value", v, &H35343332
r = b.BRead(v, 100, 2)
CheckEq "an Integer with numbytes 100 reads 2 bytes", b.ByteCount, 2
CheckEq "its value", v, &H3736
r = b.BRead(v, 4)
CheckEq "4 bytes 2 before the end: result", r, True
CheckEq "a Byte array", VarType(v), 8209
CheckEq "ByteCount 2", b.ByteCount, 2
CheckEq "EOF True", b.EOF, True
r = b.BRead(v, 4)
CheckEq "the next read: result", r, False
CheckEq "ByteCount 0", b.ByteCount, 0
CheckEq "EOF stays True", b.EOF, True
CheckEq "v is Empty", VarType(v), 0
b.UseUnicode = True
b.Location = 0
r = b.BRead(v, 5, 8)
CheckEq "5 bytes as Unicode give 3 characters", Len(v), 3
CheckEq "the third holds the fifth byte in its low half", Mid(v, 3, 1), "4"
b.UseUnicode = False

On Error Resume Next
r = b.BRead(fixed, 4)
n = Err.Number : s = Err.Source : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "BRead into a fixed-size array", n, s, d, &H80040360, "Kelpa.BinFile", "Wrong argument (wrong Variant type)"
CheckEq "the array is untouched", UBound(fixed), 3
On Error Resume Next
r = b.BRead(v)
n = Err.Number : s = Err.Source : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "BRead with neither numbytes nor vtype", n, s, d, &H8004034D, "Kelpa.BinFile", "Number of bytes to read is undefined."
On Error Resume Next
r = b.BRead(v, -4)
n = Err.Number : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "BRead with negative numbytes", n, "Kelpa.BinFile", d, &H8004034D, "Kelpa.BinFile", "Number of bytes to read is negative."
b.BClose
CheckEq "a closed file's handle is 0", b.handle, 0
CheckEq "a closed file's Length is 0", b.Length, 0
On Error Resume Next
r = b.BRead(v, 4)
n = Err.Number : s = Err.Source : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "BRead after BClose", n, s, d, &H8004034A, "Kelpa.BinFile", "File is not open: " & path
b.BClose
Set b = Nothing

' ---- writes
path = gTemp & "\out.bin"
MakeFile path, ""
Set b = fl.OpenBinary(path)
r = b.BWrite(&H01020304)
CheckEq "BWrite of a Long", r, True
CheckEq "writes 4 bytes", b.ByteCount, 4
CheckEq "Length right after the write", b.Length, 4
b.TwistEndian = True
r = b.BWrite(&H01020304)
v = CDbl(1)
r = b.BWrite(v)
b.TwistEndian = False
r = b.BWrite(v)
v = CByte(171)
r = b.BWrite(v)
v = CCur(1)
r = b.BWrite(v)
b.BClose
CheckEq "Long, twisted Long, Double twice, Byte, Currency", FileHex(path), _
    "04030201" & "01020304" & "000000000000F03F" & "000000000000F03F" & "AB" & "1027000000000000"

MakeFile path, ""
Set b = fl.OpenBinary(path)
b.UseHexstring = True
r = b.BWrite("&H0aFF")
CheckEq "a hex string with UseHexstring writes 2 bytes", b.ByteCount, 2
b.UseHexstring = False
r = b.BWrite("&H0aFF")
CheckEq "without UseHexstring the 6 characters", b.ByteCount, 6
b.UseUnicode = True
b.UseHexstring = True
r = b.BWrite("&H0aFF")
CheckEq "with UseUnicode 12 bytes", b.ByteCount, 12
b.UseUnicode = False
r = b.BWrite("&H123")
r = b.BWrite("abcdef", 2)
CheckEq "a smaller numbytes writes the first bytes", b.ByteCount, 2
b.BClose
CheckEq "the bytes written", FileHex(path), "0AFF" & "264830614646" & "260048003000610046004600" & "0123" & "6162"

Set b = fl.OpenBinary(path)
b.UseHexstring = True
On Error Resume Next
r = b.BWrite("&H")
n = Err.Number : s = Err.Source : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "BWrite of ""&H"" alone", n, s, d, &H8004034E, "Kelpa.BinFile", "Could not prepare write data."
Dim badValues, badNames, k
badValues = Array("", Empty, Null, True, Now, fso, Array(1, 2))
badNames = Array("an empty string", "Empty", "Null", "a Boolean", "a Date", "an object", "an array of Variants")
For k = 0 To UBound(badValues)
    On Error Resume Next
    r = "unchanged"
    r = b.BWrite(badValues(k))
    n = Err.Number : d = Err.Description : Err.Clear
    On Error GoTo 0
    CheckError "BWrite of " & badNames(k), n, "Kelpa.BinFile", d, &H8004034E, "Kelpa.BinFile", "Could not prepare write data."
Next
On Error Resume Next
r = b.BWrite(&H01020304, 5)
n = Err.Number : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "BWrite with numbytes above the data", n, "Kelpa.BinFile", d, &H8004034E, "Kelpa.BinFile", "Write data do not match the requested number of bytes."
On Error Resume Next
r = b.BWrite(&H01020304, -1)
n = Err.Number : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "BWrite with negative numbytes", n, "Kelpa.BinFile", d, &H8004034E, "Kelpa.BinFile", "Number of bytes to write is negative."
CheckEq "nothing was written by the failures", b.LOF, 24

' A Byte array read from one place and written to another.
b.LOC = 0
r = b.BRead(v, 2)
b.LOC = b.LOF
r = b.BWrite(v)
CheckEq "a Byte array from BRead writes back", b.ByteCount, 2

' ---- positions
b.LOC = 10.9
CheckEq "LOC 10.9 positions at byte 10", b.Location, 10
On Error Resume Next
b.LOC = -1
n = Err.Number : s = Err.Source : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "LOC = -1", n, s, d, &H80040361, "Kelpa.BinFile", "Wrong property value: LOC"
CheckEq "LOC keeps its place", b.LOC, 10
b.Location2 = 1
CheckEq "Location2 alone does not move", b.LOC, 10
b.Location = 16
CheckEq "Location2 1 then Location 16: LOC", b.LOC, 4294967312
CheckEq "Location2", b.Location2, 1
CheckEq "Location", b.Location, 16
CheckEq "the size did not change", b.LOF, 26
On Error Resume Next
b.Location2 = -1
n = Err.Number : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "Location2 = -1", n, "Kelpa.BinFile", d, &H80040361, "Kelpa.BinFile", "Wrong property value: Location2"
b.Location2 = 0
b.Location = 4
r = b.BTrim()
CheckEq "BTrim cuts at the position", r, True
CheckEq "Length after BTrim", b.Length, 4
CheckEq "LOF after BTrim", b.LOF, 4

' ---- severities
b.ErrorLevel = 7
CheckEq "ErrorLevel 7 is ignored", b.ErrorLevel, 2
b.ErrorLevel = 1
r = b.BRead(v)
CheckEq "ErrorLevel 1: a severity-2 failure is silent", r, False
b.BClose
On Error Resume Next
r = b.BWrite(1)
n = Err.Number : Err.Clear
On Error GoTo 0
CheckEq "ErrorLevel 1: a severity-1 failure raises", Hex(n), "8004034A"
b.ErrorLevel = 0
r = b.BWrite(1)
CheckEq "ErrorLevel 0: silent, False", r, False

' ---- read-only access
Set b = fl.OpenBinary(path, False)
On Error Resume Next
r = b.BWrite(1)
n = Err.Number : s = Err.Source : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "BWrite without write access", n, s, d, &H8004034C, "Kelpa.BinFile", "Write access not permitted."
On Error Resume Next
r = b.BTrim()
n = Err.Number : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "BTrim without write access", n, "Kelpa.BinFile", d, &H8004034C, "Kelpa.BinFile", "Write access not permitted."
On Error Resume Next
b.BFlush
n = Err.Number : d = Err.Description : Err.Clear
On Error GoTo 0
CheckError "BFlush without write access", n, "Kelpa.BinFile", d, &H8004034C, "Kelpa.BinFile", "Write access not permitted."
r = b.BRead(v, 0, 3)
CheckEq "BRead works without write access", r, True
Set b = Nothing

' ---- a script that forgets BClose loses nothing
MakeFile path, ""
Set b = fl.OpenBinary(path)
r = b.BWrite("kept")
Set b = Nothing
Set b = fl.OpenBinary(path)
Check "the file is free again after release", Not (b Is Nothing)
b.ConvertAnsi = True
r = b.BRead(v, 10, 8)
CheckEq "and holds what was written", v, "kept"
Set b = Nothing

Done
