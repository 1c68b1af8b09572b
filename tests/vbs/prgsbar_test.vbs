' clsPrgsBar late bound from a script, drawing into BrixenTest.PictureBox (BXPICBOX.DLL, 200 x 40
' pixels). Pixels are read in the box's scale units (Point) and in pixels (PixelAt). Pixels on
' the bar's edge are left alone: whether a filled box includes its far corner is the box's rule.
'@answers ok
Dim bar, pic, other, box, i, x, y, dirs, inBar, outside, px, cyan, red, stray

Const RED_ = &HFF&        ' the bar colour: RGB, red in the low byte
Const WHITE_ = &HFFFFFF

' MAX before any target: a message box, answered by boxwatch; the new max stays.
Set bar = CreateObject("BRIXEN.clsPrgsBar")
bar.MAX = 40
box = LastBox()
Check "box title", box(0), "clsPrgsBar"
Check "box text", box(1), "m_pic is not set!"
Check "box style: OK only, no icon", box(2), 0
Check "MAX kept without a target", bar.MAX, 40

' Value without a target: run-time error 91, the clamped value stays.
On Error Resume Next
bar.Value = 75
CheckErr "Value without a target", 91
On Error GoTo 0
Check "clamped value kept", bar.Value, 40

' A target: Target sets the scale width to max, MAX sets both.
Set pic = CreateObject("BrixenTest.PictureBox")
Set bar = CreateObject("BRIXEN.clsPrgsBar")
bar.BkClr = WHITE_
bar.BarClr = RED_
Set bar.Target = pic
Check "Target sets the scale width", pic.ScaleWidth, CSng(100)
Check "Target leaves the scale height (twips)", pic.ScaleHeight, CSng(600)
Check "Target sets AutoRedraw", pic.AutoRedraw, True
bar.MAX = 100
Check "MAX sets the scale height", pic.ScaleHeight, CSng(100)

' Clamping, read back through Value.
bar.Value = 150
Check "150 becomes 100", bar.Value, 100
bar.Value = -5
Check "-5 becomes 0", bar.Value, 0
bar.Value = 37
Check "37 stays", bar.Value, 37

' The four directions at 30: one point in the bar, one outside it, both away from the text
' (which sits in the middle of the box) and from the bar's edge.
dirs = Array(0, 1, 2, 3)
inBar = Array(Array(10, 10), Array(10, 90), Array(90, 10), Array(10, 10))
outside = Array(Array(90, 10), Array(10, 10), Array(10, 10), Array(10, 90))
For i = 0 To 3
  bar.Direction = dirs(i)
  bar.Value = 30
  Check "direction " & i & " kept", bar.Direction, dirs(i)
  Check "direction " & i & ": bar", pic.Point(inBar(i)(0), inBar(i)(1)), RED_
  Check "direction " & i & ": background", pic.Point(outside(i)(0), outside(i)(1)), WHITE_
Next

' Direction and colours wait for the next Value: the top-down bar stays until then.
bar.Direction = 0
bar.BarClr = &HFF00&
Check "no redraw before Value: old bar", pic.Point(90, 10), RED_
Check "no redraw before Value: old background", pic.Point(10, 90), WHITE_
bar.Value = 30
Check "new direction and colour after Value", pic.Point(10, 90), &HFF00&
Check "beside the new bar", pic.Point(90, 10), WHITE_
bar.BarClr = RED_

' Text: black on white beside the bar, NOT(bar XOR black) = NOT red = cyan under the full bar.
cyan = &HFFFF00
bar.Value = 0
x = 0
For y = 2 To 37
  For i = 60 To 140
    If pic.PixelAt(i, y) = 0 Then x = x + 1
  Next
Next
Check "black text on the empty bar", x > 0, True
bar.Value = 100
cyan = 0
red = 0
stray = 0
For y = 2 To 37
  For i = 0 To 198
    px = pic.PixelAt(i, y)
    If px = &HFFFF00 Then
      cyan = cyan + 1
    ElseIf px = RED_ Then
      red = red + 1
    Else
      stray = stray + 1
    End If
  Next
Next
Check "inverted text under the full bar", cyan > 0, True
Check "the rest is bar", stray, 0

' Only a picture box is a target: type mismatch, and the box stays the target.
On Error Resume Next
Set bar.Target = CreateObject("Scripting.Dictionary")
CheckErr "a Dictionary as target", 13
Set other = CreateObject("BRIXEN.clsString")
Set bar.Target = other
CheckErr "a clsString as target", 13
On Error GoTo 0
bar.Value = 50
Check "still drawing into the box", pic.Point(20, 10), RED_
Check "half the box", pic.Point(80, 10), WHITE_

Done
