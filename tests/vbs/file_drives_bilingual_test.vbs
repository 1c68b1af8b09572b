'@answers ok,cancel,ok
' clsFILE's drives, temporary files and folder listings from a script, late bound: the drives of the
' test prefix (A: removable without a medium, R: removable, S: CD-ROM), the insert-disk prompt in
' the system's language (OK asks again, Cancel gives up), a logged failure, and ByRef arguments
' from script variables. Japanese texts come from code page 932 through Chr (no ChrW in Wine).
Dim f, fso, shell, stream, logPath, box, insertFD, temp, name1, name2, root, list, which

Set f = CreateObject("BRIXEN.clsFILE")
Set fso = CreateObject("Scripting.FileSystemObject")
Set shell = CreateObject("WScript.Shell")
logPath = fso.BuildPath(fso.GetParentFolderName(shell.Environment("PROCESS")("BRIXEN_DLL")), "Err.log")
If fso.FileExists(logPath) Then fso.DeleteFile logPath

If TestLocale() = "ja" Then
  insertFD = "FD" & Chr(&H82F0) & Chr(&H917D) & Chr(&H93FC) & Chr(&H82B5) & Chr(&H82C4) & Chr(&H82AD) & _
             Chr(&H82BE) & Chr(&H82B3) & Chr(&H82A2) & Chr(&H8149)
Else
  insertFD = "Insert FD!"
End If

' --- drives
Check "type of c:\data", f.DriveTypeString("c:\data"), "2"
Check "type of the removable A:", f.DriveTypeString("a:"), "1"
Check "type of the CD-ROM S:", f.DriveTypeString("S"), "4"
Check "type of nothing", f.DriveTypeString(""), "Unknown"
Check "type of a letter without a drive", f.DriveTypeString("Q:\"), "Unknown"
Check "room on C:", f.IsRemainDriveSpace("C:\", 1), True
Check "no room asked too large", f.IsRemainDriveSpace("C", 1E+30), False
Check "first fixed disk", f.FirstHDDDrive(), "C"
Check "FDDrive is the scripting library's drive", TypeName(f.FDDrive), "IDrive"
Check "FDDrive letter", f.FDDrive.DriveLetter, "A"
Check "A: without a medium", f.IsDriveReady("A:\x.txt"), False
Check "R: with a medium", f.IsDriveReady("r"), True

' --- the prompt: OK asks again, Cancel gives up
Check "IsFDReady without a disk", f.IsFDReady(), False
box = LastBox()
Check "prompt count", BoxCount(), 2
Check "prompt title", box(0), "FD ERROR"
Check "prompt text", box(1), insertFD
Check "prompt style", box(2), 49
Check "last answer", box(3), "cancel"

' --- a logged failure: no free space to read on a drive without its medium
Check "room on A: without a medium", f.IsRemainDriveSpace("A:\", 0), False
box = LastBox()
Check "ErrReg title", box(0), "ERROR"
Check "ErrReg names the module", Left(box(1), 20), " IsRemainDriveSpace" & vbCr
Check "Err.log written", fso.FileExists(logPath), True
If fso.FileExists(logPath) Then
  Set stream = fso.OpenTextFile(logPath, 1)
  Check "Err.log names the module", InStr(stream.ReadAll(), " IsRemainDriveSpace ") > 0, True
  stream.Close
  fso.DeleteFile logPath
End If

' --- temporary files and system folders
temp = f.TempPath
Check "temporary folder ends with \", Right(temp, 1), "\"
Check "temporary folder exists", fso.FolderExists(temp), True
name1 = f.GetTempWinFile("brx")
name2 = f.GetTempWinFile("brx")
Check "two different names", name1 <> name2, True
Check "in the temporary folder", LCase(Left(name1, Len(temp) + 3)), LCase(temp & "brx")
Check "first file exists", fso.FileExists(name1), True
Check "second file exists", fso.FileExists(name2), True
If fso.FileExists(name1) Then fso.DeleteFile name1
If fso.FileExists(name2) Then fso.DeleteFile name2
Check "Windows folder", LCase(f.WindowsDirectory), LCase(fso.GetSpecialFolder(0).Path)
Check "system folder", LCase(f.SystemDirectory), LCase(fso.GetSpecialFolder(1).Path)

' --- folder listings and a script variable for the ByRef Which. The lists are String arrays
' (VarType 8200); Wine's script engine cannot read the elements of a typed array (the C++ tests
' read them), nor pass a script array to a String-array parameter.
root = fso.BuildPath(temp, "brixen-vbs-folders")
If fso.FolderExists(root) Then fso.DeleteFolder root, True
Check "CreateAllFolders", f.CreateAllFolders(root & "\A\B"), True
Check "every level made", fso.FolderExists(root & "\A\B"), True
fso.CreateTextFile(root & "\file.txt").Close
which = 0
list = f.FilesInFolder(root, which)
Check "files: a String array", VarType(list), 8200
Check "Which is only read", which, 0
Check "file count", f.CntFilesInFolder(root), 1
Check "CloneFolders", f.CloneFolders(root, root & "-clone"), True
Check "clone has A\B", fso.FolderExists(root & "-clone\A\B"), True
Check "clone has no files", fso.FileExists(root & "-clone\file.txt"), False
fso.DeleteFolder root, True
fso.DeleteFolder root & "-clone", True

Done
