' Script callers pass variables to typed ByRef parameters as references to Variants: the value
' is converted to the parameter's type, and the member's value comes back into the variable.
Dim m, w, n, e, x, y
Set m = CreateObject("BRIXEN.clsMethod")

w = "A=1"
m.CheckWhere w
Check "String ByRef is written back", w, "A=1 AND "
w = "A"
m.CheckWhere w
Check "a one-character condition stays", w, "A"
w = ""
m.MakeWhereStr w, "B=2"
Check "empty condition takes the new one", w, "B=2"
w = "A=1"
m.MakeWhereStr w, "B=2"
Check "conditions are joined", w, "A=1 AND B=2"
m.MakeWhereStr "literal", "ignored"
CheckErr "a literal may stand for a ByRef parameter", 0

n = 12
m.CheckWhere n
Check "a number variable comes back as the parameter's type", n, "12 AND "
m.CheckWhere e
Check "an Empty variable comes back as an empty text", e, ""

m.Separate32WithSign &HFFFF0001, x, y
Check "Integer ByRef low half", x, CInt(1)
Check "Integer ByRef high half", y, CInt(-1)
m.Separate32WithSign &H80007FFF, x, y
Check "low 32767", x, CInt(32767)
Check "high -32768", y, CInt(-32768)
x = "5"
y = 2.5
m.Separate32WithSign 3, x, y
Check "text and Double variables are converted and overwritten", x, CInt(3)
Check "high word of 3", y, CInt(0)

On Error Resume Next
x = 100000
y = 7
m.Separate32WithSign 65536, x, y
CheckErr "a value out of the parameter's range is an overflow", 6
Check "the variable is unchanged after an overflow", x, 100000
Check "the other variable is unchanged too", y, 7
x = "abc"
m.Separate32WithSign 1, x, y
CheckErr "a text that is no number is a type mismatch", 13
Check "the variable is unchanged after a mismatch", x, "abc"
On Error GoTo 0

Done
