' Asks for a due date with Kelpa.DTPick (the platform's date picker) and says
' how many days and working days are left.
' Interactive: yes (waits for OK)
Option Explicit
Dim dp, due, days, workdays, d
Set dp = CreateObject("Kelpa.DTPick")
dp.ControlMode = 0                       ' the date only; 1 the time, 2 both
dp.Title = "Due date"
dp.Info = "When is the report due?"
due = Date + 14                          ' proposed: two weeks from today
If Not dp.Selection(due) Then WScript.Echo "No date chosen.": WScript.Quit

days = CLng(due - Date)
workdays = 0
For d = Date + 1 To due
    If Weekday(d, vbMonday) <= 5 Then workdays = workdays + 1
Next
If days < 0 Then
    WScript.Echo "The report was due " & -days & " days ago, on " & FormatDateTime(due, vbLongDate)
Else
    WScript.Echo "Due " & FormatDateTime(due, vbLongDate) & ": " & days & " days, " & workdays & " working days left"
End If
