' Me through a script: the version resource, the server's folder and
' process facts.
Dim m, m2, fso, exe
Set m = CreateObject("Kelpa.Me")
Set fso = CreateObject("Scripting.FileSystemObject")
CheckEq "Version", m.Version, "3.5"
CheckEq "About", m.About, "KELPA Script Helper ToolBox by OLMA Copyright (C) OLMA. All rights reserved."
exe = m.Path & "\" & EnvVar("KELPA_SERVER_PROGRAM")
Check "Path holds the server program " & exe, fso.FileExists(exe)
CheckEq "Path has no trailing backslash", Right(m.Path, 1) <> "\", True
Check "ProcessID is set", m.ProcessID > 0
Check "ParentProcessID is another process", m.ParentProcessID > 0 And m.ParentProcessID <> m.ProcessID
Check "ThreadID is set", m.ThreadID > 0
Check "hInstance is the load address", m.hInstance <> 0 And (m.hInstance Mod 65536) = 0
Set m2 = CreateObject("Kelpa.Me")
CheckEq "a second object lives in the same server", m2.ProcessID, m.ProcessID
CheckEq "on the same thread", m2.ThreadID, m.ThreadID
' Wine lacks CoGetCallerTID (E_NOTIMPL): there the caller's thread is 0.
CheckEq "CallerTID under Wine", m.CallerTID, 0
Done
