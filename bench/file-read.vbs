' Reads one file sequentially with Kelpa's BinFile.BRead and moves the same
' bytes through the minimal server's Move (the same [in, out] Variant, with
' no file behind it), as Byte arrays and as Strings, and reads them with
' Scripting.FileSystemObject's TextStream.Read inside this process.
' Arguments: path, pieces as SIZE:CALLS[,SIZE:CALLS...], rounds. Prints
'   RESULT size kind bytes milliseconds
' per size and kind (bread, move, breadtext, movetext, fso): the best of the
' rounds, which take turns so that a change in the machine's load hits all.
Option Explicit
Dim path, pieces, rounds, fl, b, m, fso, item, parts, piece, calls, turn, best, kinds, k, ms, moved
path = WScript.Arguments(0)
pieces = Split(WScript.Arguments(1), ",")
rounds = CLng(WScript.Arguments(2))
kinds = Array("bread", "move", "breadtext", "movetext", "fso")

' Timer counts seconds since midnight; a run across midnight wraps once.
Function Milliseconds(fromTime, toTime)
    Dim span : span = toTime - fromTime
    If span < 0 Then span = span + 86400
    Milliseconds = CLng(span * 1000)
End Function

' Both servers are started before any clock runs.
Set fl = CreateObject("Kelpa.File")
Set m = CreateObject("KelpaBench.Minimal")
Set fso = CreateObject("Scripting.FileSystemObject")

' One pass of `calls` pieces of one kind; returns the milliseconds taken and
' leaves the bytes moved in `moved`. The variable keeps the previous piece,
' as in a script's read loop, so it travels to the server and back each time.
Function TimedPass(kind, piece, calls)
    Dim v, i, ok, good, ts, s, startedAt
    moved = 0
    good = 0
    ' BinFile holds its file without sharing: each pass opens its own.
    Select Case kind
    Case "bread", "breadtext"
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
        Case "breadtext"
            ok = b.BRead(v, piece, 8)
        Case "move"
            ok = m.Move(v, piece)
            If ok Then good = good + 1
        Case "movetext"
            ok = m.Move(v, piece, 8)
            If ok Then good = good + 1
        Case "fso"
            s = ts.Read(piece)
            moved = moved + Len(s)
        End Select
    Next
    TimedPass = Milliseconds(startedAt, Timer)
    Select Case kind
    Case "bread", "breadtext"
        moved = b.LOC
        b.BClose
    Case "move"
        moved = piece * good
    Case "movetext"
        moved = 2 * Len(v) * good
    Case "fso"
        ts.Close
    End Select
End Function

For Each item In pieces
    parts = Split(item, ":")
    piece = CLng(parts(0))
    calls = CLng(parts(1))
    best = Array(-1, -1, -1, -1, -1)
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
