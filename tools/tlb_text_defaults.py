#!/usr/bin/env python3
"""Gives ByRef text parameters their text defaults in the type library widl writes.

widl writes no text default on a `BSTR*` parameter ("string default value applied to non-string
type"), yet a class may declare one: `[in, out, optional, defaultvalue("")] BSTR* name`. The type
library is therefore made in two steps around widl:

  derive IDL OUT.idl       writes the IDL with every such parameter as `[in, optional,
                           defaultvalue("")] BSTR name` (the header and identifiers are made
                           from the IDL itself, where the slot takes a BSTR*)
  patch IDL IN.tlb OUT.tlb rewrites those parameters in widl's library in place: their type
                           becomes the library's own `BSTR*` type description and their flags
                           gain "out"; the text default widl wrote stays as it is, which is how
                           a ByRef parameter's default is stored (a VT_BSTR value)

The library keeps its layout: no record changes size, only three fields of each parameter's
records change (type, flags, and the size the loader reserves for the function's description).

Number defaults on ByRef parameters need no step of their own: widl writes them in the type
pointed to, so `[in, out, optional, defaultvalue(0)] long*` stores the inline VT_I4 0 a ByRef
Long's default takes.
"""
import re
import struct
import sys

from msft_typelib import Library, PARAMFLAG_FOUT, SEGMENT_TYPEDESC, VT_BSTR, VT_PTR

BYREF_TEXT = re.compile(r'\[in, out, optional, defaultvalue\(("[^"]*")\)\]\s*BSTR\*\s*(\w+)')
INTERFACE = re.compile(r"interface\s+(_\w+)\s*:\s*IDispatch\s*\{(.*?)\n\s*\};", re.S)
MEMBER = re.compile(r"HRESULT\s+(\w+)\s*\(")

INLINE_BSTR = 0x80000000 | (VT_BSTR << 16) | VT_BSTR  # how widl encodes a plain BSTR
TYPEDESC_SIZE = 8  # what a pointer level adds to the loaded function description


def targets(idl):
    """(interface, member, parameter) of every ByRef text parameter with a text default."""
    found = []
    for itf in INTERFACE.finditer(idl):
        for line in itf.group(2).splitlines():
            member = MEMBER.search(line)
            for match in BYREF_TEXT.finditer(line):
                found.append((itf.group(1), member.group(1), match.group(2)))
    return found


def derive(idl):
    return BYREF_TEXT.sub(r"[in, optional, defaultvalue(\1)] BSTR \2", idl)


def byref_text_type(lib):
    """The offset of the library's `BSTR*` type description."""
    base, length = lib.segment(SEGMENT_TYPEDESC)
    for offset in range(0, length, 8):
        if lib.int(base + offset) & 0xFFFF == VT_PTR and lib.uint(base + offset + 4) == INLINE_BSTR:
            return offset
    raise SystemExit("the library has no BSTR* type to give the parameters")


def patch(idl, data):
    lib = Library(data)
    wanted = set(targets(idl))
    byref_text = byref_text_type(lib)
    done = set()
    for info in lib.types:
        for function in info.functions:
            for param in function.params:
                key = (info.name, function.name, param.name)
                if key not in wanted:
                    continue
                if lib.uint(param.offset) != INLINE_BSTR:
                    raise SystemExit(f"{'.'.join(key)}: widl did not write it as a BSTR")
                lib.put(param.offset, byref_text)
                lib.put(param.offset + 8, param.flags | PARAMFLAG_FOUT)
                size = struct.unpack_from("<H", data, function.record + 14)[0]
                struct.pack_into("<H", data, function.record + 14, size + TYPEDESC_SIZE)
                done.add(key)
    missing = wanted - done
    if missing:
        raise SystemExit(f"parameters not found in the library: {sorted(missing)}")


def main():
    mode = sys.argv[1] if len(sys.argv) > 1 else ""
    if mode == "derive" and len(sys.argv) == 4:
        with open(sys.argv[2], encoding="utf-8") as f:
            idl = f.read()
        with open(sys.argv[3], "w", encoding="utf-8") as f:
            f.write(derive(idl))
    elif mode == "patch" and len(sys.argv) == 5:
        with open(sys.argv[2], encoding="utf-8") as f:
            idl = f.read()
        with open(sys.argv[3], "rb") as f:
            data = bytearray(f.read())
        patch(idl, data)
        with open(sys.argv[4], "wb") as f:
            f.write(data)
    else:
        raise SystemExit("usage: tlb_text_defaults.py derive IDL OUT.idl | patch IDL IN.tlb OUT.tlb")


if __name__ == "__main__":
    main()
