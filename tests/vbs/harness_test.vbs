'@answers yes,no,cancel
'@standalone
' Proves the runner, the sentinel and the box answerer with built-in objects only.

Dim fso, folder, path, file
Set fso = CreateObject("Scripting.FileSystemObject")
folder = fso.GetSpecialFolder(2)
path = fso.BuildPath(folder, "brixen-harness.txt")
Set file = fso.CreateTextFile(path, True)
file.WriteLine "line one"
file.Close
Check "file exists", fso.FileExists(path), True
Check "file text", fso.OpenTextFile(path).ReadLine(), "line one"
fso.DeleteFile path
Check "file deleted", fso.FileExists(path), False

' Kinds are compared: the number 5 is not the text "5".
Check "Integer equals Long", CInt(5), CLng(5)
Check "Null", Null, Null

On Error Resume Next
Dim x
Dim numbers(2)
numbers(5) = 1
CheckErr "subscript out of range", 9
x = CLng("abc")
CheckErr "type mismatch", 13
x = 2
CheckErr "no error", 0
On Error GoTo 0

' Each box is answered by boxwatch as listed in the @answers line above, then by its default.
' (Wine's VBScript cannot index a call's result directly: LastBox()(0) does not compile.)
Dim box
Check "MsgBox yes", MsgBox("Continue?", vbYesNo + vbQuestion, "Harness"), vbYes
box = LastBox()
Check "logged title", box(0), "Harness"
Check "logged text", box(1), "Continue?"
Check "logged style", box(2), vbYesNo + vbQuestion
Check "logged answer", box(3), "yes"
Check "MsgBox no", MsgBox("Two lines" & vbCrLf & "second", vbYesNoCancel + vbExclamation + vbDefaultButton3, "Harness"), vbNo
box = LastBox()
Check "logged two lines", box(1), "Two lines" & vbCrLf & "second"
Check "logged default 3", box(2), vbYesNoCancel + vbExclamation + vbDefaultButton3
Check "MsgBox cancel", MsgBox("Stop", vbOKCancel + vbCritical, "Harness"), vbCancel
Check "MsgBox default", MsgBox("Retry?", vbRetryCancel + vbInformation + vbDefaultButton2, "Harness"), vbCancel
box = LastBox()
Check "logged default 2", box(2), vbRetryCancel + vbInformation + vbDefaultButton2
Check "logged default answer", box(3), "cancel"
Check "boxes logged", BoxCount(), 4

Done
