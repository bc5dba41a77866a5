' Puts a list of files on the clipboard, ready to paste into a mail, with
' Kelpa.Clipboard (Unicode text), and gives the user's own text back afterwards.
' Interactive: no
Option Explicit
Dim fso, c, saved, list, file, n
Set fso = CreateObject("Scripting.FileSystemObject")
Set c = CreateObject("Kelpa.Clipboard")
c.UseUnicode = True          ' keeps every character, whatever the code page
saved = c.Text               ' what the user had copied, to put back at the end

n = 0
For Each file In fso.GetFolder(fso.GetSpecialFolder(0).Path).Files
    If LCase(fso.GetExtensionName(file.Name)) = "ini" Then
        list = list & file.Name & vbTab & file.Size & " bytes" & vbCrLf
        n = n + 1
    End If
Next
c.Text = "Settings files in the Windows folder:" & vbCrLf & list

WScript.Echo "The clipboard now holds " & Len(c.Text) & " characters, " & n & " files:"
WScript.Echo c.Text
c.Text = saved
WScript.Echo "The previous clipboard text is back (" & Len(saved) & " characters)"
