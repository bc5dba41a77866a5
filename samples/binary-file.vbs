' Write a small binary file and read it back with Kelpa.File and BinFile.
Dim shell, folder, path, f, b, data, ok
Set shell = CreateObject("WScript.Shell")
folder = shell.ExpandEnvironmentStrings("%TEMP%")
folder = Left(folder, InStr(folder & Chr(0), Chr(0)) - 1)
path = folder & "\kelpa-demo.bin"
Set f = CreateObject("Kelpa.File")
f.Create path, True
Set b = f.OpenBinary(path)
data = "Hello, binary world"
b.BWrite data
WScript.Echo "Wrote " & b.ByteCount & " bytes; the file is " & b.Length & " bytes long"
b.Location = 7
data = Empty
b.ConvertAnsi = True   ' the bytes are text in the ANSI code page
ok = b.BRead(data, 6, vbString)
WScript.Echo "Read 6 bytes from position 7 as a String: """ & data & """ (" & ok & ")"
b.BClose
WScript.Echo "Exists: " & f.Exists(path) & ", last written " & f.TimeGet(path)
