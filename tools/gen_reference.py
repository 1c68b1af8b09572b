#!/usr/bin/env python3
"""The reference documentation of the type library, made from the built library itself.

  write LIBRARY.tlb IMPORT_DIR OUT.md  writes the reference: every class with its members in slot
                                       order as Visual Basic declarations (parameters with ByVal or
                                       ByRef, Optional and default, the result) and every
                                       enumeration with its names and values, each with its help
                                       string. IMPORT_DIR holds the libraries it imports
                                       (stdole2.tlb). Fails when a class, its interface, an
                                       enumeration or a member has no help string.
  check MADE.md COMMITTED.md           fails, showing the difference, when the committed reference
                                       is not the one made from the library.
"""
import difflib
import os
import sys

from msft_typelib import (Library, INVOKE_FUNC, INVOKE_PROPERTYGET, INVOKE_PROPERTYPUT,
                          INVOKE_PROPERTYPUTREF, IMPLTYPEFLAG_FDEFAULT, PARAMFLAG_FOPT,
                          PARAMFLAG_FOUT, PARAMFLAG_FRETVAL, TKIND_COCLASS, TKIND_ENUM, VT_BOOL,
                          VT_BSTR, VT_DATE, VT_DISPATCH, VT_I2, VT_I4, VT_PTR, VT_R4, VT_R8,
                          VT_SAFEARRAY, VT_UI1, VT_USERDEFINED, VT_VARIANT)

# Automation types by the names a VB user knows, with what each holds, in the order of the
# legend; the legend lists those the library uses.
BASIC = {VT_BSTR: "String", VT_I4: "Long", VT_I2: "Integer", VT_UI1: "Byte", VT_BOOL: "Boolean",
         VT_R4: "Single", VT_R8: "Double", VT_DATE: "Date", VT_VARIANT: "Variant", VT_DISPATCH: "Object"}
IMPORTED = {"IPictureDisp": "StdPicture", "OLE_COLOR": "OLE_COLOR"}
LEGEND = [
    ("String", "BSTR", "text"),
    ("Long", "long", "32-bit integer"),
    ("Integer", "short", "16-bit integer"),
    ("Byte", "unsigned char", "integer from 0 to 255"),
    ("Boolean", "VARIANT_BOOL", "True (-1) or False (0)"),
    ("Single", "float", "single-precision number"),
    ("Double", "double", "double-precision number"),
    ("Date", "DATE", "date and time"),
    ("Variant", "VARIANT", "any value, also Null or Empty"),
    ("Object", "IDispatch*", "an automation object: a form, a control, a picture box"),
    ("StdPicture", "IPictureDisp*", "a picture: a `Picture` property, the result of `LoadPicture`"),
    ("OLE_COLOR", "OLE_COLOR", "a colour: red in the low byte, green, blue; or &H80000000 plus a "
                               "system colour index"),
    ("String()", "SAFEARRAY(BSTR)", "an array of texts"),
]
KEYWORDS = {INVOKE_FUNC: "Function", INVOKE_PROPERTYGET: "Property Get",
            INVOKE_PROPERTYPUT: "Property Let", INVOKE_PROPERTYPUTREF: "Property Set"}
ASSIGNED = "RHS"  # the name VB gives the value of a Property Let or Set
WIDE = 100  # a declaration longer than this gets one parameter per line
MARKDOWN = str.maketrans({c: "\\" + c for c in "\\`*_[]<>|"})


def md(text):
    """A help string as Markdown text: its characters as they are, none taken as markup."""
    return text.translate(MARKDOWN)


class Reference:
    def __init__(self, lib):
        self.lib = lib
        self.enums = [t for t in lib.types if t.kind == TKIND_ENUM]
        self.classes = [(c, self.default_interface(c)) for c in lib.types if c.kind == TKIND_COCLASS]
        self.used_types = set()

    def default_interface(self, coclass):
        ref = next(r for r, flags in coclass.implemented if flags & IMPLTYPEFLAG_FDEFAULT)
        name = self.lib.referenced(ref)
        return next(t for t in self.lib.types if t.name == name)

    # -- types and values

    def type_name(self, t):
        if t.vt == VT_SAFEARRAY:
            name = self.type_name(t.of) + "()"
        elif t.vt == VT_PTR and t.of.vt == VT_USERDEFINED:  # an interface pointer: an object
            name = self.type_name(t.of)
        elif t.vt == VT_USERDEFINED:
            name = self.lib.referenced(t.ref)
            name = IMPORTED.get(name, name)
        elif t.vt in BASIC:
            name = BASIC[t.vt]
        else:
            raise SystemExit(f"no VB name for the automation type {t}")
        self.used_types.add(name)
        return name

    def default_text(self, value, type_name):
        if value.vt == VT_BSTR:
            return '"' + value.value.replace('"', '""') + '"'
        if value.vt == VT_BOOL:
            return "True" if value.value else "False"
        enum = next((e for e in self.enums if e.name == type_name), None)
        if enum:
            return next((c.name for c in enum.constants if c.value.value == value.value), str(value.value))
        return str(value.value)

    # -- members

    @staticmethod
    def value_type(param):
        """The type of what a parameter carries: a ByRef parameter and the result are pointers
        to it."""
        return param.type.of if param.flags & PARAMFLAG_FOUT else param.type

    def param_text(self, param):
        byref = bool(param.flags & PARAMFLAG_FOUT)
        type_name = self.type_name(self.value_type(param))
        text = f"{'ByRef' if byref else 'ByVal'} {param.name or ASSIGNED} As {type_name}"
        if param.flags & PARAMFLAG_FOPT:
            text = "Optional " + text
        if param.default:
            text += " = " + self.default_text(param.default, type_name)
        return text

    def declaration(self, function):
        result = next((p for p in function.params if p.flags & PARAMFLAG_FRETVAL), None)
        keyword = KEYWORDS[function.invkind]
        if function.invkind == INVOKE_FUNC and not result:
            keyword = "Sub"
        params = [self.param_text(p) for p in function.params if p is not result]
        tail = f" As {self.type_name(self.value_type(result))}" if result else ""
        line = f"{keyword} {function.name}({', '.join(params)}){tail}"
        if len(line) <= WIDE:
            return line
        return f"{keyword} {function.name}( _\n    " + ", _\n    ".join(params) + f"){tail}"

    def member_blocks(self, interface):
        """The members of an interface in slot order, a property's get, let and set together
        where the first of them stands."""
        by_name = {}
        for function in interface.functions:
            by_name.setdefault(function.name, []).append(function)
        out = []
        for name, functions in by_name.items():
            out += [f"#### {name}", "", "```vb"] + [self.declaration(f) for f in functions] + ["```", ""]
            docs = list(dict.fromkeys(f.doc for f in functions))
            if len(docs) == 1:
                out += [md(docs[0]), ""]
            else:
                out += [f"- {KEYWORDS[f.invkind]}: {md(f.doc)}" for f in functions] + [""]
        return out

    # -- sections

    def class_section(self, coclass, interface):
        return [f"### {coclass.name}", "", md(coclass.doc), "",
                f'`CreateObject("{self.lib.name}.{coclass.name}")`, class `{{{str(coclass.guid).upper()}}}`, '
                f"default interface `{interface.name}` `{{{str(interface.guid).upper()}}}`", ""
                ] + self.member_blocks(interface)

    def takers(self, enum):
        """Where an enumeration is taken: class.member (parameter), also as a result or value."""
        found = []
        for coclass, interface in self.classes:
            for function in interface.functions:
                for param in function.params:
                    t = self.value_type(param)
                    if t.vt == VT_USERDEFINED and self.lib.referenced(t.ref) == enum.name:
                        what = "result" if param.flags & PARAMFLAG_FRETVAL else f"`{param.name or ASSIGNED}`"
                        found.append(f"`{coclass.name}.{function.name}` ({what})")
        return list(dict.fromkeys(found))

    def enum_section(self, enum):
        with_docs = any(c.doc for c in enum.constants)
        out = [f"### {enum.name}", "", md(enum.doc), "",
               "| Name | Value |" + (" |" if with_docs else ""),
               "|---|---:|" + ("---|" if with_docs else "")]
        for c in enum.constants:
            out.append(f"| `{c.name}` | {c.value.value} |" + (f" {md(c.doc or '')} |" if with_docs else ""))
        takers = self.takers(enum)
        out += ["", "Taken by " + ", ".join(takers) + "." if takers else "No member takes it.", ""]
        return out

    def missing_help(self):
        missing = [c.name for c, _ in self.classes if not c.doc]
        missing += [i.name for _, i in self.classes if not i.doc]
        missing += [e.name for e in self.enums if not e.doc]
        missing += [f"{i.name}.{f.name} ({KEYWORDS[f.invkind]})"
                    for _, i in self.classes for f in i.functions if not f.doc]
        return missing

    def page(self):
        missing = self.missing_help()
        if missing:
            raise SystemExit("no help string: " + ", ".join(missing))
        lib = self.lib
        classes = [line for c, i in self.classes for line in self.class_section(c, i)]
        enums = [line for e in self.enums for line in self.enum_section(e)]
        out = [
            "<!-- Made by tools/gen_reference.py from the built type library; do not edit. -->",
            "",
            f"# {lib.name} reference",
            "",
            f"The type library `{lib.name}` {lib.version[0]}.{lib.version[1]} (\"{md(lib.doc)}\", "
            f"`{{{str(lib.guid).upper()}}}`): {len(self.classes)} classes and {len(self.enums)} enumerations, "
            "read from the built library.",
            "",
            f"A class is created by its name (`CreateObject(\"{lib.name}.clsFILE\")`, or `New clsFILE` with a "
            "reference to the library) and called through its default interface. Its members stand in "
            "the order of the interface's slots, each as a Visual Basic declaration: every parameter "
            "`ByVal` or `ByRef`, `Optional` with the value it takes when left out, and the result after "
            "`As`. A property shows its `Property Get` (read), `Property Let` (write) and `Property Set` "
            f"(assign an object) declarations, the value assigned as `{ASSIGNED}`. The line under a "
            "declaration is the member's help string, as VB's Object Browser and IntelliSense show it.",
            "",
            "| Type | Automation type | Holds |",
            "|---|---|---|",
        ]
        out += [f"| `{vb}` | `{automation}` | {holds} |" for vb, automation, holds in LEGEND if vb in self.used_types]
        out += ["| `ENUM_...` | enumeration | a `Long` with named values (below) |", "",
                "## Classes", "", "| Class | |", "|---|---|"]
        out += [f"| [`{c.name}`](#{c.name.lower()}) | {md(c.doc)} |" for c, _ in self.classes]
        out += [""] + classes + ["## Enumerations", "", "| Enumeration | |", "|---|---|"]
        out += [f"| [`{e.name}`](#{e.name.lower()}) | {md(e.doc)} |" for e in self.enums]
        out += [""] + enums
        self.check_links(out)
        return "\n".join(out).rstrip("\n") + "\n"

    def check_links(self, lines):
        """The contents link each class and enumeration by its heading's anchor, which holds only
        while no other heading has the same text."""
        headings = [line.lstrip("#").strip().lower() for line in lines if line.startswith("#")]
        names = [c.name for c, _ in self.classes] + [e.name for e in self.enums]
        clashes = [name for name in names if headings.count(name.lower()) != 1]
        if clashes:
            raise SystemExit(f"headings that are not unique, so not linked: {clashes}")


def write(library, import_dir, out):
    with open(library, "rb") as f:
        lib = Library(f.read(), [import_dir])
    text = Reference(lib).page()
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def check(made, committed):
    with open(made, encoding="utf-8") as f:
        want = f.read()
    have = ""
    if os.path.exists(committed):
        with open(committed, encoding="utf-8") as f:
            have = f.read()
    if have == want:
        return
    diff = list(difflib.unified_diff(have.splitlines(), want.splitlines(), committed, made, lineterm=""))
    print("\n".join(diff[:60] + (["..."] if len(diff) > 60 else [])), file=sys.stderr)
    build = os.path.dirname(os.path.dirname(os.path.abspath(made)))
    raise SystemExit(f"{committed} is not the reference the type library gives; take the new one with\n"
                     f"  cmake --build {build} --target update_reference")


def main():
    args = sys.argv[1:]
    if len(args) == 4 and args[0] == "write":
        write(*args[1:])
    elif len(args) == 3 and args[0] == "check":
        check(*args[1:])
    else:
        raise SystemExit("usage: gen_reference.py write LIBRARY.tlb IMPORT_DIR OUT.md | check MADE.md COMMITTED.md")


if __name__ == "__main__":
    main()
