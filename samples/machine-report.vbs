' A short inventory of this machine with Kelpa.System: names, network, processor,
' screen, code page and the system drive's volume.
' Interactive: no
Option Explicit
Dim s, fso, drive, arch, joins, firmware
joins = Array("unknown", "not joined", "workgroup", "domain")
firmware = Array("unknown", "BIOS", "UEFI")
Set s = CreateObject("Kelpa.System")
Set fso = CreateObject("Scripting.FileSystemObject")
drive = fso.GetDriveName(fso.GetSpecialFolder(0).Path)   ' where Windows lives, C: mostly
Select Case s.ProcessorArchitecture
    Case 0: arch = "x86"
    Case 9: arch = "x64"
    Case 12: arch = "ARM64"
    Case Else: arch = "architecture " & s.ProcessorArchitecture
End Select
WScript.Echo "Computer:   " & s.ComputerName & " (DNS name " & s.ComputerName(1) & ")"
WScript.Echo "User:       " & s.UserName
WScript.Echo "Network:    " & s.NetworkName & " (" & joins(s.NetworkType) & ")"
WScript.Echo "Processor:  " & arch & ", type " & s.ProcessorInfo
WScript.Echo "Screen:     " & s.GetMetrics(0) & " x " & s.GetMetrics(1) & " pixels, " & s.GetMetrics(80) & " monitor(s)"
WScript.Echo "Code page:  " & s.CurrentCodePage
WScript.Echo "Drive " & drive & "   " & s.VolumeGetFileSys(drive & "\") & ", name """ & s.VolumeGetName(drive & "\") & _
             """, serial " & Hex(s.VolumeGetSN(drive & "\"))
WScript.Echo "Firmware:   " & firmware(s.BiosMode)
