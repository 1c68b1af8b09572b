' clsMethod's splitting, bitmap size, control panel, INI default, help and waiting members called
' late bound from a script: ByRef variables come back written, the height keeps its Variant kind.
Dim m, fso, folder, l, r, w, h, ini, text, box, started, elapsed

Set m = CreateObject("BRIXEN.clsMethod")
Set fso = CreateObject("Scripting.FileSystemObject")
folder = fso.BuildPath(fso.GetSpecialFolder(2), "brixen-method-vbs")
If fso.FolderExists(folder) Then fso.DeleteFolder folder, True
fso.CreateFolder folder

' --- SeparateFNAME
l = "old"
r = "kept"
m.SeparateFNAME "a.b.c", l, r
Check "split at the first full stop: left", l, "a"
Check "split at the first full stop: right", r, "b.c"
l = "old"
r = "kept"
m.SeparateFNAME "readme", l, r
Check "no full stop: the whole name on the left", l, "readme"
Check "no full stop: the right one is kept", r, "kept"

' --- GetBmpSize
' Four bytes, little-endian, of a 32-bit number (written in the ANSI code page: English only).
Function LE32(n)
  Dim i, v
  v = n
  If v < 0 Then v = v + 4294967296
  LE32 = ""
  For i = 1 To 4
    LE32 = LE32 & Chr(v - Int(v / 256) * 256)
    v = Int(v / 256)
  Next
End Function

' A 24-bit bitmap file of 3 x 2 pixels, top-down (negative height).
Function TopDownBitmap()
  TopDownBitmap = "BM" & LE32(54 + 24) & LE32(0) & LE32(54) & LE32(40) & LE32(3) & LE32(-2) & _
                  Chr(1) & Chr(0) & Chr(24) & Chr(0) & String(24, Chr(0)) & String(24, "x")
End Function

Dim bmp, stream
bmp = fso.BuildPath(folder, "top-down.bmp")
Set stream = fso.CreateTextFile(bmp, True, False)
stream.Write TopDownBitmap()
stream.Close
Check "the bitmap written is 78 bytes", fso.GetFile(bmp).Size, 78
m.GetBmpSize bmp, w, h
Check "bitmap width", w, 3
Check "top-down bitmap height is negative", h, -2
Check "height is a Long", VarType(h), vbLong
w = 99
h = "old"
m.GetBmpSize fso.BuildPath(folder, "missing.bmp"), w, h
Check "missing bitmap: width 0", w, 0
Check "missing bitmap: height 0", h, 0
Check "missing bitmap: height is an Integer", VarType(h), vbInteger

' --- RunContolPanel: 3 is no kind (nothing starts); 2 starts the printers folder's command and
' returns at once (under Wine it ends by itself, showing nothing).
m.RunContolPanel 3
CheckErr "an unknown kind does nothing", 0
started = Timer
m.RunContolPanel 2
CheckErr "the printers folder starts", 0
Check "without waiting for it", Seconds(started) < 2, True

' --- RegIniDefaultKey
Function IniText()
  IniText = fso.OpenTextFile(ini, 1).ReadAll()
End Function

ini = fso.BuildPath(folder, "defaults.ini")
Dim seven
seven = 7
m.RegIniDefaultKey "Section", "Count", 5, ini
m.RegIniDefaultKey "Section", "Name", "Taro", ini
m.RegIniDefaultKey "Section", "Count", seven, ini
m.RegIniDefaultKey "Section", "Name", "Jiro", ini
text = IniText()
Check "a number default is written where absent", InStr(text, "Count=5" & vbCrLf) > 0, True
Check "a text default is written where absent", InStr(text, "Name=Taro" & vbCrLf) > 0, True
Check "present keys keep their values", InStr(text, "Count=7") + InStr(text, "Jiro"), 0
m.RegIniDefaultKey "Section", "Flag", True, ini
box = LastBox()
Check "a Boolean default: the message", box(1), "Unknown vartype !"
Check "a Boolean default: OK only, no icon", box(2), 0
Check "a Boolean default: the default title", box(0), "BRIXEN"
Check "a Boolean default: nothing written", IniText(), text

' --- RunHelp32
Dim help
help = fso.BuildPath(folder, "missing.hlp")
m.RunHelp32 0, help
box = LastBox()
Check "missing help file: the message", box(1), "I cannot find help files." & vbCrLf & vbCrLf & help
Check "missing help file: the title", box(0), "ERROR"
Check "missing help file: OK only, critical", box(2), 16

' --- WaitChotto, WaitChottoWithoutEvent (generous bounds: the machine may be busy)
Function Seconds(since)
  Seconds = Timer - since
  If Seconds < 0 Then Seconds = Seconds + 86400
End Function

started = Timer
m.WaitChotto 0.3
elapsed = Seconds(started)
Check "WaitChotto waits about 0.3 s", elapsed >= 0.25 And elapsed < 2.5, True
started = Timer
m.WaitChottoWithoutEvent 0.3
elapsed = Seconds(started)
Check "WaitChottoWithoutEvent waits about 0.3 s", elapsed >= 0.25 And elapsed < 2.5, True

fso.DeleteFolder folder, True
Done
