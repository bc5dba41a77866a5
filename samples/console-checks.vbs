' Shows the checks of a deployment in a console window of its own (KelpaC.CWindow),
' each result in colour, even when the script runs under wscript without one.
' Interactive: no (the console closes by itself)
Option Explicit
Const Green = &H0A, Red = &H0C, Grey = &H07, White = &H0F
Dim con, fso, check, parts, failed
Set fso = CreateObject("Scripting.FileSystemObject")
Set con = CreateObject("KelpaC.CWindow")
con.Create "Deployment checks"
con.TextColor = White
con.WriteLine "Checking the target machine" & vbCrLf
failed = 0
For Each check In Array("Windows folder|" & fso.GetSpecialFolder(0).Path, _
                        "Temporary folder|" & fso.GetSpecialFolder(2).Path, _
                        "Application folder|C:\Program Files\Contoso Tools")
    parts = Split(check, "|")
    con.TextColor = Grey
    con.WriteLine Left(parts(0) & Space(20), 20), False   ' no line end yet
    If fso.FolderExists(parts(1)) Then
        con.TextColor = Green: con.WriteLine "OK"
    Else
        con.TextColor = Red: con.WriteLine "MISSING"
        failed = failed + 1
    End If
Next
con.TextColor = Grey
con.Title = "Deployment checks: " & failed & " failed"
WScript.Echo "Console showed 3 checks, " & failed & " failed; its title was """ & con.Title & """"
Pause 500
con.Remove

Sub Pause(ms)   ' WScript.Sleep; where the host lacks it (Wine's), the clock is watched
    Dim start: start = Timer: On Error Resume Next: WScript.Sleep ms
    Do While Timer < start + ms / 1000 And Timer >= start: Loop
End Sub
