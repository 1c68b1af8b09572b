' The common dialogs from a script, late bound: OpenDialog with its optional arguments left out,
' and the text a confirmed dialog gives a script (a path; a multiple selection as the folder and
' the names, which Split at Chr(0) takes apart); cancel, an unknown method, an initial name
' beyond the buffer; the colour dialog's properties without a dialog. A helper program,
' started just before each dialog, answers it as a user would (tools/dialog_answer.cpp).
' The dialogs keep the script's current folder (OFN_NOCHANGEDIR, &H8): the helpers start in it, and
' the test's folder can be removed at the end.
Const OPEN_FLAGS = &H80008, MULTIPLE = &H200
Dim sh, fso, answerer, d, c, work, result, parts
Set sh = CreateObject("WScript.Shell")
Set fso = CreateObject("Scripting.FileSystemObject")
' The 64-bit helper serves both runs, beside the 64-bit DLL: it reads windows of any process.
answerer = fso.BuildPath(fso.GetParentFolderName(sh.Environment("PROCESS")("BRIXEN_DLL64")), "tools\brixen_dialog_answer.exe")
Check "the answering helper is built", fso.FileExists(answerer), True

Sub Answer(title, how)
  sh.Run """" & answerer & """ """ & title & """ " & how, 0, False
End Sub

work = fso.BuildPath(fso.GetSpecialFolder(2).Path, "brixen-vbs-dialog")
If fso.FolderExists(work) Then fso.DeleteFolder work, True
fso.CreateFolder work
fso.CreateTextFile(work & "\one.txt").Write "1"
fso.CreateTextFile(work & "\two.txt").Write "2"

Set d = CreateObject("BRIXEN.clsDialogOpenSave")
Check "FilterIndex before any dialog", d.FilterIndex, 0

' Only the four arguments that must be given.
Answer "Pick one", "ok """ & work & "\one.txt"""
result = d.OpenDialog(0, 0, "Pick one", OPEN_FLAGS)
Check "a path typed and confirmed", result, work & "\one.txt"
Check "FilterIndex: All Files, the only filter", d.FilterIndex, 1

' The names given as the initial name, confirmed as they stand.
Answer "Pick two", "ok"
result = d.OpenDialog(0, 0, "Pick two", OPEN_FLAGS Or MULTIPLE, , work, """one.txt"" ""two.txt""")
parts = Split(result, Chr(0))
Check "a multiple selection: folder and two names", UBound(parts), 2
If UBound(parts) = 2 Then
  Check "the folder first", parts(0), work
  Check "then the names", parts(1) & "|" & parts(2), "one.txt|two.txt"
End If

Answer "Cancel me", "cancel"
Check "cancelled", d.OpenDialog(1, 0, "Cancel me", OPEN_FLAGS, "Text" & Chr(0) & "*.txt", , , , 2), ""
Check "FilterIndex kept", d.FilterIndex, 1

Check "an unknown method shows nothing", d.OpenDialog(2, 0, "Nothing", OPEN_FLAGS), ""
On Error Resume Next
result = d.OpenDialog(0, 0, "Too long", OPEN_FLAGS, , , String(1025, "a"))
CheckErr "an initial name beyond the 1,024-byte buffer", 5
On Error GoTo 0
Check "GetLong", d.GetLong(-5), -5

Set c = CreateObject("BRIXEN.clsDialogColor")
Check "a new colour dialog's Result", c.Result, 0
c.InitialColor = &HFF
c.Flags = 1
c.OwnerInstance(0) = 0
Check "Result is the initial colour", c.Result, &HFF

fso.DeleteFolder work, True
Check "the folder is removed", fso.FolderExists(work), False
Done
