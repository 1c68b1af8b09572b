' The drawing members from a script: a gradient from a system colour into a picture box's device
' context, an edge with its style left out, a mapping mode read back into the script's own
' variables, and a font handle from clsNewFont.
Dim m, p, pic, ox, oy, ex, ey, f, h

Set m = CreateObject("BRIXEN.clsMethod")
Set p = CreateObject("BRIXEN.clsProperty")
Set pic = CreateObject("BrixenTest.PictureBox")
pic.BackColor = &HC0C0C0
pic.Cls

' The system colour arrives as a negative Long: the window background, &H80000005.
m.Gradate pic.hWnd, pic.hDC, &H80000005, &HFF0000, 0
CheckErr "Gradate from a script", 0
Check "the first band has the start colour", pic.PixelAt(0, 10), pic.PixelAt(1, 10)
Check "the last band is near the end colour", pic.PixelAt(199, 10) = pic.PixelAt(0, 10), False

pic.BackColor = &HC0C0C0
pic.Cls
m.DrawWaku pic.hDC, 20, 10, 60, 30, 2
CheckErr "DrawWaku without a style", 0
Check "the raised edge's light corner", pic.PixelAt(18, 8) = &HC0C0C0, False

ox = "5": oy = 0: ex = Empty: ey = 2.5
Check "SetMapWindow", p.SetMapWindow(pic.hDC, 8, 10, 20, 300, 400), 1
Check "GetWindowWidth", p.GetWindowWidth(pic.hDC, ox, oy, ex, ey), True
Check "window origin x in the script's variable", ox, 10
Check "window origin y", oy, 20
Check "window extent x", ex, 300
Check "window extent y", ey, 400
p.SetMapWindow pic.hDC, 1, 0, 0, 1, 1

Set f = CreateObject("BRIXEN.clsNewFont")
f.lfHeight = -20
f.lfFaceName = "Tahoma"
h = f.hNewFont
Check "a font handle", h <> 0, True
Check "a new one on each read", f.hNewFont <> h, True
On Error Resume Next
f.lfItalic = 256
CheckErr "a byte field beyond 255", 6
f.lfFaceName = String(33, "x")
CheckErr "a face name beyond 32 bytes", 9
On Error GoTo 0

Done
