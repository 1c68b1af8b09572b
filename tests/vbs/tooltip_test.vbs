' clsToolTip from a script, over the test picture box's window (200 x 40 pixels): members before
' Create, Add with its optional parameters left out, the properties that take a key, delays and
' the tracking range error.
Dim pic, t
Set pic = CreateObject("BrixenTest.PictureBox")
Set t = CreateObject("BRIXEN.clsToolTip")

Check "Add before Create", t.Add(1, "early"), False
Check "ToolCount before Create", t.ToolCount, 0
Check "InitialTime before Create", t.InitialTime, 0

Check "Create", t.Create(pic.hWnd), True
Check "Add with the key alone", t.Add(1), True
Check "Add with a text and a rectangle", t.Add(2, "Second", 10, 5, 60, 30), True
Check "ToolCount", t.ToolCount, 2
Check "the whole client area: right", t.GetBoundingRect(1, 3), 200
Check "the whole client area: bottom", t.GetBoundingRect(1, 4), 40
Check "the rectangle given: left", t.GetBoundingRect(2, 1), 10
Check "a side beyond the four", t.GetBoundingRect(2, 5), 0

t.ToolText(2) = "Changed"
CheckErr "ToolText with its key", 0
t.SetBoundingRect 2, 0, 0, 0, 5
Check "SetBoundingRect keeps a zero side", t.GetBoundingRect(2, 3), 0
Check "and the one that is not", t.GetBoundingRect(2, 4), 5
t.Remove 1
Check "ToolCount after Remove", t.ToolCount, 1

t.InitialTime = 500
t.AutoPopTime = 8000
t.ReShowTime = 150
Check "InitialTime", t.InitialTime, 500
Check "AutoPopTime", t.AutoPopTime, 8000
Check "ReShowTime", t.ReShowTime, 150
t.BackColor = &HC0FFFF
Check "BackColor", t.BackColor, &HC0FFFF
t.MaxWidth = 120
Check "MaxWidth", t.MaxWidth, 120
t.SetMargin 4, 3, 2, 1
Check "GetMargin top", t.GetMargin(2), 3

t.Activate = True
t.ToolTrackPosition 10, 20
t.ToolTrack(2) = True
t.ToolTrack(2) = False
CheckErr "Activate, ToolTrackPosition and ToolTrack", 0

On Error Resume Next
t.ToolTrackPosition 0, 98304
CheckErr "a tracking position beyond the 32-bit range", 6
t.ToolTrackPosition 0, -32769
CheckErr "and below it", 6
On Error GoTo 0

Done
