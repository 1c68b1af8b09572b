' clsProperty.ping from a script, in a network namespace whose only interface is the loopback
' (tools/test-all.sh runs the tests named *_private_network_* there): the loopback answers within
' a time-out given as a number or as a text; a Null time-out is logged under "ping" with error 94
' (its box answered, the record in Err.log beside the DLL) and gives False.
'@answers ok
Dim p, fso, logPath, box, stream, lines
Set p = CreateObject("BRIXEN.clsProperty")
Set fso = CreateObject("Scripting.FileSystemObject")
logPath = fso.BuildPath(fso.GetParentFolderName(CreateObject("WScript.Shell").Environment("PROCESS")("BRIXEN_DLL")), "Err.log")
If fso.FileExists(logPath) Then fso.DeleteFile logPath

Check "the loopback answers", p.ping("127.0.0.1", 1000), True
Check "a text time-out", p.ping("127.0.0.1", "500"), True
Check "a name that cannot resolve", p.ping(String(64, "x") & ".invalid", 1000), False
Check "no box so far", BoxCount(), 0

Check "a Null time-out gives False", p.ping("127.0.0.1", Null), False
box = LastBox()
Check "one box", BoxCount(), 1
Check "it names the module", Left(box(1), 6), "ping" & vbCrLf
Check "and the error", InStr(box(1), vbCrLf & "[ErrCode] 94" & vbCrLf) > 0, True
Set stream = fso.OpenTextFile(logPath, 1, False, 0)
lines = Split(stream.ReadAll(), vbCrLf)
stream.Close
Check "a header and one record", UBound(lines), 2
Check "the record's error", Left(lines(1), 4), " 94 "
Check "the module at column 43", Mid(lines(1), 43, 5), "ping "
fso.DeleteFile logPath
Done
