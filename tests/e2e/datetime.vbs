' DateTime through a script in whatever zone the server runs: zone facts are
' consistent, conversions go both ways, the UTC clock agrees with Now.
Dim dt, t, u, l, offset, bias
Set dt = CreateObject("Kelpa.DateTime")
Check "TimeZoneType is 0, 1 or 2 (" & dt.TimeZoneType & ")", dt.TimeZoneType >= 0 And dt.TimeZoneType <= 2
Check "TimeZoneName is set (" & dt.TimeZoneName & ")", Len(dt.TimeZoneName) > 0
t = DateSerial(2024, 7, 1) + TimeSerial(12, 0, 0)
l = dt.ConvertTime(t, True)
u = dt.ConvertTime(l, False)
CheckEq "UTC to local and back", u, t
CheckEq "a fraction of a second is cut", dt.ConvertTime(t + 0.9 / 86400, True), l
CheckEq "SysDate has no time", dt.SysDate, Int(dt.SysDate)
Check "SysTime has no date", dt.SysTime < 1
' The current offset: the daylight bias while daylight time is in force.
If dt.TimeZoneType = 2 Then bias = dt.TimeBiasDST Else bias = dt.TimeBias
offset = Round((Now - dt.SysNow) * 1440)
CheckEq "Now - SysNow is the current bias in minutes", offset, -bias
dt.TimeInfoRefresh
Check "TimeInfoRefresh keeps the zone", Len(dt.TimeZoneName) > 0
Done
