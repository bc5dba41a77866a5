' Lets the user pick a drive with Kelpa.DriveList and reports its free space,
' file system and volume name.
' Interactive: yes (waits for a choice)
Option Explicit
Dim dl, fso, s, letter, d
Set dl = CreateObject("Kelpa.DriveList")
dl.Info = "Which drive shall the backup go to?"
dl.Crop = True                           ' "D:" rather than the list's full entry
letter = dl.Selection("C", "Backup target")
If letter = "" Then WScript.Echo "No drive chosen.": WScript.Quit

Set fso = CreateObject("Scripting.FileSystemObject")
Set s = CreateObject("Kelpa.System")
Set d = fso.GetDrive(letter)
If Not d.IsReady Then WScript.Echo letter & " holds no medium.": WScript.Quit
WScript.Echo letter & "  """ & s.VolumeGetName(letter) & """, " & s.VolumeGetFileSys(letter)
WScript.Echo "    " & FormatNumber(d.FreeSpace / 2 ^ 30, 1) & " GB free of " & _
             FormatNumber(d.TotalSize / 2 ^ 30, 1) & " GB"
If d.FreeSpace < 2 ^ 30 Then WScript.Echo "    Less than 1 GB free: too little for the backup."
