' Assertions for the VBScript tests. tools/run-vbs.sh puts this file in front of each test, so a
' test starts with its own statements (no Option Explicit of its own: this one covers it).
'
'   Check "name", actual, expected    equal value and kind (5 <> "5"; Integer 5 = Long 5)
'   On Error Resume Next
'   obj.Method badArgument
'   CheckErr "name", 5                 the last call raised run-time error 5 (0: raised none)
'   On Error GoTo 0
'   box = LastBox()                    fields of the last message box answered by boxwatch:
'                                      (0) title (1) text (2) style (3) answer (4) detail
'   TestLocale()                       "en" or "ja": the locale the runner started the script under
'   Sjis(Array(&H82A0, ...))           a text from code page 932 codes (Wine's VBScript has no ChrW)
'   Done                               prints "N passed, M failed", then VBS-OK if M = 0
'
' Wine's VBScript lacks ChrW, AscW and GetLocale, cannot index a call's result (F()(0) does not
' compile) and reports 1 / 0 as error -2147352558, not 11.
Option Explicit

Dim brxPassed, brxFailed
brxPassed = 0
brxFailed = 0

Sub Check(name, actual, expected)
  If BrxSame(actual, expected) Then
    brxPassed = brxPassed + 1
  Else
    BrxFail name, "got " & BrxShow(actual) & ", expected " & BrxShow(expected)
  End If
End Sub

Sub CheckErr(name, expectedNumber)
  Dim number, description
  number = Err.Number
  description = Err.Description
  Err.Clear
  If number = expectedNumber Then
    brxPassed = brxPassed + 1
  Else
    BrxFail name, "error " & number & " (" & description & "), expected " & expectedNumber
  End If
End Sub

Sub Done()
  WScript.Echo brxPassed & " passed, " & brxFailed & " failed"
  If brxFailed = 0 Then WScript.Echo "VBS-OK"
End Sub

Sub BrxFail(name, message)
  brxFailed = brxFailed + 1
  WScript.Echo "FAIL " & name & ": " & message
End Sub

Function BrxKind(value)
  If IsObject(value) Then
    BrxKind = "object"
  ElseIf IsNull(value) Then
    BrxKind = "null"
  ElseIf IsEmpty(value) Then
    BrxKind = "empty"
  ElseIf IsArray(value) Then
    BrxKind = "array"
  ElseIf VarType(value) = vbString Then
    BrxKind = "string"
  ElseIf VarType(value) = vbDate Then
    BrxKind = "date"
  Else
    BrxKind = "number"   ' Integer, Long, Single, Double, Currency, Byte, Boolean
  End If
End Function

Function BrxSame(a, b)
  BrxSame = False
  If BrxKind(a) <> BrxKind(b) Then Exit Function
  Select Case BrxKind(a)
    Case "object": BrxSame = (a Is b)
    Case "null", "empty": BrxSame = True
    Case "array": BrxSame = BrxSameArray(a, b)
    Case Else: BrxSame = (a = b)
  End Select
End Function

Function BrxSameArray(a, b)
  Dim i
  BrxSameArray = False
  If LBound(a) <> LBound(b) Or UBound(a) <> UBound(b) Then Exit Function
  For i = LBound(a) To UBound(a)
    If Not BrxSame(a(i), b(i)) Then Exit Function
  Next
  BrxSameArray = True
End Function

Function BrxShow(value)
  Select Case BrxKind(value)
    Case "object": BrxShow = "<" & TypeName(value) & ">"
    Case "null": BrxShow = "Null"
    Case "empty": BrxShow = "Empty"
    Case "array": BrxShow = "Array(" & (UBound(value) - LBound(value) + 1) & ")"
    Case "string": BrxShow = """" & value & """"
    Case Else: BrxShow = CStr(value) & " (" & TypeName(value) & ")"
  End Select
End Function

Function TestLocale()
  TestLocale = CreateObject("WScript.Shell").Environment("PROCESS")("BRIXEN_LOCALE")
  If TestLocale = "" Then TestLocale = "en"
End Function

' --- message boxes answered by tools/boxwatch -------------------------------------------------

Function LastBox()
  Dim lines
  lines = BrxBoxLines()
  If UBound(lines) < 0 Then
    LastBox = Array("", "", "", "", "")
  Else
    LastBox = BrxBoxFields(lines(UBound(lines)))
  End If
End Function

Function BoxCount()
  BoxCount = UBound(BrxBoxLines()) + 1
End Function

' The runner names boxwatch's UTF-16 copy of its log in BRIXEN_BOXLOG.
Function BrxBoxLines()
  Dim fso, path, stream, text
  BrxBoxLines = Array()
  Set fso = CreateObject("Scripting.FileSystemObject")
  path = CreateObject("WScript.Shell").Environment("PROCESS")("BRIXEN_BOXLOG")
  If path = "" Then Exit Function
  If Not fso.FileExists(path) Then Exit Function
  Set stream = fso.OpenTextFile(path, 1, False, -1)
  text = stream.ReadAll()
  stream.Close
  If Right(text, 2) = vbCrLf Then text = Left(text, Len(text) - 2)
  If text <> "" Then BrxBoxLines = Split(text, vbCrLf)
End Function

Function BrxBoxFields(line)
  Dim fields, i
  fields = Split(line, vbTab)
  For i = 0 To 1
    fields(i) = BrxUnescape(fields(i))
  Next
  fields(2) = CLng(fields(2))
  BrxBoxFields = fields
End Function

Function BrxUnescape(text)
  Dim i, c, out
  out = ""
  i = 1
  Do While i <= Len(text)
    c = Mid(text, i, 1)
    If c = "\" And i < Len(text) Then
      i = i + 1
      Select Case Mid(text, i, 1)
        Case "t": c = vbTab
        Case "r": c = vbCr
        Case "n": c = vbLf
        Case Else: c = Mid(text, i, 1)
      End Select
    End If
    out = out & c
    i = i + 1
  Loop
  BrxUnescape = out
End Function

' --- the test follows ---------------------------------------------------------------------------

Function Sjis(codes)
  Dim i
  Sjis = ""
  For i = 0 To UBound(codes)
    Sjis = Sjis & Chr(codes(i))
  Next
End Function
