' Lists the installed programs with their versions from the registry, read
' only, with Kelpa.Registry (GetItems for the subkeys, RegRead for the values).
' Interactive: no
Option Explicit
Const Uninstall = "HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
Dim r, keys, count, key, name, version, shown
Set r = CreateObject("Kelpa.Registry")
r.ItemType = 0                          ' list subkeys
count = r.GetItems(Uninstall, keys)
If r.ErrorCode = 802 Then
    WScript.Echo "No programs are registered for uninstalling."
ElseIf r.ErrorCode <> 0 Then
    WScript.Echo "Cannot read " & Uninstall & ": error " & r.ErrorCode
Else
    shown = 0
    For Each key In keys
        name = r.RegRead(Uninstall & "\" & key, "DisplayName")
        If r.ErrorCode = 0 And Not IsEmpty(name) Then   ' entries without a name are updates or parts
            version = r.RegRead(Uninstall & "\" & key, "DisplayVersion")
            WScript.Echo "  " & name & "  " & version
            shown = shown + 1
        End If
    Next
    WScript.Echo shown & " programs named among " & count & " uninstall entries"
End If
