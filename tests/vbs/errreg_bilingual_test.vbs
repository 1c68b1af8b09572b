' clsMethod.ErrReg from a script: nothing for code 0; otherwise the box (in the system's language)
' and then a record in Err.log beside the DLL, in the system's ANSI code page. Japanese texts come
' from code page 932 through Chr (Wine's VBScript has no ChrW), so they exist under Japanese only.
Dim m, fso, logPath, note, box, boxes, stamps, lines, sizeBefore, eraa, nihon
Set m = CreateObject("BRIXEN.clsMethod")
Set fso = CreateObject("Scripting.FileSystemObject")
logPath = fso.BuildPath(fso.GetParentFolderName(CreateObject("WScript.Shell").Environment("PROCESS")("BRIXEN_DLL")), "Err.log")
If fso.FileExists(logPath) Then fso.DeleteFile logPath

If TestLocale() = "ja" Then
  note = Chr(33479) & Chr(33444) & Chr(33449) & Chr(33457) & Chr(33514) & Chr(33520) & Chr(36180) & Chr(33446) & _
         Chr(33476) & Chr(38385) & Chr(36240) & Chr(33520) & Chr(33448) & Chr(35560) & Chr(33442) & Chr(33442) & _
         Chr(33469) & Chr(33461) & Chr(33500) & Chr(33463) & Chr(33090)
Else
  note = "Please note this message and report."
End If

' The log's lines, read in the ANSI code page.
Function LogLines()
  Dim stream
  Set stream = fso.OpenTextFile(logPath, 1, False, 0)
  LogLines = Split(stream.ReadAll(), vbCrLf)
  stream.Close
End Function

' The date and time texts of this second (and of the next, should the clock tick meanwhile).
Function Stamp()
  Stamp = CStr(Date) & " " & CStr(Time)
End Function

' A record line: code field, date and time from column 15 padded to column 43, then the rest.
Sub CheckRecord(name, line, code, stamp1, stamp2, rest)
  Dim stampAt15
  Check name & ": code field", Left(line, 14), code & Space(14 - Len(code))
  stampAt15 = Mid(line, 15, Len(stamp1))
  If stampAt15 <> stamp1 Then stampAt15 = Mid(line, 15, Len(stamp2))
  If stampAt15 = stamp1 Then
    Check name & ": date and time", stampAt15, stamp1
  Else
    Check name & ": date and time", Mid(line, 15, Len(stamp2)), stamp2
  End If
  Check name & ": module and text from column 43", Mid(line, 43), rest
End Sub

boxes = BoxCount()
m.ErrReg 0, "Overflow", "VbsTest"
Check "code 0 shows no box", BoxCount(), boxes
Check "code 0 writes no log", fso.FileExists(logPath), False

stamps = Array(Stamp(), "")
m.ErrReg 6, "Overflow", "VbsTest"
stamps(1) = Stamp()
box = LastBox()
Check "title", box(0), "ERROR"
Check "style: OK only, critical", box(2), 16
Check "text", box(1), "VbsTest" & vbCrLf & vbCrLf & "Overflow" & vbCrLf & vbCrLf & "[ErrCode] 6" & vbCrLf & vbCrLf & note

lines = LogLines()
Check "header and one record", UBound(lines), 2
Check "header", lines(0), "ErrorCode" & Space(5) & "Date/Time" & Space(19) & "ModuleName" & Space(32) & "Content"
CheckRecord "first record", lines(1), " 6 ", stamps(0), stamps(1), "VbsTest" & Space(7) & "Overflow"
Check "ends with CR LF", lines(2), ""

stamps = Array(Stamp(), "")
m.ErrReg -2147483647, "", ""
stamps(1) = Stamp()
box = LastBox()
Check "negative code in the box", box(1), "" & vbCrLf & vbCrLf & "" & vbCrLf & vbCrLf & "[ErrCode] -2147483647" & vbCrLf & vbCrLf & note
lines = LogLines()
Check "second record appended", UBound(lines), 3
CheckRecord "second record", lines(2), "-2147483647 ", stamps(0), stamps(1), Space(14)

If TestLocale() = "ja" Then
  eraa = Chr(33607) & Chr(33673) & Chr(33115)
  nihon = Chr(37882) & Chr(38523)
  sizeBefore = fso.GetFile(logPath).Size
  stamps = Array(Stamp(), "")
  m.ErrReg 13, nihon, eraa
  stamps(1) = Stamp()
  box = LastBox()
  Check "Japanese module in the box", Left(box(1), 5), eraa & vbCrLf
  lines = LogLines()
  ' Read back through code page 932; each of the five characters takes two bytes, and two
  ' columns, so the module's zone is padded with 8 blanks, not 11.
  CheckRecord "Japanese record", lines(3), " 13 ", stamps(0), stamps(1), eraa & Space(8) & nihon
  Check "written in code page 932", fso.GetFile(logPath).Size - sizeBefore, Len(lines(3)) + 5 + 2
End If

fso.DeleteFile logPath
Done
