' Reads one file sequentially in pieces twice: with Kelpa's BinFile.BRead
' (Byte arrays) and with Scripting.FileSystemObject's TextStream.Read.
' Arguments: path, piece size in bytes. Prints RESULT lines with the bytes
' read and the milliseconds taken.
Option Explicit
Dim path, piece, fl, b, fso, ts, v, s, ok, total, started, kelpaMs, emptiedMs, fsoMs
path = WScript.Arguments(0)
piece = CLng(WScript.Arguments(1))

' Timer counts seconds since midnight; a run across midnight wraps once.
Function Milliseconds(fromTime, toTime)
    Dim span : span = toTime - fromTime
    If span < 0 Then span = span + 86400
    Milliseconds = CLng(span * 1000)
End Function

' The server is started before the clock runs.
Set fl = CreateObject("Kelpa.File")
Set b = fl.OpenBinary(path, False)
If b Is Nothing Then
    WScript.Echo "ERROR cannot open " & path
    WScript.Quit 1
End If

' Reads the whole file and returns the milliseconds taken. Each late-bound
' call crosses to the server, so the loop makes only the reads (False at the
' end of the file). With emptyFirst the variable is emptied before each read:
' vdata is in/out, so otherwise the previous piece travels back to the
' server with every call.
Function TimedRead(emptyFirst)
    Dim startedAt
    b.LOC = 0
    startedAt = Timer
    Do
        If emptyFirst Then v = Empty
        ok = b.BRead(v, piece)
        If Not ok Then Exit Do
    Loop
    TimedRead = Milliseconds(startedAt, Timer)
End Function

kelpaMs = TimedRead(False)
WScript.Echo "RESULT kelpa " & b.LOC & " " & kelpaMs
emptiedMs = TimedRead(True)
WScript.Echo "RESULT emptied " & b.LOC & " " & emptiedMs
b.BClose

Set fso = CreateObject("Scripting.FileSystemObject")
Set ts = fso.OpenTextFile(path, 1)
total = 0
started = Timer
Do While Not ts.AtEndOfStream
    s = ts.Read(piece)
    total = total + Len(s)
Loop
fsoMs = Milliseconds(started, Timer)
ts.Close
WScript.Echo "RESULT fso " & total & " " & fsoMs
