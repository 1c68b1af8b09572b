' The cost of one late-bound call from VBScript (by name, as the script engine always calls),
' against the platform's automation object and a built-in function timed in the same script.
' Each loop is sized to take about half a second; the cases run interleaved in three rounds and
' each reports the median, less the cost of an empty loop. Prints one line per case, the ratios,
' and VBS-OK last (Wine's script host reports no script errors: the runner looks for that line).
Option Explicit

Const TARGET_SECONDS = 0.5
Const ROUNDS = 3

Dim bar, fso, s
Set bar = Nothing
Set fso = Nothing
s = "abcdefghij"

On Error Resume Next
Set bar = CreateObject("BRIXEN.clsPrgsBar")
If Err.Number <> 0 Then Stop_ "CreateObject BRIXEN.clsPrgsBar: error " & Err.Number & " " & Err.Description
Set fso = CreateObject("Scripting.FileSystemObject")
If Err.Number <> 0 Then Stop_ "CreateObject Scripting.FileSystemObject: error " & Err.Number & " " & Err.Description
On Error GoTo 0

' What is timed must work: a benchmark of failing calls measures nothing.
If bar.MAX <> 100 Then Stop_ "bar.MAX = " & bar.MAX & ", expected 100"
If fso.BuildPath("a", "b") <> "a\b" Then Stop_ "fso.BuildPath(""a"", ""b"") = " & fso.BuildPath("a", "b")

Sub Stop_(message)
  WScript.Echo "FAILED: " & message
  WScript.Quit 1
End Sub

' Seconds since t0, across midnight.
Function Since(t0)
  Dim d
  d = Timer - t0
  If d < 0 Then d = d + 86400
  Since = d
End Function

' One loop of n iterations of a case; returns its seconds. One loop per case, so no case pays
' for choosing what to run inside its loop.
Function RunCase(kind, n)
  Dim i, v, t0
  Select Case kind
    Case "empty"
      t0 = Timer
      For i = 1 To n
      Next
    Case "ours"
      t0 = Timer
      For i = 1 To n
        v = bar.MAX
      Next
    Case "late"
      t0 = Timer
      For i = 1 To n
        v = bar.BarClr
      Next
    Case "fso"
      t0 = Timer
      For i = 1 To n
        v = fso.BuildPath("a", "b")
      Next
    Case "len"
      t0 = Timer
      For i = 1 To n
        v = Len(s)
      Next
    Case "mid"
      t0 = Timer
      For i = 1 To n
        v = Mid(s, 1, 1)
      Next
  End Select
  RunCase = Since(t0)
End Function

' Iterations for one loop of about TARGET_SECONDS (Timer ticks are coarse: calibrate on >= 50 ms).
Function Calibrate(kind)
  Dim n, took
  n = 1000
  Do
    took = RunCase(kind, n)
    If took >= 0.05 Then Exit Do
    n = n * 4
  Loop
  Calibrate = CLng(n * TARGET_SECONDS / took)
End Function

' Median over the rounds of case k. Fixed-size arrays only: ReDim crashes Wine 8's script engine.
Function Median(k)
  Dim a(9), i, j, tmp
  For i = 0 To ROUNDS - 1
    a(i) = all(k, i)
  Next
  For i = 1 To ROUNDS - 1
    For j = i To 1 Step -1
      If a(j - 1) <= a(j) Then Exit For
      tmp = a(j): a(j) = a(j - 1): a(j - 1) = tmp
    Next
  Next
  If ROUNDS Mod 2 = 1 Then
    Median = a(ROUNDS \ 2)
  Else
    Median = (a(ROUNDS \ 2 - 1) + a(ROUNDS \ 2)) / 2
  End If
End Function

' x with `places` decimals, "." as separator whatever the locale (Wine 8's Round ignores its
' second argument, so the rounding is done by hand).
Function Fixed(x, places)
  Dim scale, whole, frac
  If x < 0 Then
    Fixed = "-" & Fixed(-x, places)
    Exit Function
  End If
  scale = 10 ^ places
  whole = Int(x * scale + 0.5)
  frac = CStr(whole Mod scale)
  Fixed = CStr(whole \ scale) & "." & String(places - Len(frac), "0") & frac
End Function

Function Us(seconds)
  Us = Fixed(seconds * 1000000, 3)
End Function

Function Pad(text, width)
  If Len(text) < width Then Pad = text & Space(width - Len(text)) Else Pad = text & " "
End Function

Const CASES = 6
Dim kinds, labels, counts(5), perIter(5), r, k, kk
kinds = Array("empty", "ours", "fso", "len", "mid", "late")
labels = Array("empty loop", "ours  bar.MAX", "FSO   fso.BuildPath(""a"",""b"")", "built-in Len(s)", _
               "built-in Mid(s,1,1)", "ours  bar.BarClr (a name late in it)")
For k = 0 To CASES - 1
  counts(k) = Calibrate(kinds(k))
Next
Dim all(5, 9)  ' seconds per iteration, per case and round (ROUNDS <= 10)
For r = 0 To ROUNDS - 1
  For kk = 0 To CASES - 1
    k = (kk + r) Mod CASES
    all(k, r) = RunCase(kinds(k), counts(k)) / counts(k)
  Next
Next
For k = 0 To CASES - 1
  perIter(k) = Median(k)
Next

Dim net(5), unit
WScript.Echo "VBScript call cost, median of " & ROUNDS & " rounds of ~" & TARGET_SECONDS & " s, empty loop subtracted"
For k = 0 To CASES - 1
  If k = 0 Then net(k) = perIter(0) Else net(k) = perIter(k) - perIter(0)
  If k = 0 Then unit = " us/iteration" Else unit = " us/call"
  WScript.Echo "  " & Pad(labels(k), 40) & Pad(Us(net(k)) & unit, 20) & "(loops of " & counts(k) & ")"
Next
If net(2) > 0 And net(3) > 0 And net(4) > 0 Then
  WScript.Echo "  ratio ours/FSO     = " & Fixed(net(1) / net(2), 2)
  WScript.Echo "  ratio ours/Len(s)  = " & Fixed(net(1) / net(3), 2)
  WScript.Echo "  ratio ours/Mid(s)  = " & Fixed(net(1) / net(4), 2)
  WScript.Echo "  ratio BarClr/FSO   = " & Fixed(net(5) / net(2), 2)
  If net(1) <= net(2) Then
    WScript.Echo "VERDICT VBScript ours/FSO = " & Fixed(net(1) / net(2), 2) & ": ours is no slower than the platform's automation object"
  Else
    WScript.Echo "VERDICT VBScript ours/FSO = " & Fixed(net(1) / net(2), 2) & ": ours is SLOWER than the platform's automation object"
  End If
Else
  WScript.Echo "  (too noisy: a case came out no dearer than the empty loop; run again)"
End If
WScript.Echo "VBS-OK"
