' Profile through the registered server: values, sections, names, deletion.
Dim p, fso, path, r, n, s, d
Set fso = CreateObject("Scripting.FileSystemObject")
path = gTemp & "\basics.ini"
Dim f
Set f = fso.CreateTextFile(path, True)
f.Close

Set p = CreateObject("Kelpa.Profile")
CheckEq "new object: File is empty", p.File, ""
CheckEq "new object: ErrorLevel is 1", p.ErrorLevel, 1
p.File = path
CheckEq "File returns the path as given", p.File, path

r = p.SetValue("One", "alpha", "first value")
CheckEq "SetValue writes", r, True
CheckEq "GetValue reads it back", p.GetValue("One", "alpha"), "first value"
CheckEq "key lookup ignores case", p.GetValue("one", "ALPHA"), "first value"
CheckEq "missing key gives empty", p.GetValue("One", "nothing"), ""
CheckEq "missing section gives empty", p.GetValue("Nowhere", "alpha"), ""
r = p.SetValue("One", "beta", "2")
CheckEq "GetSection with CR LF after each entry", p.GetSection("One"), "alpha=first value" & vbCrLf & "beta=2" & vbCrLf
CheckEq "GetSection cvt False keeps NULs", p.GetSection("One", False), "alpha=first value" & Chr(0) & "beta=2" & Chr(0)
r = p.SetValue("Two", "x", "y")
CheckEq "GetSectionNames", p.GetSectionNames(), "One" & vbCrLf & "Two" & vbCrLf
CheckEq "GetSectionNames cvt False", p.GetSectionNames(False), "One" & Chr(0) & "Two" & Chr(0)
CheckEq "empty section gives empty", p.GetSection("Missing"), ""

r = p.SetValue("One", "beta", "")
CheckEq "empty entry deletes the key", p.GetSection("One"), "alpha=first value" & vbCrLf
r = p.SetValue("Two", "", "ignored")
CheckEq "empty key deletes the section", p.GetSectionNames(), "One" & vbCrLf

r = p.SetSection("Three", "a=1" & vbCrLf & "b=2")
CheckEq "SetSection writes", r, True
CheckEq "SetSection entries read back", p.GetSection("Three"), "a=1" & vbCrLf & "b=2" & vbCrLf
r = p.SetSection("Three", "c=3" & Chr(0) & "d=4" & Chr(0), False)
CheckEq "SetSection cvt False replaces the section", p.GetSection("Three"), "c=3" & vbCrLf & "d=4" & vbCrLf
r = p.SetSection("Three", "e=5", False)
CheckEq "SetSection cvt False without final NUL", p.GetSection("Three"), "e=5" & vbCrLf

Set p = Nothing
Done
