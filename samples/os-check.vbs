' Refuses to run a job on a Windows older than it needs, from the true version
' that Kelpa.OsVersion reads (not the compatibility version a program is shown).
' Interactive: no
Option Explicit
Dim v, kind, product
Set v = CreateObject("Kelpa.OsVersion")
Select Case v.Product
    Case 1: kind = "workstation"
    Case 2: kind = "domain controller"
    Case 3: kind = "server"
    Case Else: kind = "product type " & v.Product
End Select
product = "Windows " & v.Major & "." & v.Minor & " build " & v.Build
If v.SPMajor > 0 Then product = product & " Service Pack " & v.SPMajor
WScript.Echo product & ", " & kind & ", " & (32 + 32 * v.Bitness) & "-bit"

' Number is major * 100 + minor: 601 is Windows 7, 1000 is Windows 10 and 11.
If v.Number < 601 Then
    WScript.Echo "This job needs Windows 7 or later (the taskbar progress it shows)."
    WScript.Quit 1
ElseIf v.Number >= 1000 And v.Build >= 22000 Then
    WScript.Echo "Windows 11: the job can use the new notification look."
Else
    WScript.Echo "Version " & v.Number & " is supported."
End If
