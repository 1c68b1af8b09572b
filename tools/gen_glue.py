#!/usr/bin/env python3
"""Writes the COM glue of QUENTA01.DLL from its type library source.

For every dual interface `_clsX` of brixen.idl it writes a class deriving from the interface
(as widl declares it) and from brixen::com::ComObject, whose slots convert their arguments,
call the plain class brixen::clsX and convert the results back. A slot whose plain class
declares no member for it fails the build. The file also lists the creatable classes for the factory and
for registration.

usage: gen_glue.py brixen.idl glue.cpp
"""
import re
import sys
from dataclasses import dataclass

# The room (folder) of each class's plain C++ header.
ROOMS = {
    "clsString": "strings", "clsDATE": "dates", "clsFILE": "files", "clsMethod": "helpers",
    "clsProperty": "system", "clsPrgsBar": "controls", "clsNewFont": "controls",
    "clsToolTip": "controls", "clsDialogColor": "dialogs", "clsDialogOpenSave": "dialogs",
}

# Plain C++ type of each numeric automation type.
NUMBERS = {
    "long": "Long", "short": "Integer", "unsigned char": "Byte", "float": "Single",
    "double": "Double", "DATE": "Date", "OLE_COLOR": "Long",
}

# type -> (ByVal conversion, result writer, ByRef holder)
KINDS = {
    "BSTR": ("InBstr({})", "OutBstr", "RefBstr"),
    "VARIANT_BOOL": ("InBool({})", "OutBool", "RefBool"),
    "VARIANT": ("InVariant({})", "OutVariant", "RefVariant"),
    "IDispatch*": ("InObject({})", "OutObject", "RefObject"),
    "IPictureDisp*": ("InPicture({})", "OutPicture", "RefPicture"),
    "SAFEARRAY(BSTR)": (None, "OutStrings", "RefStrings"),
}


@dataclass
class Param:
    attrs: list
    type: str   # the type as written, pointer included
    name: str

    @property
    def base(self):
        """The type without the pointer that makes it ByRef or a result."""
        t = self.type
        if self.is_pointer_form:
            t = t[:-1].rstrip()
        return t

    @property
    def is_pointer_form(self):
        return ("out" in self.attrs or "retval" in self.attrs) and self.type.endswith("*")

    @property
    def is_result(self):
        return "retval" in self.attrs


@dataclass
class Member:
    dispid: str
    kind: str   # method, propget, propput, propputref
    name: str
    params: list


# An attribute list: up to its closing bracket, over quoted texts (help strings, text defaults).
ATTRS = r'\[(?P<attrs>(?:[^\]"]|"[^"]*")*)\]'
MEMBER = re.compile(r"^\s*" + ATTRS + r"\s*HRESULT\s+(?P<name>\w+)\s*\((?P<params>.*)\)\s*;")
PARAM = re.compile(r"^" + ATTRS + r"\s*(?P<type>.+?)\s*(?P<name>\w+)$")


def split_params(text):
    """Splits at the commas outside brackets and quoted texts."""
    parts, depth, quoted, cur = [], 0, False, ""
    for ch in text:
        if ch == '"':
            quoted = not quoted
        elif quoted:
            pass
        elif ch in "([":
            depth += 1
        elif ch in ")]":
            depth -= 1
        if ch == "," and depth == 0 and not quoted:
            parts.append(cur.strip())
            cur = ""
        else:
            cur += ch
    if cur.strip():
        parts.append(cur.strip())
    return parts


def parse_param(text):
    m = PARAM.match(text)
    if not m:
        raise SystemExit(f"cannot read parameter: {text}")
    attrs = [a.strip().split("(")[0] for a in split_params(m["attrs"])]
    ptype = re.sub(r"\s*\*", "*", m["type"].strip())
    return Param(attrs, ptype, m["name"])


def parse(idl):
    enums = set(re.findall(r"\}\s*(\w+)\s*;", "\n".join(
        re.findall(r"typedef[^{]*enum[^{]*\{[^}]*\}\s*\w+\s*;", idl, re.S))))
    interfaces = {}
    for m in re.finditer(r"interface\s+(_\w+)\s*:\s*IDispatch\s*\{(.*?)\n\s*\};", idl, re.S):
        members = []
        for line in m.group(2).splitlines():
            mm = MEMBER.match(line)
            if not mm:
                continue
            attrs = [a.strip() for a in split_params(mm["attrs"])]
            dispid = next(a for a in attrs if a.startswith("id("))[3:-1]
            kind = next((a for a in attrs if a in ("propget", "propput", "propputref")), "method")
            params = [parse_param(p) for p in split_params(mm["params"])]
            members.append(Member(dispid, kind, mm["name"], params))
        interfaces[m.group(1)] = members
    coclasses = re.findall(r"coclass\s+(\w+)\s*\{", idl)
    return enums, interfaces, coclasses


def plain_name(member):
    prefix = {"method": "", "propget": "get_", "propput": "let_", "propputref": "set_"}[member.kind]
    return prefix + member.name


def cpp_type(idl_type):
    """The C++ spelling of an automation type: a safe array is a SAFEARRAY pointer."""
    return idl_type.replace("SAFEARRAY(BSTR)", "SAFEARRAY*")


def slot_name(member):
    """The slot's name in the C++ interface widl declares."""
    prefix = {"method": "", "propget": "get_", "propput": "put_", "propputref": "putref_"}[member.kind]
    return prefix + member.name


def kind_of(base, enums):
    if base in KINDS:
        return KINDS[base]
    if base in NUMBERS or base in enums:
        return None
    raise SystemExit(f"no conversion for automation type {base}")


def byref_holder(base, enums):
    kind = kind_of(base, enums)
    if kind:
        return kind[2]
    plain = NUMBERS.get(base, "Long")
    return f"RefNum<{plain}, {base}>"


def emit_member(member, enums, interface):
    sig = ", ".join(f"{cpp_type(p.type)} {p.name}" for p in member.params)
    lines = [f"  HRESULT STDMETHODCALLTYPE {slot_name(member)}({sig}) override {{"]
    args, prep = [], []
    result = None
    for p in member.params:
        if p.is_result:
            result = p
            continue
        if p.is_pointer_form:  # ByRef
            prep.append(f"{byref_holder(p.base, enums)} ref_{p.name}({p.name});")
            args.append(f"ref_{p.name}.value()")
            continue
        kind = kind_of(p.type, enums)
        args.append(kind[0].format(p.name) if kind else p.name)
    call = f"self.{plain_name(member)}({', '.join(args)})"
    lines.append("    return Run([&](auto& self) -> HRESULT {")
    if result:
        lines.append(f"      if (!{result.name}) return E_POINTER;")
        lines.append(f"      ClearOut({result.name});")
    lines += [f"      {line}" for line in prep]
    # Every slot has its member: a slot whose class declares no member for it fails the build.
    lines.append(f"      static_assert(requires {{ {call}; }}, \"{interface}.{slot_name(member)}: "
                 f"the class declares no member for this slot\");")
    if result:
        kind = kind_of(result.base, enums)
        writer = kind[1] if kind else "OutNum"
        lines.append(f"      {writer}({result.name}, {call});")
    else:
        lines.append(f"      {call};")
    lines.append("      return S_OK;")
    lines.append("    });")
    lines.append("  }")
    return lines


def emit(enums, interfaces, coclasses):
    out = ["// Generated by tools/gen_glue.py from typelib/brixen.idl. Do not edit.",
           '#include "brixen.h"',
           '#include "frame/com/classes.h"',
           '#include "frame/com/glue_support.h"']
    out += [f'#include "{ROOMS[c]}/{c}.h"' for c in coclasses]
    out += ["", "namespace brixen::com {", "namespace {", ""]
    for cls in coclasses:
        itf = "_" + cls
        out.append(f"class Com_{cls} final : public ComObject<brixen::{cls}, {itf}> {{")
        out.append(" public:")
        out.append(f"  Com_{cls}() : ComObject(IID_{itf}, CLSID_{cls}) {{}}")
        for member in interfaces[itf]:
            out += emit_member(member, enums, itf)
        out += ["};", ""]
    out.append("constexpr ClassEntry kClasses[] = {")
    for cls in coclasses:
        out.append(f'    {{&CLSID_{cls}, &IID__{cls}, L"{cls}", &CreateObject<Com_{cls}>}},')
    out += ["};", "", "}  // namespace", "",
            "std::span<const ClassEntry> Classes() { return kClasses; }", "",
            "}  // namespace brixen::com", ""]
    return "\n".join(out)


def main():
    idl_path, out_path = sys.argv[1:3]
    with open(idl_path, encoding="utf-8") as f:
        idl = f.read()
    enums, interfaces, coclasses = parse(idl)
    missing = [c for c in coclasses if "_" + c not in interfaces]
    if missing:
        raise SystemExit(f"coclasses without an interface: {missing}")
    with open(out_path, "w", encoding="utf-8") as f:
        f.write(emit(enums, interfaces, coclasses))


if __name__ == "__main__":
    main()
