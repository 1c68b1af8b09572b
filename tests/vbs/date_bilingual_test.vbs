' clsDATE late bound, as script callers use it, in English and in Japanese. The clock is the
' system's: expectations that depend on today are computed from the script's own Date. The
' Japanese texts are built from code page 932 with Chr (Wine's VBScript has no ChrW), so they are
' compared exactly under Japanese; under English their shape is checked.

Function TwoDigits(n)
  TwoDigits = Right("0" & n, 2)
End Function

Dim d, a, b, today, boxes, box, japanese
Set d = CreateObject("BRIXEN.clsDATE")
japanese = (TestLocale() = "ja")

' ---- ranges: both variables are written back as dates
a = Empty
b = Empty
d.GetSevralDate 5, a, b
Check "max range start", a, DateSerial(1900, 1, 1)
Check "max range end", b, DateSerial(2999, 1, 1)
d.GetSevralDate 2, a, b
Check "this month start", a, DateSerial(Year(Date), Month(Date), 1)
Check "this month end", b, DateSerial(Year(Date), Month(Date) + 1, 0)
d.GetSevralDate 1, a, b
Check "today start", a, Date
Check "today end", b, Date
d.GetSevralDate 3, a, b
Check "previous month start", a, DateSerial(Year(Date), Month(Date) - 1, 1)
Check "previous month end", b, DateSerial(Year(Date), Month(Date), 0)
d.GetSevralDate 4, a, b
Check "next month start", a, DateSerial(Year(Date), Month(Date) + 1, 1)
Check "next month end", b, DateSerial(Year(Date), Month(Date) + 2, 0)
a = DateSerial(2001, 2, 3)
b = DateSerial(2004, 5, 6)
d.GetSevralDate 6, a, b
Check "other value start", a, DateSerial(2001, 2, 3)
Check "other value end", b, DateSerial(2004, 5, 6)

' ---- calendar values
Check "seconds of 23:59:59", d.GetSecondsByTime(DateSerial(2006, 7, 25) + TimeSerial(23, 59, 59)), 86399
Check "seconds at midnight", d.GetSecondsByTime(DateSerial(2006, 7, 25)), 0
Check "eight digits", d.CvDateToSuji(DateSerial(2006, 7, 25) + TimeSerial(18, 0, 0)), 20060725
Check "days of February 2000", d.GetKongetuNissu(2000, 2), 29
Check "days of February 1900", d.GetKongetuNissu(1900, 2), 28
boxes = BoxCount()
Check "month 13", d.GetKongetuNissu(2006, 13), 0
Check "month 13 shows nothing", BoxCount(), boxes
Check "end of December", d.GetEndDate(DateSerial(2006, 12, 15)), DateSerial(2006, 12, 31)
Check "end keeps the time", d.GetEndDate(DateSerial(2006, 2, 10) + TimeSerial(13, 0, 0)), _
      DateSerial(2006, 2, 28) + TimeSerial(13, 0, 0)

' ---- the date check and its warning in the system's language
boxes = BoxCount()
Check "Null is no date", d.IsExactDate(Null), False
Check "Null warns nobody", BoxCount(), boxes
Check "February 28th", d.IsExactDate("2006/02/28"), True
Check "a date value", d.IsExactDate(Date), True
Check "February 30th", d.IsExactDate("2006/02/30"), False
Check "one warning", BoxCount(), boxes + 1
box = LastBox()
If japanese Then
  Check "warning title", box(0), Sjis(Array(&H93FC, &H97CD, &H8347, &H8389, &H815B))
  Check "warning text", box(1), Sjis(Array(&H93FA, &H9574, &H82CC, &H93FC, &H97CD, &H82AA, &H8AD4, &H88E1, _
                                           &H82C1, &H82C4, &H82A2, &H82DC, &H82B7, &H8149))
Else
  Check "warning title", box(0), "ERROR"
  Check "warning text", box(1), "Date is not correct!"
End If
Check "warning style", box(2), vbOKOnly + vbExclamation

' ---- elapsed time
Check "clock text", d.CvtToFunByo(3725), "01:02:05"
Check "clock text of 100 hours", d.CvtToFunByo(360000), "100:00:00"
If japanese Then
  Check "days and clock", d.CvtToDayFunByo(90061), "1" & Chr(&H93FA) & " 01:01:01"
Else
  Check "days and clock", d.CvtToDayFunByo(90061), "1days 01:01:01"
End If
Check "elapsed", d.GetKeika(DateSerial(2006, 7, 25), DateSerial(2006, 7, 25) + TimeSerial(1, 0, 1)), "01:00:01"
Check "elapsed backwards", d.GetKeika(DateSerial(2006, 7, 25) + TimeSerial(1, 0, 1), DateSerial(2006, 7, 25)), _
      "-01:00:-01"

' ---- Japanese date texts (Japanese on every system)
Dim status, newYear
today = d.GetToday()
status = d.GetDateStr("x")
Check "greeting of January 8th", d.GetKasanStr("2007/1/8"), ""
If japanese Then
  Check "today", today, Year(Date) & Chr(&H944E) & TwoDigits(Month(Date)) & Chr(&H8C8E) & _
                        TwoDigits(Day(Date)) & Chr(&H93FA)
  newYear = "  " & Sjis(Array(&H82A0, &H82AF, &H82DC, &H82B5, &H82C4, &H82A8, &H82DF, &H82C5, &H82C6, _
                              &H82A4, &H82B2, &H82B4, &H82A2, &H82DC, &H82B7))
  Check "New Year greeting", d.GetKasanStr("2007/1/7"), newYear
  Check "greeting of a Japanese date text", d.GetKasanStr("2007" & Chr(&H944E) & "01" & Chr(&H8C8E) & "01" & _
                                                            Chr(&H93FA)), newYear
  Check "status start", Left(status, 6), "x  " & Chr(&H967B) & Chr(&H93FA) & ":"
Else
  Check "today length", Len(today), 11
  Check "today year", Left(today, 4), CStr(Year(Date))
  Check "today month", Mid(today, 6, 2), TwoDigits(Month(Date))
  Check "today day", Mid(today, 9, 2), TwoDigits(Day(Date))
  newYear = d.GetKasanStr("2007/1/7")
  Check "New Year greeting length", Len(newYear), 17
  Check "greeting starts with two blanks", Left(newYear, 2), "  "
  Check "status start", Left(status, 3), "x  "
  Check "status colon", Mid(status, 6, 1), ":"
End If
Check "status carries today", Mid(status, 7, 11), today

Done
