' Every class of the library is created by its ProgID and names itself; an unknown member and a
' call with more arguments than the member takes answer with a clear automation error.
Dim names, n, o, s
names = Array("clsFILE", "clsDATE", "clsString", "clsMethod", "clsProperty", "clsPrgsBar", _
              "clsNewFont", "clsToolTip", "clsDialogColor", "clsDialogOpenSave")
For Each n In names
  Set o = CreateObject("BRIXEN." & n)
  CheckErr "CreateObject BRIXEN." & n, 0
  ' Wine's script host names an object by its dispatch interface (_clsFILE); hosts that ask
  ' for the class information get the class itself (clsFILE).
  Check "TypeName of " & n, Replace(TypeName(o), "_", "", 1, 1), n
Next

On Error Resume Next
Set o = CreateObject("BRIXEN.clsNoSuchClass")
CheckErr "an unknown ProgID", 429
Set s = CreateObject("BRIXEN.clsDialogColor")
s.NoSuchMember
CheckErr "an unknown member", 438
' One argument more than a member has parameters: "Wrong number of arguments".
Set o = CreateObject("BRIXEN.clsFILE")
Set n = o.FDDrive(1)
CheckErr "FDDrive with an argument", 450
n = o.GetWhatFromFullPath(1, "C:\a\b.txt", 2)
CheckErr "a method with an argument too many", 450
Set n = o.FDDrive
CheckErr "FDDrive as it is", 0
On Error GoTo 0

Done
