' DateTime in Central Europe: run with TZ=Europe/Berlin against a server
' that this run started, so the server has that zone too.
Dim dt, t
Set dt = CreateObject("Kelpa.DateTime")
CheckEq "TimeBias", dt.TimeBias, -60
CheckEq "TimeBiasDST", dt.TimeBiasDST, -120
Check "TimeZoneType is standard or daylight time", dt.TimeZoneType = 1 Or dt.TimeZoneType = 2
If dt.TimeZoneType = 1 Then
    CheckEq "TimeZoneName in standard time", dt.TimeZoneName, "Central Europe Standard Time"
Else
    CheckEq "TimeZoneName in daylight time", dt.TimeZoneName, "Central Europe Daylight Time"
End If
t = DateSerial(2024, 7, 1) + TimeSerial(12, 0, 0)
CheckEq "ConvertTime of 1 July 12:00 UTC", dt.ConvertTime(t, True), DateSerial(2024, 7, 1) + TimeSerial(14, 0, 0)
t = DateSerial(2024, 1, 1) + TimeSerial(12, 0, 0)
CheckEq "ConvertTime of 1 January 12:00 UTC", dt.ConvertTime(t, True), DateSerial(2024, 1, 1) + TimeSerial(13, 0, 0)
t = DateSerial(2024, 7, 1) + TimeSerial(14, 0, 0)
CheckEq "ConvertTime of 1 July 14:00 local to UTC", dt.ConvertTime(t, False), DateSerial(2024, 7, 1) + TimeSerial(12, 0, 0)
t = DateSerial(2024, 1, 1) + TimeSerial(12, 0, 0) + 0.5 / 86400
CheckEq "a fraction of a second is cut", dt.ConvertTime(t, True), DateSerial(2024, 1, 1) + TimeSerial(13, 0, 0)
CheckEq "Now - SysNow is the zone's offset", Round((Now - dt.SysNow) * 1440), 60 * dt.TimeZoneType
Done
