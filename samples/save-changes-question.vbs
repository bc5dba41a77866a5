' Asks what to do with unsaved changes in a task dialog (Kelpa.TaskDialog): three
' command links, an explanation to expand, and "do not ask again" in a check box.
' Interactive: yes (waits for a choice)
Option Explicit
Dim td, answer
Set td = CreateObject("Kelpa.TaskDialog")
td.Title = "Report generator"
td.Text = "The report has changes that are not saved."
td.SubText = "What shall happen to them before the generator closes?"
td.CustomButtons = Array("Save the changes" & vbLf & "Overwrite report.xlsx", _
                         "Save as a copy" & vbLf & "Keep report.xlsx as it is", _
                         "Discard the changes")
td.CustomButtonStyle = 1                 ' command links; the text after vbLf is the note
td.Buttons = 8                           ' and a Cancel button
td.Icon = -1                             ' warning (-2 error, -3 information, -4 shield)
td.ExpandText = "Changes: 3 cells in sheet ""Totals"", 1 new chart."
td.VerificationLabel = "Do not ask again, always save"
td.Options = 8                           ' Esc and the close box cancel
answer = td.ShowEx()
Select Case answer
    Case 101: WScript.Echo "Saving the changes"
    Case 102: WScript.Echo "Saving a copy"
    Case 103: WScript.Echo "Discarding the changes"
    Case 2:   WScript.Echo "Cancelled: the generator stays open"
    Case Else: WScript.Echo "The task dialog failed (code " & td.ErrorCode & ")"
End Select
If td.VerificationChecked Then WScript.Echo "and will not ask again"
