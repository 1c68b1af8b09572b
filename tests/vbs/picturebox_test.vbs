' BrixenTest.PictureBox created by ProgID and driven late bound, as a script or the library meets
' it. Needs BXPICBOX.DLL registered (regsvr32) in the prefix.

Dim pic, x, fso, path
Set pic = CreateObject("BrixenTest.PictureBox")

Check "default width in pixels", pic.Width, 200
Check "default height in pixels", pic.Height, 40
Check "default scale in twips", pic.ScaleWidth, 3000
Check "names ignore case", pic.scaleheight, 600

pic.BackColor = &HFFFFFF
pic.ScaleWidth = 100
pic.ScaleHeight = 100
pic.Cls
pic.AutoRedraw = True
Check "AutoRedraw", pic.AutoRedraw, True

' Half the scale width is half the pixels, far corner included.
pic.DrawMode = 13
pic.Line 0, 0, 50, 100, 255, "BF"
Check "bar reaches its far corner", pic.PixelAt(100, 39), 255
Check "and no further", pic.PixelAt(101, 0), &HFFFFFF
x = 25
Check "Point in scale units, argument by reference", pic.Point(x, 50), 255
Check "Point outside", pic.Point(-1, 0), -1

' Not-xor inverts: red over red gives white, red over white gives red.
pic.DrawMode = 10
pic.Line 0, 0, 100, 100, 255, "BF"
Check "not xor over red", pic.PixelAt(50, 20), &HFFFFFF
Check "not xor over white", pic.PixelAt(150, 20), 255

pic.ForeColor = 0
pic.CurrentX = 10
pic.CurrentY = 20
pic.Print "42%"
Check "Print returns to the left", pic.CurrentX, 0
Check "Print moves down one line", pic.CurrentY, CSng(20 + pic.TextHeight("42%"))
Check "TextWidth measures", pic.TextWidth("42%") > 0, True
pic.Refresh

Set fso = CreateObject("Scripting.FileSystemObject")
path = fso.BuildPath(fso.GetSpecialFolder(2), "brixen-picturebox.bmp")
pic.SavePicture path
Check "24-bit BMP of 200 x 40", fso.GetFile(path).Size, 54 + 600 * 40
fso.DeleteFile path

On Error Resume Next
pic.DrawMode = 0
CheckErr "DrawMode out of range", 380
pic.ScaleWidth = "wide"
CheckErr "scale not a number", 13
pic.Line 0, 0, 1, 1, 0, "Q"
CheckErr "unknown line style", 5
pic.Circle 1, 1, 1
CheckErr "no such member", 438
On Error GoTo 0
Check "DrawMode kept", pic.DrawMode, 10

Done
