"""Reads a type library in the MSFT format, the one widl writes and LoadTypeLib reads.

The file is little-endian: a header, the offsets of the type descriptions, a directory of 15
segments (type descriptions, imported types and files, references, GUIDs, names, strings, type
descriptors, custom data ...), then each type's members. This reader gives what the project's
tools need: the library's identity, every type with its name, GUID, flags and help string, the
functions of an interface with their parameters (type, flags, default value) and help strings, the
constants of an enumeration, and the interfaces a class implements. A type that the library
imports (OLE_COLOR, IPictureDisp from stdole2.tlb) is named only in the library it comes from,
which is read from the folders given (a bare MSFT file or the TYPELIB resource of a PE file,
as Wine ships stdole2.tlb).

The file's bytes stay writable, so a tool can patch fields in place (tlb_text_defaults.py).
"""
import os
import struct
import uuid
from dataclasses import dataclass, field

# Segments of the directory.
SEGMENT_TYPEINFO, SEGMENT_IMPINFO, SEGMENT_IMPFILES, SEGMENT_REFTAB = 0, 1, 2, 3
SEGMENT_GUID, SEGMENT_NAMES, SEGMENT_STRINGS, SEGMENT_TYPEDESC, SEGMENT_CUSTDATA = 5, 7, 8, 9, 11

TYPEINFO_SIZE = 0x64
HEADER_SIZE = 0x54
HELPDLL_FLAG = 0x100
IMPINFO_OFFSET_IS_GUID = 0x10000

TKIND_ENUM, TKIND_COCLASS = 0, 5
INVOKE_FUNC, INVOKE_PROPERTYGET, INVOKE_PROPERTYPUT, INVOKE_PROPERTYPUTREF = 1, 2, 4, 8
PARAMFLAG_FOUT, PARAMFLAG_FRETVAL = 0x2, 0x8
PARAMFLAG_FOPT, PARAMFLAG_FHASDEFAULT = 0x10, 0x20
FUNC_HAS_DEFAULTS = 0x1000
VAR_CONST = 2
IMPLTYPEFLAG_FDEFAULT = 0x1

VT_I2, VT_I4, VT_R4, VT_R8, VT_CY, VT_DATE, VT_BSTR = 2, 3, 4, 5, 6, 7, 8
VT_DISPATCH, VT_ERROR, VT_BOOL, VT_VARIANT = 9, 10, 11, 12
VT_I1, VT_UI1, VT_UI2, VT_UI4, VT_I8, VT_UI8, VT_INT, VT_UINT = 16, 17, 18, 19, 20, 21, 22, 23
VT_HRESULT, VT_PTR, VT_SAFEARRAY, VT_USERDEFINED = 25, 26, 27, 29
VT_TYPEMASK = 0xFFF

# Value types of custom data and default values, by their size in the custom data segment.
FOUR_BYTE_VALUES = {VT_I2, VT_I4, VT_ERROR, VT_BOOL, VT_I1, VT_UI1, VT_UI2, VT_UI4, VT_INT, VT_UINT,
                    VT_HRESULT}
EIGHT_BYTE_VALUES = {VT_CY, VT_I8, VT_UI8}


@dataclass
class TypeDesc:
    """A type: a basic variant type, a pointer or safe array of `of`, or a user-defined type
    known by its reference (`ref`, the library's HREFTYPE)."""
    vt: int
    of: "TypeDesc" = None
    ref: int = None


@dataclass
class Value:
    vt: int
    value: object  # int, float or str


@dataclass
class Param:
    name: str  # "" for an unnamed one (the value of a property put)
    type: TypeDesc
    flags: int
    default: Value  # None without a default
    offset: int  # of its 12-byte record in the file


@dataclass
class Function:
    name: str
    memid: int
    invkind: int
    params: list
    doc: str  # None without a help string
    record: int  # offset of its record in the file
    length: int


@dataclass
class Constant:
    name: str
    memid: int
    value: Value
    doc: str


@dataclass
class TypeInfo:
    index: int
    kind: int
    name: str
    guid: uuid.UUID
    flags: int
    doc: str
    functions: list = field(default_factory=list)
    constants: list = field(default_factory=list)
    implemented: list = field(default_factory=list)  # (reference, IMPLTYPEFLAGS) of a class


def narrowed(vt, number):
    """A stored number as its type reads it: a Boolean or Integer from its low 16 bits (True is
    stored as 0xFFFF), a one-byte integer from its low 8 bits."""
    bits = {VT_BOOL: 16, VT_I2: 16, VT_I1: 8}.get(vt)
    if not bits:
        return number
    number &= (1 << bits) - 1
    return number - (1 << bits) if number >> (bits - 1) else number


def typelib_resource(data):
    """The type library inside a PE file: its resource of type "TYPELIB" (the first one)."""
    u16 = lambda o: struct.unpack_from("<H", data, o)[0]
    u32 = lambda o: struct.unpack_from("<I", data, o)[0]
    pe = u32(0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    sections, optional_size = u16(pe + 6), u16(pe + 20)
    optional = pe + 24
    directories = optional + (112 if u16(optional) == 0x20B else 96)
    resource_rva = u32(directories + 2 * 8)
    table = optional + optional_size
    spans = [(u32(table + 40 * i + 12), u32(table + 40 * i + 16), u32(table + 40 * i + 20))
             for i in range(sections)]

    def file_offset(rva):
        for address, size, raw in spans:
            if address <= rva < address + size:
                return raw + rva - address
        raise ValueError("resource outside the sections")

    root = file_offset(resource_rva)

    def entries(directory):
        count = u16(directory + 12) + u16(directory + 14)
        return [(u32(directory + 16 + 8 * i), u32(directory + 20 + 8 * i)) for i in range(count)]

    def entry_name(name):
        if not name & 0x80000000:
            return None
        at = root + (name & 0x7FFFFFFF)
        return data[at + 2:at + 2 + 2 * u16(at)].decode("utf-16-le")

    for name, target in entries(root):
        if entry_name(name) == "TYPELIB":  # its first resource, in its first language
            resources = root + (target & 0x7FFFFFFF)
            languages = root + (entries(resources)[0][1] & 0x7FFFFFFF)
            leaf = root + entries(languages)[0][1]
            start = file_offset(u32(leaf))
            return data[start:start + u32(leaf + 4)]
    raise ValueError("no TYPELIB resource")


class Library:
    def __init__(self, data, import_dirs=(), members=True):
        """data: the bytes of an MSFT file (a bytearray stays patchable) or of a PE file holding
        one; import_dirs: folders where the libraries it imports are found; members: whether
        to read the members of each type (an imported library is needed for its type names)."""
        if data[:2] == b"MZ":
            data = bytearray(typelib_resource(data))
        if data[:4] != b"MSFT":
            raise ValueError("not an MSFT type library")
        self.data = data
        self.import_dirs = list(import_dirs)
        self._imported = {}
        varflags, self.count = self.int(0x14), self.int(0x20)
        directory = HEADER_SIZE + (4 if varflags & HELPDLL_FLAG else 0) + 4 * self.count
        self.segments = [struct.unpack_from("<ii", data, directory + 16 * i) for i in range(15)]
        self.name = self.name_at(self.int(0x38))
        self.guid = self.guid_at(self.int(0x08))
        self.doc = self.string_at(self.int(0x24))
        version = self.int(0x18)
        self.version = (version & 0xFFFF, version >> 16)
        self.types = [self._typeinfo(i, members) for i in range(self.count)]

    # -- plain fields

    def int(self, offset):
        return struct.unpack_from("<i", self.data, offset)[0]

    def uint(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def short(self, offset):
        return struct.unpack_from("<h", self.data, offset)[0]

    def put(self, offset, value):
        struct.pack_into("<i", self.data, offset, value)

    def segment(self, index):
        """(offset, length) of a segment of the directory."""
        return self.segments[index]

    def name_at(self, offset):
        if offset < 0:  # an unnamed parameter (the value of a property put)
            return ""
        base = self.segments[SEGMENT_NAMES][0] + offset
        length = self.int(base + 8) & 0xFF
        return self.data[base + 12:base + 12 + length].decode("latin-1")

    def string_at(self, offset):
        if offset < 0:
            return None
        base = self.segments[SEGMENT_STRINGS][0] + offset
        return self.data[base + 2:base + 2 + self.short(base)].decode("latin-1")

    def guid_at(self, offset):
        if offset < 0:
            return None
        base = self.segments[SEGMENT_GUID][0] + offset
        return uuid.UUID(bytes_le=bytes(self.data[base:base + 16]))

    def value(self, encoded):
        """A constant or default value: small numbers lie in the field itself, others in the
        custom data segment (type, then the value; a text with its length first)."""
        if encoded < 0:
            return Value((encoded >> 26) & 0x1F, narrowed((encoded >> 26) & 0x1F, encoded & 0x3FFFFFF))
        at = self.segments[SEGMENT_CUSTDATA][0] + encoded
        vt = struct.unpack_from("<H", self.data, at)[0]
        if vt == VT_BSTR:
            length = self.int(at + 2)
            return Value(vt, "" if length < 0 else self.data[at + 6:at + 6 + length].decode("latin-1"))
        if vt in FOUR_BYTE_VALUES:
            return Value(vt, narrowed(vt, self.int(at + 2)))
        if vt == VT_R4:
            return Value(vt, struct.unpack_from("<f", self.data, at + 2)[0])
        if vt in (VT_R8, VT_DATE):
            return Value(vt, struct.unpack_from("<d", self.data, at + 2)[0])
        if vt in EIGHT_BYTE_VALUES:
            return Value(vt, struct.unpack_from("<q", self.data, at + 2)[0])
        raise ValueError(f"value of variant type {vt} at {at:#x}")

    def typedesc(self, encoded):
        """A type as a member record holds it: a basic type in the field itself, others as the
        offset of an 8-byte descriptor (type, then the type pointed to or the reference)."""
        if encoded < 0:
            return TypeDesc(encoded & VT_TYPEMASK)
        at = self.segments[SEGMENT_TYPEDESC][0] + encoded
        vt = struct.unpack_from("<H", self.data, at)[0] & VT_TYPEMASK
        target = self.int(at + 4)
        if vt in (VT_PTR, VT_SAFEARRAY):
            return TypeDesc(vt, of=self.typedesc(target))
        if vt == VT_USERDEFINED:
            return TypeDesc(vt, ref=target)
        raise ValueError(f"type descriptor of variant type {vt} at {at:#x}")

    # -- types

    def _typeinfo(self, index, members):
        entry = self.segments[SEGMENT_TYPEINFO][0] + TYPEINFO_SIZE * index
        info = TypeInfo(index, self.int(entry) & 0xF, self.name_at(self.int(entry + 0x34)),
                        self.guid_at(self.int(entry + 0x2C)), self.int(entry + 0x30),
                        self.string_at(self.int(entry + 0x3C)))
        elements = self.int(entry + 0x18)
        functions, variables = elements & 0xFFFF, elements >> 16
        if members and (functions or variables):
            self._members(info, self.int(entry + 4), functions, variables)
        if members and info.kind == TKIND_COCLASS:
            info.implemented = self._implemented(self.int(entry + 0x54), self.short(entry + 0x4C))
        return info

    def _members(self, info, memoffset, functions, variables):
        """The records of a type's functions and then of its variables, followed by three arrays
        with an entry per member: member ids, name offsets, record offsets."""
        memids = memoffset + 4 + self.int(memoffset)
        names = memids + 4 * (functions + variables)
        record = memoffset + 4
        for i in range(functions + variables):
            length = self.int(record) & 0xFFFF
            memid = self.uint(memids + 4 * i)
            name = self.name_at(self.int(names + 4 * i))
            if i < functions:
                info.functions.append(self._function(record, length, memid, name))
            else:
                info.constants.append(self._constant(record, length, memid, name))
            record += length
        for function in info.functions:  # the second half of a property may come unnamed
            if not function.name:
                function.name = next(f.name for f in info.functions if f.memid == function.memid and f.name)

    def _optional(self, first, end, index):
        """Optional field `index` of a record whose optional fields run from first to end."""
        at = first + 4 * index
        return self.int(at) if at < end else -1

    def _function(self, record, length, memid, name):
        """A function record: size, return type, flags, vtable offset, kind bits, argument
        counts, optional fields (help context, help string, ...), the default value of each
        argument when any has one, and a 12-byte record per argument (type, name, flags)."""
        kind_bits = self.int(record + 16)
        nrargs = self.short(record + 20)
        params_at = record + length - 12 * nrargs
        defaults_at = params_at - (4 * nrargs if kind_bits & FUNC_HAS_DEFAULTS else 0)
        params = []
        for p in range(nrargs):
            at = params_at + 12 * p
            flags = self.int(at + 8)
            default = self.value(self.int(defaults_at + 4 * p)) if flags & PARAMFLAG_FHASDEFAULT else None
            params.append(Param(self.name_at(self.int(at + 4)), self.typedesc(self.int(at)), flags, default, at))
        doc = self.string_at(self._optional(record + 24, defaults_at, 1))
        return Function(name, memid, (kind_bits >> 3) & 0xF, params, doc, record, length)

    def _constant(self, record, length, memid, name):
        """A variable record: size, type, flags, kind, value (or its offset), optional fields
        (help context, help string, ...)."""
        if self.short(record + 12) != VAR_CONST:
            raise ValueError(f"{name}: only constants are read")
        doc = self.string_at(self._optional(record + 20, record + length, 1))
        return Constant(name, memid, self.value(self.int(record + 16)), doc)

    def _implemented(self, reference, count):
        """The reference records of a class: implemented type, flags, custom data, next."""
        found = []
        base = self.segments[SEGMENT_REFTAB][0]
        while reference >= 0 and len(found) < count:
            found.append((self.int(base + reference), self.int(base + reference + 4)))
            reference = self.int(base + reference + 12)
        return found

    # -- references

    def referenced(self, ref):
        """The name of the type behind a reference: a type of this library, or one imported."""
        if not ref & 1:
            return self.types[ref // TYPEINFO_SIZE].name
        at = self.segments[SEGMENT_IMPINFO][0] + (ref & ~3)
        flags, file_offset, target = self.int(at), self.int(at + 4), self.int(at + 8)
        library = self._import(file_offset)
        if flags & IMPINFO_OFFSET_IS_GUID:
            guid = self.guid_at(target)
            return next(t.name for t in library.types if t.guid == guid)
        return library.types[target].name

    def _import(self, file_offset):
        """An imported library, by its entry in the import files (GUID, locale, version, then
        its file name, whose length is stored shifted by two bits)."""
        if file_offset not in self._imported:
            at = self.segments[SEGMENT_IMPFILES][0] + file_offset
            length = struct.unpack_from("<H", self.data, at + 12)[0] >> 2
            file_name = self.data[at + 14:at + 14 + length].decode("latin-1")
            for folder in self.import_dirs:
                path = os.path.join(folder, file_name)
                if os.path.isfile(path):
                    with open(path, "rb") as f:
                        self._imported[file_offset] = Library(f.read(), members=False)
                    break
            else:
                raise ValueError(f"imported library {file_name} not found in {self.import_dirs}")
        return self._imported[file_offset]
