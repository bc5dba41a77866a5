' Logs the steps of a job to a log file with Kelpa.EventLog (one line per
' Report, with its severity), then shows the log and removes it.
' Interactive: no
Option Explicit
Dim fso, log, path, step, text
Set fso = CreateObject("Scripting.FileSystemObject")
path = fso.BuildPath(fso.GetSpecialFolder(2).Path, "kelpa-sample-job.log")
Set log = CreateObject("Kelpa.EventLog")
log.mode = 2        ' to a file; 0 and 1 write to the system's event log
log.File = path

log.Report "Nightly export started", 64                  ' information
For Each step In Array("customers", "orders", "invoices")
    log.Report "Exported " & step, 64
Next
log.Report "invoices: 3 rows without a customer skipped", 48   ' warning
log.Report "Nightly export finished", 64

Set text = fso.OpenTextFile(path)
WScript.Echo "The log " & fso.GetFileName(path) & " holds:"
Do Until text.AtEndOfStream
    WScript.Echo "  " & Replace(text.ReadLine, vbTab, " | ")
Loop
text.Close
fso.DeleteFile path
