' clsProperty from a script: settings written by the library read back through WScript.Shell
' from the registry where the run-time keeps them, INI values, the Num Lock toggle set through
' a ByRef property, Variant negation, word packing, the monthly access code, system facts, the
' default printer's orientation and fonts (the run's print service), and a shell verb's code.
Dim p, sh, fso, root, key, ini, lockBefore, lockState, code, major, minor, platform, orientation, data
Set p = CreateObject("BRIXEN.clsProperty")
Set sh = CreateObject("WScript.Shell")
Set fso = CreateObject("Scripting.FileSystemObject")
root = "HKCU\Software\VB and VBA Program Settings\BrixenVbsTest\"

' Wine's WScript.Shell cannot delete registry keys: reg.exe removes the test's settings.
Sub RemoveSettings()
  sh.Run "reg delete ""HKCU\Software\VB and VBA Program Settings\BrixenVbsTest"" /f", 0, True
End Sub

' ---- settings
RemoveSettings
Check "absent setting", p.ExistsRegEntry("BrixenVbsTest", "Main", "Size"), False
key = "Size"
Check "RegDefaultKey writes the default", p.RegDefaultKey("BrixenVbsTest", "Main", key, 15), True
Check "the default is text in the registry", sh.RegRead(root & "Main\Size"), "15"
Check "KEY is not changed", key, "Size"
Check "present setting", p.ExistsRegEntry("BrixenVbsTest", "Main", "Size"), True
sh.RegWrite root & "Main\Size", "kept", "REG_SZ"
Check "RegDefaultKey keeps a value", p.RegDefaultKey("BrixenVbsTest", "Main", key, 16), True
Check "the value is kept", sh.RegRead(root & "Main\Size"), "kept"
sh.RegWrite root & "Main\Blank", "", "REG_SZ"
Check "an empty setting counts as absent", p.ExistsRegEntry("BrixenVbsTest", "Main", "Blank"), False
Check "RegDefaultKey fills an empty setting", p.RegDefaultKey("BrixenVbsTest", "Main", "Blank", True), True
Check "with the default's text", sh.RegRead(root & "Main\Blank"), "True"
RemoveSettings

' ---- INI files
ini = fso.BuildPath(fso.GetSpecialFolder(2), "brixen_vbs_property.ini")
If fso.FileExists(ini) Then fso.DeleteFile ini
Check "absent number", p.GetProfileValueInt("Main", "Count", ini), 411209
Check "absent text", p.GetProfileValueString("Main", "Count", ini), "????????"
Check "write a number", p.WriteProfileValue("Main", "Count", 15, ini), True
Check "write an empty value", p.WriteProfileValue("Main", "Empty", Empty, ini), True
Check "read the number", p.GetProfileValueInt("Main", "Count", ini), 15
Check "read it as text", p.GetProfileValueString("Main", "Count", ini), "15"
Check "an empty value", p.GetProfileValueString("Main", "Empty", ini), ""
Check "the file", fso.OpenTextFile(ini).ReadAll(), "[Main]" & vbCrLf & "Count=15" & vbCrLf & "Empty=" & vbCrLf
fso.DeleteFile ini

' ---- Num Lock through the ByRef property
lockBefore = p.NumLockStatus
lockState = 1
p.NumLockStatus = lockState
Check "Num Lock on", p.NumLockStatus, 1
lockState = 0
p.NumLockStatus = lockState
Check "Num Lock off", p.NumLockStatus, 0
Check "the value passed is not changed", lockState, 0
p.NumLockStatus = lockBefore

' ---- numbers
Check "ToMinus of a number", p.ToMinus(5), -5
Check "ToMinus of a numeric text gives a number", p.ToMinus("7"), CDbl(-7)
Check "ToMinus keeps a negative text", p.ToMinus("-3"), "-3"
Check "ToMinus of Null", IsNull(p.ToMinus(Null)), True
On Error Resume Next
p.ToMinus "abc"
CheckErr "ToMinus of letters", 13
p.Create_unsigned32bit -32769, 0
CheckErr "Create_unsigned32bit overflow", 6
p.MinusOpForBin 256
CheckErr "MinusOpForBin overflow", 6
On Error GoTo 0
Check "Create_unsigned32bit", p.Create_unsigned32bit(&HFFFF&, &HFFFF&), -1
Check "Calcul2Byte", p.Calcul2Byte(52, 18), CInt(4660)
Check "MinusOpForBin", p.MinusOpForBin(-5), CByte(133)

' ---- the monthly access code
code = p.Pwd(DateSerial(2006, 7, 1))
Check "a code of the table", Len(code) >= 5 And Len(code) <= 8, True
Check "the same code all month", p.Pwd(DateSerial(2006, 7, 31) + TimeSerial(23, 59, 59)), code
Check "another month, another code", p.Pwd(DateSerial(2006, 8, 1)) <> code, True
Check "before the table", p.Pwd(DateSerial(2003, 8, 31)), ""
Check "after the table", p.Pwd(DateSerial(2053, 9, 1)), ""

' ---- system facts: the version's numbers come back into the script's variables
major = "7": minor = Empty: platform = 0
Check "GetWinVer succeeds", p.GetWinVer(major, minor, platform) <> 0, True
Check "major version in the variable", major >= 5, True
Check "as a Long", VarType(minor), vbLong
Check "the NT platform", platform, 2
Check "the country", p.Lang, "United States"
Check "no such keyboard fact", p.GetKBDInfo(3), ""

' ---- the printer: enumeration values in and out, exact font names
orientation = p.GetPrinterOrientation
Check "portrait or landscape", orientation = 1 Or orientation = 2, True
Check "set landscape", p.SetPrinterOrientation(2), True
Check "landscape read back", p.GetPrinterOrientation, 2
Check "set portrait", p.SetPrinterOrientation(1), True
Check "portrait read back", p.GetPrinterOrientation, 1
p.SetPrinterOrientation orientation
Check "a printer font", p.ExistsPrinterFont("Courier"), True
Check "its name in capitals is no font", p.ExistsPrinterFont("COURIER"), False

' ---- a file type without an association: the platform's code, no error, nothing opened
data = fso.BuildPath(fso.GetSpecialFolder(2), "brixen_vbs_property.brixen-none")
fso.CreateTextFile(data, True).Write "BRIXEN"
Check "no association", p.RunAssociatedApp(0, data, 1), 31
Check "no program named", p.GetAssociatedApp(data), ""
fso.DeleteFile data

Done
