' A short tour of QUENTA01.DLL as a script client sees it; tools/demo.sh runs it.
'   cscript //nologo demo_tour.vbs <folder for the progress-bar pictures>
' Needs QUENTA01.DLL and BXPICBOX.DLL (BrixenTest.PictureBox) registered. Ends with the line
' "End of the tour." (Wine's script host reports no script errors: a missing line is the sign).
Option Explicit

Dim folder, names, name, obj, m, p, w, x, y, v, i, pic, bar, file, bars, b

If WScript.Arguments.Count > 0 Then
  folder = WScript.Arguments(0)
Else
  folder = CreateObject("Scripting.FileSystemObject").GetSpecialFolder(2)
End If

Sub Say(text)
  WScript.Echo text
End Sub

Function Pad(text, width)
  Dim padded
  padded = text
  If Len(padded) < width Then padded = padded & Space(width - Len(padded))
  Pad = padded
End Function

Function Quoted(text)
  Quoted = """" & text & """"
End Function

Say "BRIXEN QUENTA01.DLL: a short tour"
Say ""
Say "The ten classes, created by ProgID:"
names = Array("clsFILE", "clsDATE", "clsString", "clsMethod", "clsProperty", _
              "clsPrgsBar", "clsNewFont", "clsToolTip", "clsDialogColor", "clsDialogOpenSave")
For Each name In names
  On Error Resume Next
  Set obj = CreateObject("BRIXEN." & name)
  If Err.Number <> 0 Then
    Say "  " & Pad("BRIXEN." & name, 26) & "FAILED: error " & Err.Number & " " & Err.Description
    Err.Clear
  Else
    Say "  " & Pad("BRIXEN." & name, 26) & "TypeName = " & TypeName(obj)
  End If
  On Error GoTo 0
  Set obj = Nothing
Next

Say ""
Say "clsMethod, ByRef parameters written back into script variables:"
Set m = CreateObject("BRIXEN.clsMethod")
w = "A=1"
m.CheckWhere w
Say "  w = ""A=1"":  CheckWhere w                    ->  w = " & Quoted(w)
w = ""
m.MakeWhereStr w, "B=2"
Say "  w = """":     MakeWhereStr w, ""B=2""           ->  w = " & Quoted(w)
w = "A=1"
m.MakeWhereStr w, "B=2"
Say "  w = ""A=1"":  MakeWhereStr w, ""B=2""           ->  w = " & Quoted(w)
m.Separate32WithSign &HFFFF0001, x, y
Say "  Separate32WithSign &HFFFF0001, x, y         ->  x = " & x & ", y = " & y & " (" & TypeName(x) & ")"
m.Separate32WithSign &H80007FFF, x, y
Say "  Separate32WithSign &H80007FFF, x, y         ->  x = " & x & ", y = " & y

Say ""
Say "clsString, clsDATE and clsFILE:"
Dim txt, dat, fil
Set txt = CreateObject("BRIXEN.clsString")
Set dat = CreateObject("BRIXEN.clsDATE")
Set fil = CreateObject("BRIXEN.clsFILE")
Say "  Convert2To16(""11110000"")      = " & txt.Convert2To16("11110000")
Say "  Fmt16Ex(255, 4)                = " & txt.Fmt16Ex(255, 4)
Say "  GetKongetuNissu(2024, 2)       = " & dat.GetKongetuNissu(2024, 2)
Say "  GetEndDate(#2006/07/25#)       = " & dat.GetEndDate(DateSerial(2006, 7, 25))
Say "  ReplaceExt(""C:\a\b.txt"", ""bak"") = " & fil.ReplaceExt("C:\a\b.txt", "bak")
Say "  Pwd(#2006/07/25#)              = " & CreateObject("BRIXEN.clsProperty").Pwd(DateSerial(2006, 7, 25))

Say ""
Say "clsProperty, words of packed 32-bit values:"
Set p = CreateObject("BRIXEN.clsProperty")
For Each v In Array(&H12345678, -1, &HFFFE0003)
  Say "  " & Pad("&H" & Hex(CLng(v)), 11) & " GetHiWord = " & Pad(CStr(p.GetHiWord(v)), 6) & _
      " GetLoWord = " & p.GetLoWord(v)
Next
For Each v In Array(&HFFFF&, &H7FFF, &H12345)
  Say "  CvWithSign(&H" & Pad(Hex(v) & ")", 6) & " = " & p.CvWithSign(v)
Next

Say ""
Say "clsPrgsBar, one bar per direction, drawn into BrixenTest.PictureBox:"
' direction, MAX, value, bar colour (RGB, red in the low byte), text colour, unit, height in px
bars = Array( _
  Array(0, 100, 48, &HD77800, &H0&, "% copied", 40, "left to right"), _
  Array(1, 100, 55, &H71B33C, &H0&, "% up", 48, "bottom to top"), _
  Array(2, 200, 140, &H8CFF&, &H800000, " of 200 files", 40, "right to left"), _
  Array(3, 100, 85, &H800080, &H0&, "% down", 80, "top to bottom"))
For i = 0 To UBound(bars)
  b = bars(i)
  Set pic = CreateObject("BrixenTest.PictureBox")
  pic.Resize 320, b(6)
  pic.FontSize = 12
  Set bar = CreateObject("BRIXEN.clsPrgsBar")
  bar.Direction = b(0)
  bar.BarClr = b(3)
  bar.ForeClr = b(4)
  bar.UnitString = b(5)
  Set bar.Target = pic
  bar.MAX = b(1)
  bar.Value = b(2)
  file = folder & "\bar-" & (i + 1) & ".bmp"
  pic.SavePicture file
  Say "  " & Pad(b(7), 14) & " MAX " & Pad(CStr(bar.MAX), 4) & " Value " & Pad(CStr(bar.Value), 4) & _
      " text """ & bar.Value & bar.UnitString & """  ->  " & file
Next

Say ""
Say "End of the tour."
