' Lists the programs of the system folder in a scrolling window (Kelpa.Window2)
' that keeps the newest line in view, then closes it.
' Interactive: no
Option Explicit
Dim fso, w, file, n
Set fso = CreateObject("Scripting.FileSystemObject")
Set w = CreateObject("Kelpa.Window2")
w.Scroll = True                          ' set before Create: the box then follows the text
w.WriteFont = "Courier New"
w.Title = "Programs in the system folder"
w.Create
n = 0
For Each file In fso.GetFolder(fso.GetSpecialFolder(1).Path).Files
    If LCase(fso.GetExtensionName(file.Name)) = "exe" Then
        w.WriteLine Left(file.Name & Space(24), 24) & Right(Space(10) & FormatNumber(file.Size, 0), 10)
        n = n + 1
    End If
Next
w.WriteLine n & " programs"
WScript.Echo "Listed " & n & " programs in the window"
Pause 400
w.Remove
WScript.Echo "Window closed"

Sub Pause(ms)   ' WScript.Sleep; where the host lacks it (Wine's), the clock is watched
    Dim start: start = Timer: On Error Resume Next: WScript.Sleep ms
    Do While Timer < start + ms / 1000 And Timer >= start: Loop
End Sub
