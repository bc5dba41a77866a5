' Aux text members through the registered server: trimming, conversions,
' byte sizes, intervals, paths, URLs, code pages, Unicode tests, Format.
Dim a, r, s, t, q
Set a = CreateObject("Kelpa.Aux")

' StrTrim
CheckEq "StrTrim removes runs of minus signs at both ends", a.StrTrim("---a-b--", "-"), "a-b"
CheckEq "StrTrim with empty chars changes nothing", a.StrTrim("---a-b--", ""), "---a-b--"
CheckEq "StrTrim takes any order and count of chars", a.StrTrim(" x.y. ", ". "), "x.y"
CheckEq "StrTrim keeps what follows an embedded NUL", a.StrTrim("-a" & Chr(0) & "b-", "-"), "a" & Chr(0) & "b"
CheckEq "StrTrim can trim NUL padding", a.StrTrim("ab" & String(3, Chr(0)), Chr(0)), "ab"

' CharsInStr
CheckEq "CharsInStr finds o", a.CharsInStr("hello world", "ow"), 5
CheckEq "CharsInStr from pos 6 finds w", a.CharsInStr("hello world", "ow", 6), 7
CheckEq "CharsInStr from pos 12 is 0", a.CharsInStr("hello world", "ow", 12), 0
CheckEq "CharsInStr with empty ch is 0", a.CharsInStr("hello world", ""), 0
CheckEq "CharsInStr with pos 0 is 0", a.CharsInStr("hello world", "h", 0), 0
CheckEq "CharsInStr looks past an embedded NUL", a.CharsInStr("a" & Chr(0) & "b", "b"), 3

' StrConv, StrConv2, UnicodeStr
CheckEq "StrConv 1 upper case", a.StrConv("abc Def", 1), "ABC DEF"
CheckEq "StrConv 2 lower case", a.StrConv("ABC Def", 2), "abc def"
CheckEq "StrConv 3 proper case", a.StrConv("hELLO wORLD" & vbTab & "x", 3), "Hello World" & vbTab & "X"
CheckEq "StrConv with a numeric lcid", a.StrConv("abc", 1, 1033), "ABC"
CheckEq "StrConv with a numeric text as lcid", a.StrConv("abc", 1, "1033"), "ABC"
CheckEq "StrConv with a non-numeric lcid is Empty", a.StrConv("abc", 1, "english"), Empty
CheckEq "StrConv with an unknown locale is Empty", a.StrConv("abc", 1, 99999), Empty
CheckEq "StrConv with code 0 is Empty", a.StrConv("abc", 0), Empty
CheckEq "StrConv with wide and narrow together is Empty", a.StrConv("abc", 12), Empty
s = a.StrConv("abcd", 128)
CheckEq "StrConv 128 packs two bytes a character", Len(s), 2
CheckEq "StrConv 128 first packed word", Hex(a.GetStrWord(s, 1)), "6261"
CheckEq "StrConv 64 widens them again", a.StrConv(s, 64), "abcd"
CheckEq "UnicodeStr of a packed String", a.UnicodeStr(s), "abcd"
CheckEq "UnicodeStr of a number is Empty", a.UnicodeStr(42), Empty
CheckEq "UnicodeStr of Empty is Empty", a.UnicodeStr(Empty), Empty
CheckEq "UnicodeStr of a Variant array is Empty", a.UnicodeStr(Array(1, 2)), Empty
t = "mixed Case"
r = a.StrConv2(t, 1)
CheckEq "StrConv2 returns True", r, True
CheckEq "StrConv2 converts the variable in place", t, "MIXED CASE"
r = a.StrConv2(t, 12)
CheckEq "StrConv2 with an invalid code returns False", r, False
CheckEq "StrConv2 failure leaves the variable", t, "MIXED CASE"
t = Null
r = a.StrConv2(t, 1)
CheckEq "StrConv2 of Null returns False", r, False
CheckEq "StrConv2 leaves Null as it was", IsNull(t), True
' Literals and expressions to a ByRef Variant: the member runs, the call succeeds.
r = a.StrConv2(12, 128)
CheckEq "StrConv2 of a literal whose result is no number", r, True
r = a.StrConv2("ab" & "c", 1)
CheckEq "StrConv2 of an expression", r, True

' FormatByteSize, FormatTimeInterval
CheckEq "FormatByteSize uses the Currency's value", a.FormatByteSize(CCur(1536)), "1.50 KB"
CheckEq "FormatByteSize of 0", a.FormatByteSize(0), "0 bytes"
CheckEq "FormatByteSize rounds half to even", a.FormatByteSize(CCur(2.5)), "2 bytes"
CheckEq "FormatTimeInterval of a second", a.FormatTimeInterval(1000), " 1 sec"
CheckEq "FormatTimeInterval with 6 digits", a.FormatTimeInterval(3723000), " 1 hr 2 min 3 sec"
CheckEq "FormatTimeInterval with 2 digits", a.FormatTimeInterval(3723000, 2), " 1 hr 2 min"

' Paths and URLs
CheckEq "StrIsURL of an http URL", a.StrIsURL("http://example.com/x"), True
CheckEq "StrIsURL of a path", a.StrIsURL("c:\x"), False
CheckEq "StrIsURL of 300 characters is False", a.StrIsURL("http://example.com/" & String(281, "a")), False
CheckEq "StrIsUNC of a share", a.StrIsUNC("\\server\share\x"), True
CheckEq "StrIsUNC of a drive path", a.StrIsUNC("c:\x"), False
CheckEq "PathQuote of a path with a blank", a.PathQuote("c:\a b\c"), """c:\a b\c"""
CheckEq "PathQuote unquote", a.PathQuote("""c:\a b\c""", True), "c:\a b\c"
CheckEq "PathQuote of a path without a blank", a.PathQuote("c:\ab"), "c:\ab"
CheckEq "PathQuote of 258 characters is empty", a.PathQuote(String(258, "a")), ""
r = a.PathCompact("c:\alpha\beta\gamma\delta\file.txt", 20)
Check "PathCompact shortens to fewer than 20 characters", Len(r) < 20 And InStr(r, "...") > 0
CheckEq "PathCompact with 260 is empty", a.PathCompact("c:\x", 260), ""
CheckEq "PathCompact with 0 is empty", a.PathCompact("c:\x", 0), ""
CheckEq "UrlEscape escapes a blank", a.UrlEscape("http://a.b/c d"), "http://a.b/c%20d"
CheckEq "UrlEscape decode", a.UrlEscape("http://a.b/c%20d%41", True), "http://a.b/c dA"
CheckEq "UrlEscape with in-place unescape", a.UrlEscape("x%41", True, &H100000), "xA"
CheckEq "UrlEscape beyond 4096 characters is empty", a.UrlEscape("http://a/" & String(5000, "x")), ""
CheckEq "UrlCanonicalize removes dot segments", a.UrlCanonicalize("http://a.b/x/../c"), "http://a.b/c"
CheckEq "UrlCanonicalize decode", a.UrlCanonicalize("http://a.b/x/../c%41", True), "http://a.b/cA"
CheckEq "UrlType 3: a file URL", a.UrlType("file:///c:/x", 3), True
CheckEq "UrlType 3: not a file URL", a.UrlType("http://a/", 3), False
CheckEq "UrlType with an unknown test", a.UrlType("http://a/", 99), False

' StringConvert
s = a.StringConvert("abcd", 0, 1252)
CheckEq "StringConvert to 1252 packs the bytes", Len(s), 2
CheckEq "StringConvert back", a.StringConvert(s, True, 1252), "abcd"
CheckEq "StringConvert default code page round trip", a.StringConvert(a.StringConvert("wxyz"), 1), "wxyz"
CheckEq "StringConvert of empty", a.StringConvert(""), ""
CheckEq "StringConvert with an unknown code page", a.StringConvert("abc", 0, 12345678), ""

' StrIsUnicode
t = 99
r = a.StrIsUnicode("", t)
CheckEq "StrIsUnicode of empty is False", r, False
CheckEq "StrIsUnicode of empty sets tests to 0", t, 0
CheckEq "... as a Long", VarType(t), vbLong
t = 8
s = a.StrConv(Chr(255) & Chr(254) & "a" & Chr(0), 128)
r = a.StrIsUnicode(s, t)
CheckEq "StrIsUnicode sees a byte-order mark", r, True
CheckEq "StrIsUnicode leaves the signature test in tests", t, 8
t = "abc"
r = a.StrIsUnicode("text", t)
CheckEq "non-numeric tests becomes the matched mask", VarType(t), vbLong
r = a.StrIsUnicode("text", 0)
Check "StrIsUnicode with a literal tests runs", VarType(r) = vbBoolean

' Format
CheckEq "Format with a pattern", a.Format(1234.5, "#,##0.00"), "1,234.50"
CheckEq "Format of an expression without pattern", a.Format(1 / 4), "0.25"
CheckEq "Format of a date", a.Format(DateSerial(2024, 1, 7), "yyyy-mm-dd"), "2024-01-07"
CheckEq "Format weekday of a Monday, weeks from Sunday", a.Format(DateSerial(2024, 1, 8), "w", 1), "2"
CheckEq "Format weekday of a Monday, weeks from Monday", a.Format(DateSerial(2024, 1, 8), "w", 2), "1"
CheckEq "Format of Null", a.Format(Null), ""
q = 3.5
CheckEq "Format of a variable", a.Format(q, "0.0"), "3.5"
CheckEq "Format leaves the variable", q, 3.5
On Error Resume Next
r = a.Format(1, "0", 9)
CheckError "Format with first day 9", Err.Number, Err.Source, Err.Description, 5, "Kelpa.Aux", "Invalid procedure call or argument"
Err.Clear
r = a.Format(Array(1))
CheckError "Format of an array", Err.Number, Err.Source, Err.Description, 13, "Kelpa.Aux", "Type mismatch"
Err.Clear
On Error GoTo 0
Done
