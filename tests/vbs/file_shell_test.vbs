' clsFILE's shell operations from a script, late bound: special folders, shortcuts on the real
' desktop and in a group below the programs, and the shell's copy without questions
' (overwriting). Every file made here is removed again.
'@answers ok
Dim f, fso, desktop, programs, work, link, result, box
Set f = CreateObject("BRIXEN.clsFILE")
Set fso = CreateObject("Scripting.FileSystemObject")

' ---- special folders
desktop = f.GetDesktopFolder(0)
Check "the desktop is the desktop directory", desktop, f.GetSpecialFolder(0, 16)
Check "the desktop exists", fso.FolderExists(desktop), True
Check "no trailing separator", Right(desktop, 1) <> "\", True
programs = f.GetSpecialFolder(0, 2)
Check "the programs folder exists", fso.FolderExists(programs), True
Check "printers have no path", f.GetSpecialFolder(0, 4), ""

' ---- shortcuts
work = fso.BuildPath(fso.GetSpecialFolder(2).Path, "brixen-vbs-shell")
If fso.FolderExists(work) Then fso.DeleteFolder work, True
fso.CreateFolder work

link = fso.BuildPath(desktop, "BRIXEN vbs.lnk")
Check "a shortcut on the desktop", f.CreateShortCut(0, "BRIXEN vbs", work & "\tool.exe", , "/go"), 1
Check "it is on the real desktop", fso.FileExists(link), True
If fso.FileExists(link) Then fso.DeleteFile link

link = fso.BuildPath(programs, "BRIXEN vbs group\BRIXEN vbs.lnk")
Check "a shortcut in a group of its own", f.CreateShortCut(3, "BRIXEN vbs", work & "\tool.exe", "BRIXEN vbs group"), 1
Check "it is in the group below the programs", fso.FileExists(link), True
If fso.FileExists(link) Then fso.DeleteFile link
If fso.FolderExists(fso.BuildPath(programs, "BRIXEN vbs group")) Then fso.DeleteFolder fso.BuildPath(programs, "BRIXEN vbs group")

Check "no group named: nothing made", f.CreateShortCut(3, "BRIXEN vbs", work & "\tool.exe"), 0
box = LastBox()
Check "the caller is told", box(1), "You must specif sSpecifiedShortCutPlace !"

' ---- copy without questions
fso.CreateTextFile(work & "\a.txt").Write "A"
fso.CreateTextFile(work & "\b.txt").Write "B"
fso.CreateFolder work & "\to"
fso.CreateTextFile(work & "\to\a.txt").Write "old"
Check "two files in one copy", f.SHFileCopy(0, work & "\a.txt," & work & "\b.txt", work & "\to"), True
Check "the first replaced", fso.OpenTextFile(work & "\to\a.txt").ReadAll, "A"
Check "the second copied", fso.OpenTextFile(work & "\to\b.txt").ReadAll, "B"
Check "a missing source", f.SHFileCopy(0, work & "\none.txt", work & "\to"), False

On Error Resume Next
result = f.SHFileCopy("window", work & "\a.txt", work & "\to")
CheckErr "a window that is no number", 13
On Error GoTo 0

fso.DeleteFolder work, True
Done
