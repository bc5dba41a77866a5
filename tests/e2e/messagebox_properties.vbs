' MessageBox properties through the registered server: defaults, what each
' let accepts, and the type mismatch of a bad IconResID (no box is shown).
Dim mb, r, n, src
Set mb = CreateObject("Kelpa.MessageBox")
CheckEq "new object: Buttons 0", mb.Buttons, 0
CheckEq "new object: DefButton 0", mb.DefButton, 0
CheckEq "new object: Icon 0", mb.Icon, 0
CheckEq "new object: IconResFile empty", mb.IconResFile, ""
CheckEq "new object: IconResID empty", mb.IconResID, ""
CheckEq "new object: Language 0", mb.Language, 0
CheckEq "new object: Options 0", mb.Options, 0
CheckEq "new object: Precedence False", mb.Precedence, False
CheckEq "new object: Text empty", mb.Text, ""
CheckEq "new object: Title empty", mb.Title, ""

mb.Buttons = 4
mb.Buttons = 7
CheckEq "Buttons 7 is ignored", mb.Buttons, 4
mb.Buttons = -1
CheckEq "Buttons -1 is ignored", mb.Buttons, 4
mb.DefButton = 3
CheckEq "DefButton 3 reads back 512", mb.DefButton, 512
mb.DefButton = 768
CheckEq "DefButton 768 stays", mb.DefButton, 768
mb.DefButton = 1
CheckEq "DefButton 1 reads back 0", mb.DefButton, 0
mb.Options = &H7FFFFFFF
CheckEq "Options &H7FFFFFFF reads back &H3FB000", mb.Options, &H3FB000
mb.Options = &H4000
CheckEq "the help bit is dropped", mb.Options, 0
mb.Icon = 32516
CheckEq "Icon stored as given", mb.Icon, 32516
mb.Language = &H407
CheckEq "Language stored as given", mb.Language, &H407
mb.Precedence = True
CheckEq "Precedence True", mb.Precedence, True
mb.Title = String(300, "t")
CheckEq "Title is cut to 256", Len(mb.Title), 256
mb.Text = String(3000, "x")
CheckEq "Text is never cut", Len(mb.Text), 3000
mb.IconResFile = "C:\some\file.dll"
CheckEq "IconResFile stored as given", mb.IconResFile, "C:\some\file.dll"

' A system module loads as resources; "#" and no number fails before any
' box shows (a box would stop the test: nobody answers it here).
mb.IconResFile = EnvVar("SystemRoot") & "\system32\user32.dll"
mb.IconResID = "#abc"
On Error Resume Next
r = mb.Show("never shown")
n = Err.Number : src = Err.Source
On Error GoTo 0
CheckEq "IconResID #abc: type mismatch", n, 13
CheckEq "IconResID #abc: source", src, "Kelpa.MessageBox"
Done
