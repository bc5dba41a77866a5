' Registry through a script client: a private tree under HKCU imported from
' a .reg file (UTF-16, which Wine's regedit reads correctly), every value
' type, arrays of both shapes, key and value tests, item lists and Search.
Dim sh, fso, regFile, f, r, v, n, items, fixed(2), base, rc
Set sh = CreateObject("WScript.Shell")
Set fso = CreateObject("Scripting.FileSystemObject")
base = "HKCU\Software\KelpaE2E-Registry"
regFile = gTemp & "\tree.reg"
Set f = fso.CreateTextFile(regFile, True, True)
f.WriteLine "Windows Registry Editor Version 5.00"
f.WriteLine ""
f.WriteLine "[HKEY_CURRENT_USER\Software\KelpaE2E-Registry]"
f.WriteLine "@=""the default"""
f.WriteLine """sz""=""text"""
f.WriteLine """expand""=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,00,25,00,5c,00,78,00,00,00"
f.WriteLine """multi""=hex(7):61,00,00,00,62,00,00,00,00,00"
f.WriteLine """multiEmpty""=hex(7):00,00"
f.WriteLine """dword""=dword:ffffffff"
f.WriteLine """qword""=hex(b):08,07,06,05,04,03,02,01"
f.WriteLine """binary""=hex:00,01,ff"
f.WriteLine """binaryEmpty""=hex:"
f.WriteLine """szEmpty""="""""
f.WriteLine """a\\b""=""backslashed name"""
f.WriteLine ""
f.WriteLine "[HKEY_CURRENT_USER\Software\KelpaE2E-Registry\one]"
f.WriteLine """Name""=""needle"""
f.WriteLine "[HKEY_CURRENT_USER\Software\KelpaE2E-Registry\one\Target]"
f.WriteLine "[HKEY_CURRENT_USER\Software\KelpaE2E-Registry\two]"
f.WriteLine "[HKEY_CURRENT_USER\Software\KelpaE2E-Registry\two\deep\Target]"
f.WriteLine "[HKEY_CURRENT_USER\Software\KelpaE2E-Registry\two\deep\Target\Name]"
f.WriteLine "[HKEY_CURRENT_USER\Software\KelpaE2E-Registry\empty]"
f.Close
sh.Run "reg delete " & base & " /f", 0, True
rc = sh.Run("regedit /s """ & regFile & """", 0, True)
CheckEq "fixture imported", rc, 0

Set r = CreateObject("Kelpa.Registry")
CheckEq "defaults: KeyLevels", r.KeyLevels, 4
CheckEq "defaults: ItemType", r.ItemType, 0
CheckEq "defaults: ConvertArr", r.ConvertArr, True
CheckEq "defaults: ConvertStr", r.ConvertStr, True

CheckEq "REG_SZ", r.RegRead(base & "\sz"), "text"
CheckEq "REG_SZ: ErrorCode", r.ErrorCode, 0
CheckEq "trailing backslash reads the default value", r.RegRead(base & "\"), "the default"
CheckEq "sVal names the value", r.RegRead(base, "sz"), "text"
CheckEq "value name with a backslash through sVal", r.RegRead(base, "a\b"), "backslashed name"
CheckEq "RegRead1 ignores sVal", r.RegRead1(base & "\sz", "nothing"), "text"
CheckEq "empty REG_SZ", r.RegRead(base & "\szEmpty"), ""
CheckEq "REG_EXPAND_SZ expanded", r.RegRead(base & "\expand"), EnvVar("SystemRoot") & "\x"
r.ConvertStr = False
CheckEq "REG_EXPAND_SZ literal", r.RegRead(base & "\expand"), "%SystemRoot%\x"
v = r.RegRead(base & "\multi")
CheckEq "REG_MULTI_SZ as one string", v, "a" & Chr(0) & "b" & Chr(0)
r.ConvertStr = True
v = r.RegRead(base & "\multi")
CheckEq "REG_MULTI_SZ as an array: upper bound", UBound(v), 1
CheckEq "REG_MULTI_SZ item 0", v(0), "a"
CheckEq "REG_MULTI_SZ item 1", v(1), "b"
v = r.RegRead(base & "\multiEmpty")
CheckEq "empty REG_MULTI_SZ is an empty array", UBound(v), -1
CheckEq "empty REG_MULTI_SZ: ErrorCode", r.ErrorCode, 0
CheckEq "REG_DWORD 0xFFFFFFFF", r.RegRead(base & "\dword"), -1
CheckEq "REG_DWORD is a Long", VarType(r.RegRead(base & "\dword")), vbLong
v = r.RegRead(base & "\qword")
CheckEq "REG_QWORD gives 8 bytes", UBound(v), 7
CheckEq "REG_QWORD first byte", v(0), 8
CheckEq "byte elements are Bytes", VarType(v(0)), vbByte
v = r.RegRead(base & "\binary")
CheckEq "REG_BINARY last byte", v(2), 255
CheckEq "empty REG_BINARY is Empty", VarType(r.RegRead(base & "\binaryEmpty")), vbEmpty
CheckEq "empty REG_BINARY: ErrorCode", r.ErrorCode, 0
r.ConvertArr = False
v = r.RegRead(base & "\binary")
CheckEq "ConvertArr False: a Byte array", VarType(v), vbArray + vbByte
v = r.RegRead(base & "\multi")
CheckEq "ConvertArr False: a String array", VarType(v), vbArray + vbString
r.ConvertArr = True

CheckEq "missing value is Empty", VarType(r.RegRead(base & "\nothing")), vbEmpty
CheckEq "missing value: 802", r.ErrorCode, 802
CheckEq "HKLM alone is Empty", VarType(r.RegRead("HKLM")), vbEmpty
CheckEq "HKLM alone: 801", r.ErrorCode, 801
v = r.RegRead("HKXX\Software")
CheckEq "unknown root: 801", r.ErrorCode, 801
v = r.RegRead("")
CheckEq "empty path: 801", r.ErrorCode, 801

CheckEq "RegEntryExists on HKCU\Software", r.RegEntryExists("HKCU\Software"), 1
CheckEq "RegEntryExists on a value", r.RegEntryExists(base & "\sz"), 2
CheckEq "RegEntryExists on a backslashed value name", r.RegEntryExists(base & "\a\b"), 2
CheckEq "RegEntryExists on a missing path", r.RegEntryExists(base & "\none\x"), 0
CheckEq "RegEntryExists on a missing path: 802", r.ErrorCode, 802
CheckEq "RegEntryExists1 splits once", r.RegEntryExists1(base & "\a\b"), 0
CheckEq "RegEntryExists1: the platform's error", r.ErrorCode, 2
CheckEq "RegEntryExists1 on a value", r.RegEntryExists1(base & "\sz"), 2

n = r.GetItems(base, items)
CheckEq "GetItems: three subkeys", n, 3
CheckEq "GetItems: array bound", UBound(items), 2
CheckEq "GetItems: ErrorCode", r.ErrorCode, 0
items = "unchanged"
n = r.GetItems(base & "\empty", items)
CheckEq "GetItems on a key without subkeys", n, 0
CheckEq "GetItems: 802", r.ErrorCode, 802
CheckEq "GetItems leaves the variable alone", items, "unchanged"
n = r.GetItems(base, fixed)
CheckEq "GetItems into a fixed array", n, 0
CheckEq "GetItems into a fixed array: 801", r.ErrorCode, 801
r.ItemType = 1
n = r.GetItems(base & "\", items)
CheckEq "GetItems: value names", n, 11
r.ItemType = 0

CheckEq "Search: first Target", r.Search("Target", base), base & "\one\Target"
r.Continue = 1
CheckEq "Search: second Target", r.Search("Target", base), base & "\two\deep\Target"
r.Continue = 2
CheckEq "Search: no third", r.Search("Target", base), ""
CheckEq "Search: 802", r.ErrorCode, 802
r.Continue = 0
r.ItemType = 2
CheckEq "Search for data", r.Search("needle", base), base & "\one\Name"
r.ItemType = 0
r.KeyLevels = 3
CheckEq "Search within three levels misses the deep key", r.Search("Name", base), ""
r.KeyLevels = 4
CheckEq "Search within four levels finds it", r.Search("Name", base), base & "\two\deep\Target\Name"
r.KeyLevels = 0
r.KeyLevels = 65
CheckEq "KeyLevels 0 and 65 are ignored", r.KeyLevels, 4
v = r.Search("x", "\")
CheckEq "Search in a lone backslash: 801", r.ErrorCode, 801
v = r.Search("", base)
CheckEq "Search for nothing: 801", r.ErrorCode, 801

sh.Run "reg delete " & base & " /f", 0, True
CheckEq "the tree is gone", r.RegEntryExists(base), 0
Done
