// Aux from JScript: every value arrives by value, arrays come as objects, and
// array results are read through VBArray. Characters above 255 travel here.
var a = new ActiveXObject("Kelpa.Aux");
function u16(n) { return n & 0xFFFF; }

checkEq("StrTrim", a.StrTrim("--x--", "-"), "x");
checkEq("CharsInStr", a.CharsInStr("hello world", "ow", 6), 7);
checkEq("StrConv upper case", a.StrConv("abc", 1), "ABC");
checkEq("StrConv wide", a.StrConv("a1", 4), "\uFF41\uFF11");
checkEq("StrConv narrow", a.StrConv("\uFF41\uFF11", 8), "a1");
checkEq("StrConv katakana", a.StrConv("\u3042", 16), "\u30A2");
checkEq("StrConv hiragana", a.StrConv("\u30A2", 32), "\u3042");
var packed = a.StrConv("\u20AC" + "a", 128);  // the euro sign is 0x80 in 1252
checkEq("StrConv 128 of the euro sign", u16(a.GetStrWord(packed, 1)), 0x6180);
checkEq("StrConv 64 brings it back", a.StrConv(packed, 64), "\u20AC" + "a");
checkEq("StrConv with a non-numeric lcid is empty", typeof a.StrConv("abc", 1, "x"), "undefined");
checkEq("UnicodeStr of a packed String", a.UnicodeStr(packed), "\u20AC" + "a");
checkEq("UnicodeStr of a number is empty", typeof a.UnicodeStr(5), "undefined");
checkEq("UnicodeStr of a JScript array is empty", typeof a.UnicodeStr([1, 2]), "undefined");

// [in, out] parameters with JScript values: the member runs, the call succeeds.
checkEq("StrConv2 of a string", a.StrConv2("abc", 1), true);
checkEq("StrConv2 of a number whose result is no number", a.StrConv2(12, 128), true);
checkEq("StrConv2 of null", a.StrConv2(null, 1), false);
checkEq("StrIsUnicode with a number", a.StrIsUnicode("\uFEFFtext", 8), true);
checkEq("StrIsUnicode of empty", a.StrIsUnicode("", 5), false);
checkEq("VariantType of a number", a.VariantType(5), 3);
checkEq("VariantType of a fraction", a.VariantType(1.5), 5);
checkEq("VariantType of a string", a.VariantType("x"), 8);
checkEq("VariantType of a boolean", a.VariantType(true), 11);
checkEq("VariantType of null", a.VariantType(null), 1);
checkEq("VariantType of a JScript array", a.VariantType([1]), 9);
checkEq("GetByte of a number", a.GetByte(258, 2), 1);
checkEq("GetDWord of a string", a.GetDWord("\u1234"), 0x1234);
checkEq("Format of a number", a.Format(0.25, "0.00"), "0.25");
checkEq("Format of a string", a.Format("abc", ">"), "ABC");
checkEq("ArrayElements of a JScript array", a.ArrayElements([1, 2, 3]), 0);
checkEq("ArrayDimensions of a JScript array", a.ArrayDimensions([1, 2, 3]), 0);
checkEq("VarArray of a JScript array is empty", typeof a.VarArray([1, 2]), "undefined");
checkEq("VarArray2 of a JScript array is empty", typeof a.VarArray2([1, 2]), "undefined");

// A SAFEARRAY obtained from a COM call goes back as one.
var dict = new ActiveXObject("Scripting.Dictionary");
dict.Add("k1", 1);
dict.Add("k2", 2);
var keys = dict.Keys();
checkEq("ArrayElements of a SAFEARRAY from a COM call", a.ArrayElements(keys), 2);
checkEq("VarArray through VBArray", new VBArray(a.VarArray(keys)).toArray().join(","), "k1,k2");
checkEq("VarArray2 through VBArray", new VBArray(a.VarArray2(keys)).toArray().join(","), "k1,k2");
var e = caught(function () { a.Format(keys); });
check("Format of an array raises", e !== null);
if (e) checkEq("a type mismatch", hex(e.number), "800A000D");

checkEq("StringConvert to UTF-8", u16(a.GetStrWord(a.StringConvert("\u20AC\u20AC", 0, 65001), 1)), 0x82E2);
// Two, three and one bytes: an even count, which crosses the process boundary as it is.
checkEq("StringConvert from UTF-8", a.StringConvert(a.StringConvert("\u03A9\u611Fx", 0, 65001), 1, 65001),
        "\u03A9\u611Fx");
checkEq("Hex64 of a StrToInt64 result", a.Hex64(a.StrToInt64("&H1FFFFFFFF")), "1FFFFFFFF");
checkEq("RevInt16", a.RevInt16(0x1234), 0x3412);
checkEq("RevInt32", a.RevInt32(1), 16777216);
checkEq("FormatByteSize", a.FormatByteSize(1536), "1.50 KB");
checkEq("FormatTimeInterval", a.FormatTimeInterval(1000), " 1 sec");
checkEq("StrIsURL", a.StrIsURL("http://x/"), true);
checkEq("StrIsUNC", a.StrIsUNC("\\\\s\\x"), true);
checkEq("UrlEscape", a.UrlEscape("http://a/b c"), "http://a/b%20c");
checkEq("UrlCanonicalize", a.UrlCanonicalize("http://a/x/../b"), "http://a/b");
checkEq("UrlType", a.UrlType("file:///c:/x", 3), true);
checkEq("PathQuote", a.PathQuote("a b"), "\"a b\"");
checkEq("PathCompact of 260", a.PathCompact("c:\\x", 260), "");
checkEq("GetStrDWord", a.GetStrDWord("AB"), 0x420041);
done();
