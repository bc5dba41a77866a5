' Writes log time stamps in UTC and reads them back as local time with
' Kelpa.DateTime: the time zone, its bias, and conversion both ways.
' Interactive: no
Option Explicit
Dim t, n, stamp, utc, back
Set t = CreateObject("Kelpa.DateTime")
WScript.Echo "Time zone:   " & t.TimeZoneName & " (UTC" & Offset(-t.TimeBias) & ")"
WScript.Echo "Local now:   " & Now
WScript.Echo "UTC now:     " & t.SysNow & "  (date " & t.SysDate & ", time " & t.SysTime & ")"

' A log line stamped in UTC sorts right across machines and summer time.
n = t.SysNow
stamp = Year(n) & "-" & Right("0" & Month(n), 2) & "-" & Right("0" & Day(n), 2) & _
        "T" & Right("0" & Hour(n), 2) & ":" & Right("0" & Minute(n), 2) & ":" & Right("0" & Second(n), 2) & "Z"
WScript.Echo "Log stamp:   " & stamp & "  job started"

' A time given in UTC (a server's answer, say), shown in local time, and back.
utc = DateSerial(2026, 7, 1) + TimeSerial(12, 0, 0)
back = t.ConvertTime(utc, True)
WScript.Echo "12:00 UTC on 1 July is " & FormatDateTime(back, 4) & " here"
WScript.Echo "and that local time is " & FormatDateTime(t.ConvertTime(back, False), 4) & " UTC again"

Function Offset(minutes)   ' +01:00 style
    Dim sign: sign = "+": If minutes < 0 Then sign = "-"
    Offset = sign & Right("0" & (Abs(minutes) \ 60), 2) & ":" & Right("0" & (Abs(minutes) Mod 60), 2)
End Function
