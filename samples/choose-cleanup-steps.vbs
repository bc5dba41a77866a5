' Lets the user tick which cleanup steps to run, with Kelpa.CheckList: the usual
' ones ticked at the start, the answer a bit mask with one bit per row.
' Interactive: yes (waits for OK)
Option Explicit
Dim steps, cl, mask, i, names
names = Array("Empty the temporary folder", "Clear the browser cache", _
              "Delete old log files", "Compact the mail folders")
For i = 0 To UBound(names): steps = steps & names(i) & vbCrLf: Next
steps = Left(steps, Len(steps) - 2)     ' no final line break: it would count as a row

Set cl = CreateObject("Kelpa.CheckList")
cl.Info = "Which steps shall run tonight?"
cl.ButtonText = "Run"
mask = cl.Selection(steps, 1 + 4, "Cleanup")   ' rows 0 and 2 ticked at the start
If mask = 0 Then WScript.Echo "No step chosen."
For i = 0 To UBound(names)
    If mask And 2 ^ i Then WScript.Echo "Will run: " & names(i)
Next
