' Tells whether programs are 32-bit or 64-bit by reading their headers with a
' BinFile from Kelpa.File.OpenBinary: a Long at one offset, Words at another.
' Interactive: no
Option Explicit
Dim fso, f, win, sys, path
Set fso = CreateObject("Scripting.FileSystemObject")
Set f = CreateObject("Kelpa.File")
win = fso.GetSpecialFolder(0).Path
sys = fso.GetSpecialFolder(1).Path
For Each path In Array(sys & "\cscript.exe", sys & "\kernel32.dll", win & "\notepad.exe", win & "\win.ini")
    WScript.Echo fso.GetFileName(path) & ": " & MachineOf(path)
Next

Function MachineOf(path)
    Dim b, mz, peOffset, pe, machine
    If Not f.Exists(path) Then MachineOf = "not found": Exit Function
    Set b = f.OpenBinary(path, False)   ' read only
    b.BRead mz, 0, 2                   ' the first Word: "MZ" for a program
    MachineOf = "not a program"
    If b.Length > 64 And (mz And &HFFFF&) = &H5A4D& Then
        b.Location = 60                ' the Long at offset 0x3C
        b.BRead peOffset, 0, 3         ' where the PE header starts
        b.Location = peOffset
        b.BRead pe, 0, 3               ' "PE" and two zero bytes
        b.BRead machine, 0, 2          ' then the machine Word
        If pe = &H4550& Then
            Select Case machine And &HFFFF&
                Case &H14C&:  MachineOf = "32-bit (x86)"
                Case &H8664&: MachineOf = "64-bit (x64)"
                Case &HAA64&: MachineOf = "64-bit (ARM64)"
                Case Else:    MachineOf = "machine &H" & Hex(machine And &HFFFF&)
            End Select
        End If
    End If
    b.BClose
End Function
