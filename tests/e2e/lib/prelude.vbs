' Check helpers put in front of every VBScript test by tests/run-script.
Option Explicit
Dim gPassed, gFailed, gShell, gTemp
gPassed = 0 : gFailed = 0
Set gShell = CreateObject("WScript.Shell")
' Wine's ExpandEnvironmentStrings keeps the terminating NUL in the result.
Function EnvVar(name)
    Dim v : v = gShell.ExpandEnvironmentStrings("%" & name & "%")
    EnvVar = Left(v, InStr(v & Chr(0), Chr(0)) - 1)
End Function
gTemp = EnvVar("KELPA_TEST_TEMP")

Function Show(value)
    Dim t : t = VarType(value)
    If t = vbString Then
        Show = """" & value & """ (len " & Len(value) & ")"
    ElseIf t = vbNull Then
        Show = "Null"
    ElseIf t = vbEmpty Then
        Show = "Empty"
    Else
        Show = CStr(value) & " (type " & t & ")"
    End If
End Function

Function IsNumber(value)
    Select Case VarType(value)
        Case 2, 3, 4, 5, 6, 14, 17: IsNumber = True
        Case Else: IsNumber = False
    End Select
End Function

' Equal in value and, for strings, in length: Wine's "=" ignores embedded NULs.
' Numbers compare by value whatever their type; other values by type too.
Sub CheckEq(name, actual, expected)
    Dim same : same = (VarType(actual) = VarType(expected))
    If Not same Then same = IsNumber(actual) And IsNumber(expected)
    If same Then same = (actual = expected)
    If same And VarType(actual) = vbString Then same = (Len(actual) = Len(expected))
    If same Then
        gPassed = gPassed + 1
        WScript.Echo "PASS: " & name
    Else
        gFailed = gFailed + 1
        WScript.Echo "FAIL: " & name & ": got " & Show(actual) & ", expected " & Show(expected)
    End If
End Sub

Sub Check(name, condition)
    If condition Then
        gPassed = gPassed + 1
        WScript.Echo "PASS: " & name
    Else
        gFailed = gFailed + 1
        WScript.Echo "FAIL: " & name
    End If
End Sub

' Error capture must be inline (On Error Resume Next inside a Sub clears Err
' in Wine's VBScript); this checks what was captured.
Sub CheckError(name, number, source, description, expNumber, expSource, expDescription)
    CheckEq name & ": number", Hex(number), Hex(expNumber)
    CheckEq name & ": source", source, expSource
    CheckEq name & ": description", description, expDescription
End Sub

Sub Done()
    WScript.Echo "DONE: " & gPassed & " passed, " & gFailed & " failed"
End Sub
