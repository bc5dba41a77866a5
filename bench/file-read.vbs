' Reads one file sequentially with Kelpa's BinFile.BRead (Byte arrays) and
' with Scripting.FileSystemObject's TextStream.Read, which reads inside this
' process: what a script sees of the process boundary.
' Arguments: path, pieces as SIZE:CALLS[,SIZE:CALLS...], rounds. Prints
'   RESULT size kind bytes milliseconds
' per size and kind (bread, fso): the best of the rounds, which take turns
' so that a change in the machine's load hits both.
Option Explicit
Dim path, pieces, rounds, fl, b, fso, item, parts, piece, calls, turn, best, kinds, k, ms, moved
path = WScript.Arguments(0)
pieces = Split(WScript.Arguments(1), ",")
rounds = CLng(WScript.Arguments(2))
kinds = Array("bread", "fso")

' Timer counts seconds since midnight; a run across midnight wraps once.
Function Milliseconds(fromTime, toTime)
    Dim span : span = toTime - fromTime
    If span < 0 Then span = span + 86400
    Milliseconds = CLng(span * 1000)
End Function

' The server is started before any clock runs.
Set fl = CreateObject("Kelpa.File")
Set fso = CreateObject("Scripting.FileSystemObject")

' One pass of `calls` pieces of one kind; returns the milliseconds taken and
' leaves the bytes moved in `moved`. The variable keeps the previous piece,
' as in a script's read loop, so it travels to the server and back each time.
Function TimedPass(kind, piece, calls)
    Dim v, i, ok, ts, s, startedAt
    moved = 0
    ' BinFile holds its file without sharing: each pass opens its own.
    Select Case kind
    Case "bread"
        Set b = fl.OpenBinary(path, False)
        If b Is Nothing Then
            WScript.Echo "ERROR cannot open " & path
            WScript.Quit 1
        End If
    Case "fso"
        Set ts = fso.OpenTextFile(path, 1)
    End Select
    startedAt = Timer
    For i = 1 To calls
        Select Case kind
        Case "bread"
            ok = b.BRead(v, piece)
        Case "fso"
            s = ts.Read(piece)
            moved = moved + Len(s)
        End Select
    Next
    TimedPass = Milliseconds(startedAt, Timer)
    Select Case kind
    Case "bread"
        moved = b.LOC
        b.BClose
    Case "fso"
        ts.Close
    End Select
End Function

For Each item In pieces
    parts = Split(item, ":")
    piece = CLng(parts(0))
    calls = CLng(parts(1))
    best = Array(-1, -1)
    For turn = 1 To rounds
        For k = 0 To UBound(kinds)
            ms = TimedPass(kinds(k), piece, calls)
            If moved <> piece * calls Then
                WScript.Echo "ERROR " & kinds(k) & " moved " & moved & " bytes of " & piece * calls
                WScript.Quit 1
            End If
            If best(k) < 0 Or ms < best(k) Then best(k) = ms
        Next
    Next
    For k = 0 To UBound(kinds)
        WScript.Echo "RESULT " & piece & " " & kinds(k) & " " & piece * calls & " " & best(k)
    Next
Next
WScript.Echo "DONE"
