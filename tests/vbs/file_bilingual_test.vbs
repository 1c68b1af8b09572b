'@answers ok,ok,no,yes,ok,ok,ok
' clsFILE's path rules, encoding, existence checks and prompts late bound from a script, in the
' system's language: the prompts are answered by boxwatch in the order above, and each handler's
' failure leaves its module name in Err.log beside the DLL. Japanese texts come from code page
' 932 through Chr (Wine's VBScript has no ChrW).

Function Text(japanese, english)
  If TestLocale() = "ja" Then Text = Sjis(japanese) Else Text = english
End Function

Dim f, fso, work, logPath, box, head, fromNumber, inputError
Set f = CreateObject("BRIXEN.clsFILE")
Set fso = CreateObject("Scripting.FileSystemObject")
logPath = fso.BuildPath(fso.GetParentFolderName(CreateObject("WScript.Shell").Environment("PROCESS")("BRIXEN_DLL")), "Err.log")
If fso.FileExists(logPath) Then fso.DeleteFile logPath
work = fso.BuildPath(fso.GetSpecialFolder(2), "brixen-vbs-files")
If fso.FolderExists(work) Then fso.DeleteFolder work, True
fso.CreateFolder work

Sub WriteFile(name, content)
  Dim stream
  Set stream = fso.CreateTextFile(fso.BuildPath(work, name), True)
  stream.Write content
  stream.Close
End Sub

Function ReadFile(name)
  Dim stream
  Set stream = fso.OpenTextFile(fso.BuildPath(work, name), 1)
  ReadFile = stream.ReadAll()
  stream.Close
End Function

' The last Err.log record names the module; the log goes with the check.
Sub CheckLogged(name, module)
  Dim stream, text, errorBox
  errorBox = LastBox()
  Check name & ": error box", errorBox(0), "ERROR"
  If fso.FileExists(logPath) Then
    Set stream = fso.OpenTextFile(logPath, 1)
    text = stream.ReadAll()
    stream.Close
    fso.DeleteFile logPath
  End If
  Check name & ": logged under " & module, InStr(text, " " & module & " ") > 0, True
End Sub

' ---- path and file-name rules
Check "folder part", f.GetWhatFromFullPath(1, "C:\data\report.2006.txt"), "C:\data\"
Check "file name", f.GetWhatFromFullPath(2, "C:\data\report.2006.txt"), "report.2006.txt"
Check "base name", f.GetWhatFromFullPath(3, "C:\data\report.2006.txt"), "report"
Check "extension", f.GetWhatFromFullPath(4, "C:\data\report.2006.txt"), "2006.txt"
Check "slashes separate nothing", f.GetWhatFromFullPath(2, "C:/data/x.txt"), "C:/data/x.txt"
Check "add yen", f.YenCheck(0, "C:\data"), "C:\data\"
Check "remove one yen", f.YenCheck(1, "C:\data\\"), "C:\data\"
Check "replace extension", f.ReplaceExt("C:\a\b.txt", "csv"), "C:\a\b.csv"
Check "dot", f.IsExistDot("a.b"), True
Check "forbidden", f.IsExistIhanMoji("a?b"), True
Check "name codes", Array(f.FNameCheck("readme.txt"), f.FNameCheck(" "), f.FNameCheck("name."), f.FNameCheck(".profile"), _
      f.FNameCheck("my file.txt"), f.FNameCheck("a:b.txt"), f.FNameCheck("abcdefghijklm"), f.FNameCheck("a.b.c")), _
      Array(1, 2, 3, 4, 5, 8, 9, 12)
head = "LOG"
Check "free numbered name", f.MyFName(work & "\", head, "txt"), "LOG00001.txt"
WriteFile "LOG00001.txt", "x"
Check "next free numbered name", f.MyFName(work & "\", head, "txt"), "LOG00002.txt"
Check "HEAD unchanged", head, "LOG"

' ---- existence checks
Check "file exists", f.IsExistFile(work & "\LOG00001.txt"), True
Check "pattern matches", f.IsExistFile(work & "\LOG*.txt"), True
Check "no file", f.IsExistFile(work & "\none.txt"), False
Check "empty name", f.IsExistFile(""), False
Check "folder exists", f.IsExistDir(work & "\"), True
Check "drive C:", f.IsExistDir("C:\"), True
Check "drive ready", f.IsDriveReady("C:\anything"), True
Check "writable", f.IsWritable(work), True
Check "no probe left", fso.FileExists("C:\tmp00001.000"), False
fso.CreateFolder work & "\empty"
Check "vacant", f.IsDirVacant(work & "\empty"), True
Check "not vacant", f.IsDirVacant(work), False
Check "no file left open", f.IsFileAitaMaMa(), False
fromNumber = 1
WriteFile "x.001", ""
Check "free extension", f.GetExcludeEXT(work & "\", "x", fromNumber, 3), "002"
Check "FROM unchanged", fromNumber, 1
Check "file time", f.SetThisFileTime(work & "\x.001", DateSerial(2006, 7, 25) + TimeSerial(13, 45, 17)), True
Check "time read back", fso.GetFile(work & "\x.001").DateLastModified, DateSerial(2006, 7, 25) + TimeSerial(13, 45, 17)

' ---- the prompts: bad name, missing folder, overwrite answered No, then Yes
inputError = Text(Array(&H93FC, &H97CD, &H8347, &H8389, &H815B), "ERROR")
Check "bad name", f.FileDirCheck(work, "my file.txt", True), 2
box = LastBox()
Check "bad name title", box(0), inputError
Check "bad name text", box(1), Text(Array(&H8374, &H8340, &H8343, &H838B, &H96BC, &H82AA, &H90B3, &H82B5, &H82AD, &H82A0, _
                                          &H82E8, &H82DC, &H82B9, &H82F1, &H8149), "File name is not correct!")
Check "bad name style", box(2), vbOKOnly + vbExclamation
Check "missing folder", f.FileDirCheck(work & "\none", "ok.txt", True), 3
box = LastBox()
Check "missing folder title", box(0), inputError
Check "missing folder text", box(1), Text(Array(&H8E77, &H92E8, &H82B3, &H82EA, &H82BD, &H8366, &H8342, &H838C, &H834E, _
                                                &H8367, &H838A, &H82CD, &H8CA9, &H82C2, &H82A9, &H82E8, &H82DC, &H82B9, _
                                                &H82F1, &H8149), "Directory is not correct!")
Check "declined overwrite", f.FileDirCheck(work, "LOG00001.txt", True), 4
box = LastBox()
Check "question title", box(0), Text(Array(&H8A6D, &H9446), "MESSAGE")
Check "question text", box(1), Text(Array(&H8FE3, &H8F91, &H82AB, &H82B5, &H82DC, &H82B7, &H82A9, &H8148), "Do you overwrite?")
Check "question style", box(2), vbYesNo + vbQuestion
Check "file kept", fso.FileExists(work & "\LOG00001.txt"), True
Check "agreed overwrite", f.FileDirCheck(work & "\", "LOG00001.txt", True), 1
Check "file deleted", fso.FileExists(work & "\LOG00001.txt"), False

' ---- encoding
WriteFile "plain.txt", "HAL"
Check "encode", f.EnCode(work & "\plain.txt", work & "\coded.txt"), True
Check "encoded bytes", ReadFile("coded.txt"), "IBM"
Check "decode in place", f.DeCode(work & "\coded.txt", work & "\coded.txt"), True
Check "decoded bytes", ReadFile("coded.txt"), "HAL"

' ---- failures logged under their module names (each ErrReg box answered OK)
Check "encode without a source", f.EnCode(work & "\none.txt", work & "\out.txt"), False
CheckLogged "EnCode", "EnCode"
Check "no destination", fso.FileExists(work & "\out.txt"), False
Check "decode an empty file", f.DeCode(work & "\x.001", work & "\out.txt"), False
CheckLogged "DeCode", "DeCode"
Check "file with a wildcard folder", f.IsExistFile(work & "\*\x.txt"), False
CheckLogged "IsExistFile", "IsExistFile"

fso.DeleteFolder work, True
Done
