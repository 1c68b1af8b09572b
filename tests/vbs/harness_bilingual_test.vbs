'@standalone
' The runner's two locales as a script sees them: the date order and, under Japanese, a message
' box in Japanese answered and logged as text. (No ChrW in Wine's VBScript: the characters come
' from the Japanese code page through Chr.)
If TestLocale() = "ja" Then
  Check "date order", CStr(DateSerial(2006, 7, 25)), "2006/7/25"
  Dim nihon, box
  nihon = Chr(37882) & Chr(38523)   ' 0x93FA 0x967B in code page 932
  Check "one character per double byte", Len(nihon), 2
  Check "Japanese box", MsgBox(nihon, vbOKCancel + vbInformation, nihon), vbOK
  box = LastBox()
  Check "logged title", box(0), nihon
  Check "logged text", box(1), nihon
  Check "logged style", box(2), vbOKCancel + vbInformation
Else
  Check "date order", CStr(DateSerial(2006, 7, 25)), "7/25/2006"
End If
Done
