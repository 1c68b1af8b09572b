' BRIXEN.clsString late bound, as form code calls it: every member once, Mask on a text box
' written as a script class (SelText and a default Text), ByRef KeyAscii written back, and two
' failures logged through ErrReg (its box answered, Err.log beside the DLL cleaned up).
'@answers ok,ok

Class TextBox
  Public SelText
  Private mText
  Public Default Property Get Text
    Text = mText
  End Property
  Public Property Let Text(value)
    mText = value
  End Property
End Class

Class NoSelection
  Public Default Property Get Text
    Text = "12345"
  End Property
End Class

Dim s, tb, fso, errLog, box
Set s = CreateObject("BRIXEN.clsString")
Set fso = CreateObject("Scripting.FileSystemObject")
errLog = fso.BuildPath(fso.GetParentFolderName(CreateObject("WScript.Shell").RegRead( _
  "HKCR\CLSID\{87CA57CC-4CB1-47D8-9B32-44A2B7A961DB}\InprocServer32\")), "Err.log")

Sub RemoveErrLog()
  If fso.FileExists(errLog) Then fso.DeleteFile errLog, True
End Sub

' ---- binary and hexadecimal text
Check "Convert2To16 groups from the left", s.Convert2To16("111100001"), "F0"
Check "IsHex either case", s.IsHex("00ff"), True
Check "IsHex leading blank", s.IsHex(" 1"), False
Check "ParseByteBit other characters are 0", s.ParseByteBit("1x1"), CByte(5)
Check "Fmt16 two digits", s.Fmt16(15), "0F"
Check "Fmt16Ex never cut", s.Fmt16Ex(-1, 2), "FFFF"
Check "Fmt16Ex2 padded", s.Fmt16Ex2(255, 6), "0000FF"

' ---- null-safe values, trimming and padding
Check "Nz Null", s.Nz(Null), 0
Check "Nz leading number", s.Nz("12abc"), 12
Check "Nz half to even", s.Nz("4.5"), 4
Check "Nzs Null", s.Nzs(Null), ""
Check "Nzs number", s.Nzs(123), "123"
Check "TrimTabSpace", s.TrimTabSpace(vbTab & " a b " & vbTab), "ab"
Check "TrimReturn", s.TrimReturn("one" & vbCrLf & "two"), "onetwo"
Check "TrimSpace", s.TrimSpace(" a" & Chr(0) & "b "), "ab"
Check "GetLYoseStr", s.GetLYoseStr("abc", 5), "abc  "
Check "GetRYoseStr", s.GetRYoseStr(42, 5), "   42"
Check "GetRYoseStr width 13", s.GetRYoseStr(42, 13), ""
Check "GetZeroStr", s.GetZeroStr(3), "000"
Check "StrFormat", s.StrFormat(1234.56, 1), "1,234.6"
Check "StrFormat other Which", s.StrFormat(1234.56, 2), ""
Check "CheckShosu within", s.CheckShosu("1.25", 2), True
Check "CheckShosu beyond", s.CheckShosu("1.25", 1), False

' ---- key-press filters
Check "CheckKeyAscii backspace", s.CheckKeyAscii(8, 1), True
Check "CheckKeyAscii Enter in class 9", s.CheckKeyAscii(13, 9), False
Check "CheckKeyAscii anything is no class", s.CheckKeyAscii(49, 99), False
Check "CvToBigASC", s.CvToBigASC(97), CInt(65)
Check "IsABC bracket", s.IsABC(91), False

' The key after one Mask call: KeyAscii comes back through the ByRef parameter.
Function Masked(box, lenChar, maskType, key)
  Dim k
  k = key
  s.Mask box, lenChar, maskType, k
  Masked = k
End Function

Set tb = New TextBox
tb.Text = "12345"
tb.SelText = ""
Check "Mask full text box discards a letter", Masked(tb, 5, 99, 97), CInt(0)
Check "Mask lets a space through", Masked(tb, 5, 99, 32), CInt(32)
Check "Mask lets a backspace through", Masked(tb, 5, 99, 8), CInt(8)
tb.SelText = "3"
Check "Mask with a selection lets the letter through", Masked(tb, 5, 99, 97), CInt(97)
tb.SelText = ""
tb.Text = "12"
Check "Mask outside the class", Masked(tb, 5, 4, 97), CInt(0)
Check "Mask digit with room", Masked(tb, 5, 4, 55), CInt(55)
Check "Mask leaves the text box alone", tb.Text, "12"

' ---- failures
RemoveErrLog
Check "ParseByteBit overflow is logged and gives 0", s.ParseByteBit("100000000"), CByte(0)
box = LastBox()
Check "ErrReg box names the member", Left(box(1), 14), "ParseByteBit" & vbCrLf
Check "Mask without SelText keeps the key", Masked(New NoSelection, 5, 99, 97), CInt(97)
box = LastBox()
Check "ErrReg box names Mask", Left(box(1), 6), "Mask" & vbCrLf
Check "both are in Err.log", UBound(Split(fso.OpenTextFile(errLog).ReadAll(), vbCrLf)), 3
RemoveErrLog

On Error Resume Next
s.TrimReturn String(32767, "x")
CheckErr "TrimReturn has no handler: overflow to the caller", 6
s.GetZeroStr 32767
CheckErr "GetZeroStr 32767 overflows its counter", 6
s.Fmt16 256
CheckErr "a Byte argument out of range", 6
On Error GoTo 0
Check "nothing logged by them", fso.FileExists(errLog), False

Done
