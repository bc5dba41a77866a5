' Aux with input a script should not send: Null, Empty, objects, arrays of
' 0 to 3 dimensions, 100,000-character strings, embedded NULs, negative and
' huge numbers. Each call gives its documented empty result or a standard
' error (5, 6, 9, 13), and the server keeps serving.
Dim a, r, e, big, nul, grid, cube, t, u(), many
Set a = CreateObject("Kelpa.Aux")
big = String(100000, "x")
nul = "a" & Chr(0) & "b"
ReDim grid(2, 3)
ReDim cube(1, 2, 1)
ReDim many(99999)

' Result and error number of one call, captured inline.
Sub Expect(name, result, number, expResult, expNumber)
    CheckEq name & ": error", number, expNumber
    If expNumber = 0 Then CheckEq name, result, expResult
End Sub

On Error Resume Next
r = Empty : r = a.UnicodeStr(Null) : e = Err.Number : Err.Clear
Expect "UnicodeStr of Null", r, e, Empty, 0
r = Empty : r = a.UnicodeStr(a) : e = Err.Number : Err.Clear
Expect "UnicodeStr of an object", r, e, Empty, 0
r = Empty : r = a.UnicodeStr(cube) : e = Err.Number : Err.Clear
Expect "UnicodeStr of a 3-dimensional array", r, e, Empty, 0
r = Empty : r = Len(a.UnicodeStr(big)) : e = Err.Number : Err.Clear
Expect "UnicodeStr of 100,000 characters widens 200,000 bytes", r, e, 200000, 0
r = Empty : r = a.StrConv(Null, 1) : e = Err.Number : Err.Clear
Expect "StrConv of Null", r, e, Empty, 13
r = Empty : r = Len(a.StrConv(big, 1)) : e = Err.Number : Err.Clear
Expect "StrConv of 100,000 characters", r, e, 100000, 0
r = Empty : r = a.StrConv(nul, 1) : e = Err.Number : Err.Clear
Expect "StrConv keeps embedded NULs", r, e, "A" & Chr(0) & "B", 0
r = Empty : r = a.StrConv("x", 1, Null) : e = Err.Number : Err.Clear
Expect "StrConv with a Null lcid", r, e, Empty, 0
r = Empty : r = a.StrConv("x", 1, a) : e = Err.Number : Err.Clear
Expect "StrConv with an object lcid", r, e, Empty, 0
r = Empty : r = a.StrConv("x", 1, grid) : e = Err.Number : Err.Clear
Expect "StrConv with an array lcid", r, e, Empty, 0
r = Empty : r = a.StrConv("x", 1, -1) : e = Err.Number : Err.Clear
Expect "StrConv with a negative lcid", r, e, Empty, 0
r = Empty : r = a.StrConv("x", -1) : e = Err.Number : Err.Clear
Expect "StrConv with a negative code", r, e, Empty, 0
r = Empty : r = a.StrConv("x", 99999) : e = Err.Number : Err.Clear
Expect "StrConv with a code beyond an Integer", r, e, Empty, 6
Set t = a : r = Empty : r = a.StrConv2(t, 1) : e = Err.Number : Err.Clear
Expect "StrConv2 of an object", r, e, False, 0
r = Empty : r = a.StrConv2(grid, 1) : e = Err.Number : Err.Clear
Expect "StrConv2 of an array", r, e, False, 0
CheckEq "... which stays an array", a.ArrayElements(grid), 12
t = big : r = Empty : r = a.StrConv2(t, 1) : e = Err.Number : Err.Clear
Expect "StrConv2 of 100,000 characters", r, e, True, 0
CheckEq "... converted in place", t, String(100000, "X")
r = Empty : r = Len(a.StrTrim(big & "--", "-")) : e = Err.Number : Err.Clear
Expect "StrTrim of 100,000 characters", r, e, 100000, 0
r = Empty : r = a.StrTrim(Null, "-") : e = Err.Number : Err.Clear
Expect "StrTrim of Null", r, e, Empty, 13
r = Empty : r = a.StrTrim(a, "-") : e = Err.Number : Err.Clear
Check "StrTrim of an object is an error", e <> 0
r = Empty : r = a.FormatByteSize(-5) : e = Err.Number : Err.Clear
Expect "FormatByteSize of a negative count", r, e, "-5 bytes", 0
r = Empty : r = Len(a.FormatByteSize(CCur(900000000000000))) > 0 : e = Err.Number : Err.Clear
Expect "FormatByteSize of the largest counts", r, e, True, 0
r = Empty : r = a.FormatByteSize("lots") : e = Err.Number : Err.Clear
Expect "FormatByteSize of text", r, e, Empty, 13
r = Empty : r = VarType(a.FormatTimeInterval(-1)) : e = Err.Number : Err.Clear
Expect "FormatTimeInterval of -1 gives a String", r, e, vbString, 0
r = Empty : r = a.FormatTimeInterval(1000, -5) : e = Err.Number : Err.Clear
Expect "FormatTimeInterval with negative digits", r, e, " 1 sec", 0
r = Empty : r = a.FormatTimeInterval(3000000000) : e = Err.Number : Err.Clear
Expect "FormatTimeInterval beyond a Long", r, e, Empty, 6
r = Empty : r = a.StrIsURL("http://" & big) : e = Err.Number : Err.Clear
Expect "StrIsURL of 100,000 characters", r, e, False, 0
r = Empty : r = a.StrIsUNC(Null) : e = Err.Number : Err.Clear
Expect "StrIsUNC of Null", r, e, Empty, 13
r = Empty : r = a.UrlEscape("http://" & big) : e = Err.Number : Err.Clear
Expect "UrlEscape of 100,000 characters", r, e, "", 0
r = Empty : r = Len(a.UrlEscape(big, True, -1)) : e = Err.Number : Err.Clear
Expect "UrlEscape decode with every flag keeps the 4096 limit", r, e, 0, 0
r = Empty : r = a.UrlCanonicalize("http://" & big, True) : e = Err.Number : Err.Clear
Expect "UrlCanonicalize of 100,000 characters", r, e, "", 0
r = Empty : r = a.UrlType(big, -1) : e = Err.Number : Err.Clear
Expect "UrlType with a negative test", r, e, False, 0
r = Empty : r = a.PathQuote(big, True) : e = Err.Number : Err.Clear
Expect "PathQuote of 100,000 characters", r, e, "", 0
r = Empty : r = a.PathQuote("a b" & Chr(0) & "c") : e = Err.Number : Err.Clear
Expect "PathQuote stops at an embedded NUL", r, e, """a b""", 0
r = Empty : r = a.PathCompact(big, 10) : e = Err.Number : Err.Clear
Expect "PathCompact of 100,000 characters", r, e, "", 0
r = Empty : r = a.PathCompact("c:\x", -1) : e = Err.Number : Err.Clear
Expect "PathCompact with a negative maximum", r, e, "", 0
r = Empty : r = Len(a.StringConvert(big, 0, 1252)) : e = Err.Number : Err.Clear
Expect "StringConvert of 100,000 characters packs 50,000", r, e, 50000, 0
r = Empty : r = a.StringConvert("x", 0, -2) : e = Err.Number : Err.Clear
Expect "StringConvert to code page -2", r, e, "", 0
r = Empty : r = a.StringConvert("x", 40000) : e = Err.Number : Err.Clear
Expect "StringConvert with cvt beyond an Integer", r, e, Empty, 6
r = Empty : r = VarType(a.StrIsUnicode(big, 0)) : e = Err.Number : Err.Clear
Expect "StrIsUnicode of 100,000 characters", r, e, vbBoolean, 0
t = 1E+20 : r = Empty : r = a.StrIsUnicode("text", t) : e = Err.Number : Err.Clear
Expect "StrIsUnicode with tests beyond a Long", r, e, False, 0
CheckEq "... leaves tests alone", t, 1E+20
Set t = a : r = Empty : r = VarType(a.StrIsUnicode("text", t)) : e = Err.Number : Err.Clear
Expect "StrIsUnicode with an object as tests", r, e, vbBoolean, 0
CheckEq "... replaces it with the matched Long", VarType(t), vbLong
r = Empty : r = a.CharsInStr(big & "y", "y") : e = Err.Number : Err.Clear
Expect "CharsInStr in 100,001 characters", r, e, 100001, 0
r = Empty : r = a.CharsInStr("abc", "c", -5) : e = Err.Number : Err.Clear
Expect "CharsInStr with a negative pos", r, e, 0, 0
r = Empty : r = a.CharsInStr("abc", "c", 2147483648) : e = Err.Number : Err.Clear
Expect "CharsInStr with pos beyond a Long", r, e, Empty, 6
r = Empty : r = Len(a.Format(big)) : e = Err.Number : Err.Clear
Expect "Format of 100,000 characters", r, e, 100000, 0
r = Empty : r = a.Format(5, big) : e = Err.Number : Err.Clear
Expect "a format text of 100,000 characters", r, e, Empty, 5
r = Empty : r = a.Format(1E+300, "0") : e = Err.Number : Err.Clear
Expect "a number too large to show", r, e, Empty, 6
r = Empty : r = a.Format(a) : e = Err.Number : Err.Clear
Expect "Format of an object without a value", r, e, Empty, 13
r = Empty : r = a.Format(cube) : e = Err.Number : Err.Clear
Expect "Format of a 3-dimensional array", r, e, Empty, 13
r = Empty : r = a.Format(Empty) : e = Err.Number : Err.Clear
Expect "Format of Empty", r, e, "", 0
r = Empty : r = a.Format(1, "0", -1) : e = Err.Number : Err.Clear
Expect "Format with first day -1", r, e, Empty, 5
r = Empty : r = a.GetByte(big, 1) : e = Err.Number : Err.Clear
Expect "GetByte of 100,000 characters", r, e, 120, 0
r = Empty : r = a.GetByte(1, -1) : e = Err.Number : Err.Clear
Expect "GetByte with a negative pos", r, e, 0, 0
r = Empty : r = a.GetByte(1, 40000) : e = Err.Number : Err.Clear
Expect "GetByte with pos beyond an Integer", r, e, Empty, 6
r = Empty : r = a.GetWord(cube, 1) : e = Err.Number : Err.Clear
Expect "GetWord of an array", r, e, 0, 0
r = Empty : r = a.GetDWord(nul, 1) : e = Err.Number : Err.Clear
Expect "GetDWord of a String with a NUL", r, e, 97, 0
r = Empty : r = a.GetStrWord(big, 199999) : e = Err.Number : Err.Clear
Expect "GetStrWord at the last whole word", r, e, 120, 0
r = Empty : r = a.GetStrWord(big, 200000) : e = Err.Number : Err.Clear
Expect "GetStrWord past the end", r, e, 0, 0
r = Empty : r = a.GetStrDWord(Null) : e = Err.Number : Err.Clear
Expect "GetStrDWord of Null", r, e, Empty, 13
r = Empty : r = a.RevInt16(40000) : e = Err.Number : Err.Clear
Expect "RevInt16 beyond an Integer", r, e, Empty, 6
r = Empty : r = a.RevInt32(2147483648) : e = Err.Number : Err.Clear
Expect "RevInt32 beyond a Long", r, e, Empty, 6
r = Empty : r = a.RevInt64("x") : e = Err.Number : Err.Clear
Expect "RevInt64 of text", r, e, Empty, 13
r = Empty : r = a.VarArray(Null) : e = Err.Number : Err.Clear
Expect "VarArray of Null", r, e, Empty, 0
r = Empty : r = a.VarArray(a) : e = Err.Number : Err.Clear
Expect "VarArray of an object", r, e, Empty, 0
r = Empty : r = a.VarArray(u) : e = Err.Number : Err.Clear
Expect "VarArray of an unallocated array", r, e, Empty, 0
r = Empty : r = a.VarArray(cube) : e = Err.Number : Err.Clear
Expect "VarArray of a 3-dimensional array", r, e, Empty, 9
r = Empty : r = UBound(a.VarArray(many)) : e = Err.Number : Err.Clear
Expect "VarArray of 100,000 elements", r, e, 99999, 0
r = Empty : r = UBound(a.VarArray2(cube)) : e = Err.Number : Err.Clear
Expect "VarArray2 of a 3-dimensional array", r, e, 11, 0
r = Empty : r = a.VarArray2(u) : e = Err.Number : Err.Clear
Expect "VarArray2 of an unallocated array", r, e, Empty, 0
r = Empty : r = a.VarArray2(Null) : e = Err.Number : Err.Clear
Expect "VarArray2 of Null", r, e, Empty, 0
r = Empty : r = a.ArrayDimensions(cube) : e = Err.Number : Err.Clear
Expect "ArrayDimensions of a 3-dimensional array", r, e, 3, 0
r = Empty : r = a.ArrayDimensions(u) : e = Err.Number : Err.Clear
Expect "ArrayDimensions of an unallocated array", r, e, 0, 0
r = Empty : r = a.ArrayElements(many) : e = Err.Number : Err.Clear
Expect "ArrayElements of 100,000", r, e, 100000, 0
r = Empty : r = a.ArrayElements(Null) : e = Err.Number : Err.Clear
Expect "ArrayElements of Null", r, e, 0, 0
r = Empty : r = a.VariantType(Empty) : e = Err.Number : Err.Clear
Expect "VariantType of Empty", r, e, 0, 0
r = Empty : r = a.VariantType(cube) : e = Err.Number : Err.Clear
Expect "VariantType of a 3-dimensional array variable", r, e, 8204, 0
r = Empty : r = a.StrToInt64(big) : e = Err.Number : Err.Clear
Expect "StrToInt64 of 100,000 letters", r, e, CCur(0), 0
r = Empty : r = a.StrToInt64("1" & Chr(0) & "2") : e = Err.Number : Err.Clear
Expect "StrToInt64 stops at an embedded NUL", r, e, CCur(0.0001), 0
r = Empty : r = VarType(a.StrToInt64(String(100000, "9"))) : e = Err.Number : Err.Clear
Expect "StrToInt64 of 100,000 digits gives a Currency", r, e, vbCurrency, 0
r = Empty : r = a.Hex64(Null) : e = Err.Number : Err.Clear
Expect "Hex64 of Null", r, e, Empty, 13
r = Empty : r = a.Hex64(-922337203685477) : e = Err.Number : Err.Clear
Expect "Hex64 of a large negative Currency", r, e, "80000000000016B0", 0
On Error GoTo 0

' The server is still there and a new object works.
CheckEq "the object still answers", a.RevInt16(1), 256
Dim b : Set b = CreateObject("Kelpa.Aux")
CheckEq "a new object answers", b.Hex64(CCur(0.0255)), "FF"
Done
