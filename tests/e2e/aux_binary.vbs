' Aux binary and number members through the registered server: bytes of
' values, byte order, array shapes in all three forms scripts pass, and
' 64-bit integers as the raw pattern of a Currency.
Dim a, r, s, v, d, fixed(2), grid, cube, i, text
Set a = CreateObject("Kelpa.Aux")

' GetByte, GetWord, GetDWord
CheckEq "GetByte of a literal Integer", a.GetByte(258), 2
CheckEq "GetByte second byte", a.GetByte(258, 2), 1
CheckEq "GetByte of bytes the Integer does not have", a.GetByte(258, 3), 0
CheckEq "GetByte with pos 9 is 0", a.GetByte(CDbl(-2), 9), 0
CheckEq "GetByte with pos 0 is 0", a.GetByte(258, 0), 0
CheckEq "GetByte top byte of a Double", a.GetByte(CDbl(-2), 8), 192
CheckEq "GetDWord pos 5 reads bytes 5 to 8", Hex(a.GetDWord(CDbl(-2), 5)), "C0000000"
CheckEq "GetDWord pos 6 is 0", a.GetDWord(CDbl(-2), 6), 0
CheckEq "GetWord of a Long variable", Hex(a.GetWord(&H12345678)), "5678"
CheckEq "GetWord pos 3 of a Long", Hex(a.GetWord(&H12345678, 3)), "1234"
CheckEq "GetWord pos 8 is 0", a.GetWord(CDbl(1), 8), 0
v = CCur(1)  ' raw pattern 10000 = &H2710
CheckEq "GetDWord of a Currency variable", a.GetDWord(v), 10000
text = "AB"
CheckEq "GetDWord of a String reads its text", Hex(a.GetDWord(text)), "420041"
CheckEq "GetDWord of a one-character String stops at its NUL", Hex(a.GetDWord("A")), "41"
CheckEq "GetDWord of a short String beyond its storage is 0", a.GetDWord("A", 5), 0
CheckEq "GetDWord of a long String: only four characters", Hex(a.GetDWord("ABCDE", 5)), "440043"
CheckEq "GetByte of Empty", a.GetByte(Empty), 0
CheckEq "GetByte of Null", a.GetByte(Null), 0
CheckEq "GetDWord of an object has no pointer bytes", a.GetDWord(a), 0
CheckEq "GetDWord of an array has no pointer bytes", a.GetDWord(Array(1)), 0

' GetStrWord, GetStrDWord
CheckEq "GetStrWord of one character", a.GetStrWord("A"), 65
CheckEq "GetStrWord pos 2 needs bytes 2 and 3", a.GetStrWord("A", 2), 0
CheckEq "GetStrWord straddles two characters", Hex(a.GetStrWord("AB", 2)), "4200"
CheckEq "GetStrDWord of two characters", Hex(a.GetStrDWord("AB")), "420041"
CheckEq "GetStrDWord beyond the text", a.GetStrDWord("AB", 2), 0
CheckEq "GetStrDWord with a negative pos", a.GetStrDWord("ABCD", -1), 0

' RevInt16, RevInt32, RevInt64
CheckEq "RevInt16 of &H1234", Hex(a.RevInt16(&H1234)), "3412"
CheckEq "RevInt16 of -256 (FF00)", a.RevInt16(-256), 255
CheckEq "RevInt32 of 1", a.RevInt32(1), 16777216
CheckEq "RevInt32 of 255 sets the top bit", Hex(a.RevInt32(255)), "FF000000"
CheckEq "RevInt64 of raw 255", a.Hex64(a.RevInt64(a.StrToInt64("255"))), "FF00000000000000"
CheckEq "RevInt64 twice", a.Hex64(a.RevInt64(a.RevInt64(a.StrToInt64("&H123456789A")))), "123456789A"

' StrToInt64, Hex64
CheckEq "StrToInt64 of &HFF is raw 255", a.StrToInt64("&HFF"), CCur(0.0255)
CheckEq "StrToInt64 of 0x100000000", a.Hex64(a.StrToInt64("0x100000000")), "100000000"
CheckEq "StrToInt64 of a decimal", a.StrToInt64("-12345"), CCur(-1.2345)
CheckEq "StrToInt64 of nonsense is 0", a.StrToInt64("nonsense"), CCur(0)
CheckEq "StrToInt64 of empty is 0", a.StrToInt64(""), CCur(0)
CheckEq "Hex64 of raw 2^32", a.Hex64(CCur(429496.7296)), "100000000"
CheckEq "Hex64 of raw 255", a.Hex64(CCur(0.0255)), "FF"
CheckEq "Hex64 of raw 2^31: all 8 digits", a.Hex64(CCur(214748.3648)), "80000000"
CheckEq "Hex64 of raw 2^32 + 1 pads the low half", a.Hex64(CCur(429496.7297)), "100000001"
CheckEq "Hex64 of raw -1", a.Hex64(CCur(-0.0001)), "FFFFFFFFFFFFFFFF"
CheckEq "Hex64 of 0", a.Hex64(0), "0"
CheckEq "Hex64 of the largest Currency", a.Hex64(a.StrToInt64("0x7FFFFFFFFFFFFFFF")), "7FFFFFFFFFFFFFFF"
CheckEq "FormatByteSize reads the value, Hex64 the pattern", a.Hex64(CCur(1536)), "EA6000"

' VariantType: the type word as received
CheckEq "VariantType of a literal Integer", a.VariantType(5), 2
CheckEq "VariantType of an expression", a.VariantType(1 + 1.5), 5
CheckEq "VariantType of a String", a.VariantType("x"), 8
CheckEq "VariantType of Null", a.VariantType(Null), 1
CheckEq "VariantType of Array()", a.VariantType(Array(1)), 8204
d = Array(1, 2)
CheckEq "VariantType of a dynamic array variable", a.VariantType(d), 8204
CheckEq "VariantType of a fixed array shows the reference", a.VariantType(fixed), 24588
CheckEq "VariantType of an object", a.VariantType(a), 9

' ArrayDimensions, ArrayElements
ReDim grid(2, 3)
CheckEq "ArrayElements of 3 x 4", a.ArrayElements(grid), 12
CheckEq "ArrayDimensions of 3 x 4", a.ArrayDimensions(grid), 2
CheckEq "ArrayElements of a number", a.ArrayElements(7), 0
CheckEq "ArrayDimensions of a number", a.ArrayDimensions(7), 0
CheckEq "ArrayElements of a fixed array", a.ArrayElements(fixed), 3
CheckEq "ArrayElements of Array()", a.ArrayElements(Array()), 0
CheckEq "ArrayDimensions of Array()", a.ArrayDimensions(Array()), 1

' VarArray
r = a.VarArray(Array("x", 2, Null))
CheckEq "VarArray of an Array() expression: upper bound", UBound(r), 2
CheckEq "VarArray element 0", r(0), "x"
CheckEq "VarArray keeps Null elements", IsNull(r(2)), True
fixed(0) = "f0" : fixed(1) = 1 : fixed(2) = 2.5
r = a.VarArray(fixed)
CheckEq "VarArray of a fixed array", r(0) & "|" & r(1) & "|" & r(2), "f0|1|2.5"
r = a.VarArray(d)
CheckEq "VarArray of a dynamic array variable", UBound(r) & ":" & r(1), "1:2"
d(0) = "changed"
CheckEq "VarArray returns a copy", r(0), 1
CheckEq "VarArray of Array() is Empty", a.VarArray(Array()), Empty
CheckEq "VarArray of a number is Empty", a.VarArray(3), Empty
On Error Resume Next
r = a.VarArray(grid)
CheckError "VarArray of a 2-dimensional array", Err.Number, Err.Source, Err.Description, 9, "Kelpa.Aux", "Subscript out of range"
Err.Clear
On Error GoTo 0

' VarArray2: storage order, first index fastest; the array stays as it was
ReDim grid(1, 1)
grid(0, 0) = "00" : grid(1, 0) = "10" : grid(0, 1) = "01" : grid(1, 1) = "11"
r = a.VarArray2(grid)
CheckEq "VarArray2 of 2 x 2 in storage order", r(0) & " " & r(1) & " " & r(2) & " " & r(3), "00 10 01 11"
CheckEq "VarArray2 upper bound", UBound(r), 3
CheckEq "the array keeps its dimensions", a.ArrayDimensions(grid), 2
CheckEq "the array keeps its bounds", UBound(grid, 1) & UBound(grid, 2), "11"
CheckEq "the array keeps its elements", grid(1, 0), "10"
ReDim cube(1, 2, 1)
For i = 0 To 11
    cube(i Mod 2, (i \ 2) Mod 3, i \ 6) = i
Next
r = a.VarArray2(cube)
s = ""
For i = 0 To UBound(r) : s = s & r(i) & " " : Next
CheckEq "VarArray2 of a 3-dimensional array", s, "0 1 2 3 4 5 6 7 8 9 10 11 "
r = a.VarArray2(fixed)
CheckEq "VarArray2 of a fixed array", UBound(r) & r(0), "2f0"
r = a.VarArray2(Array())
CheckEq "VarArray2 of Array() is an empty array", UBound(r), -1
CheckEq "VarArray2 of a String is Empty", a.VarArray2("abc"), Empty
Done
