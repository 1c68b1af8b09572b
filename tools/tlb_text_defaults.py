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

BYREF_TEXT = re.compile(r'\[in, out, optional, defaultvalue\(("[^"]*")\)\]\s*BSTR\*\s*(\w+)')
INTERFACE = re.compile(r"interface\s+(_\w+)\s*:\s*IDispatch\s*\{(.*?)\n\s*\};", re.S)
MEMBER = re.compile(r"HRESULT\s+(\w+)\s*\(")

VT_BSTR, VT_PTR = 8, 26
INLINE_BSTR = 0x80000000 | (VT_BSTR << 16) | VT_BSTR  # how widl encodes a plain BSTR
PARAMFLAG_FOUT = 0x2
TYPEDESC_SIZE = 8  # what a pointer level adds to the loaded function description

SEGMENT_TYPEINFO, SEGMENT_NAMES, SEGMENT_TYPEDESC = 0, 7, 9
TYPEINFO_SIZE = 0x64


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


class Library:
    def __init__(self, data):
        self.data = data
        if data[:4] != b"MSFT":
            raise SystemExit("not an MSFT type library")
        varflags, count = self.int(0x14), self.int(0x20)
        directory = 0x54 + (4 if varflags & 0x100 else 0) + 4 * count
        self.segments = [struct.unpack_from("<ii", data, directory + 16 * i) for i in range(15)]
        self.count = count

    def int(self, offset):
        return struct.unpack_from("<i", self.data, offset)[0]

    def uint(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def put(self, offset, value):
        struct.pack_into("<i", self.data, offset, value)

    def name(self, offset):
        if offset < 0:  # an unnamed parameter (the value of a property put)
            return ""
        base = self.segments[SEGMENT_NAMES][0] + offset
        length = self.int(base + 8) & 0xFF
        return self.data[base + 12:base + 12 + length].decode("ascii")

    def typeinfos(self):
        base = self.segments[SEGMENT_TYPEINFO][0]
        for i in range(self.count):
            entry = base + TYPEINFO_SIZE * i
            elements = self.int(entry + 0x18)
            yield self.name(self.int(entry + 0x34)), self.int(entry + 4), elements & 0xFFFF, elements >> 16

    def byref_text_type(self):
        """The offset of the library's `BSTR*` type description."""
        base, length = self.segments[SEGMENT_TYPEDESC]
        for offset in range(0, length, 8):
            if self.int(base + offset) & 0xFFFF == VT_PTR and self.uint(base + offset + 4) == INLINE_BSTR:
                return offset
        raise SystemExit("the library has no BSTR* type to give the parameters")

    def functions(self, memoffset, functions, variables):
        """(record offset, record length, name) of each function of a type."""
        infolen = self.int(memoffset)
        names = memoffset + 4 + infolen + 4 * (functions + variables)
        record = memoffset + 4
        for i in range(functions):
            length = self.int(record) & 0xFFFF
            yield record, length, self.name(self.int(names + 4 * i))
            record += length


def patch(idl, data):
    lib = Library(data)
    wanted = set(targets(idl))
    byref_text = lib.byref_text_type()
    done = set()
    for type_name, memoffset, functions, variables in lib.typeinfos():
        if not functions:
            continue
        for record, length, member in lib.functions(memoffset, functions, variables):
            nrargs = struct.unpack_from("<h", data, record + 20)[0]
            first = record + length - 12 * nrargs
            for p in range(nrargs):
                param = first + 12 * p
                key = (type_name, member, lib.name(lib.int(param + 4)))
                if key not in wanted:
                    continue
                if lib.uint(param) != INLINE_BSTR:
                    raise SystemExit(f"{'.'.join(key)}: widl did not write it as a BSTR")
                lib.put(param, byref_text)
                lib.put(param + 8, lib.int(param + 8) | PARAMFLAG_FOUT)
                size = struct.unpack_from("<H", data, record + 14)[0]
                struct.pack_into("<H", data, record + 14, size + TYPEDESC_SIZE)
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
