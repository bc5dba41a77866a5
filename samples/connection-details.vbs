' Asks for a database connection in one dialog with Kelpa.MInputBox: four labelled
' fields with presets and hints, a masked password, digits only for the port.
' Interactive: yes (waits for OK or Cancel; cancels itself after two minutes)
Option Explicit
Dim box, answers
Set box = CreateObject("Kelpa.MInputBox")
box.Title = "Connect to the database"
box.Info = "The monthly report reads its figures from this database."
box.InputNumber = 4
box.InpLabel = Array("Server", "Port", "User", "Password")
box.InpText = Array("db01.example.org", "5432", CreateObject("WScript.Shell").ExpandEnvironmentStrings("%USERNAME%"), "")
box.InpCueText = Array("host name", "", "", "your database password")
box.InpTextStyle = Array(0, 3, 0, 4)     ' 3 digits only, 4 password (masked)
box.InpMinLen = Array(1, 1, 1, 1)        ' none may stay empty
box.InpMaxLen = Array(253, 5, 64, 128)
box.DlgCancelTime = 120
box.ButtonText = "Connect"
If box.InputM(answers) Then
    WScript.Echo "Connecting to " & answers(0) & ":" & answers(1) & " as " & answers(2) & _
                 " (password of " & Len(answers(3)) & " characters)"
Else
    WScript.Echo "Cancelled: no connection."
End If
