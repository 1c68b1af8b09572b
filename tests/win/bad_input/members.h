// The library's members as a caller meets them, read from the DLL's own type library: for each
// class its identifiers and, for each member of its default interface, the dispatch id, the slot
// and the parameters with their automation types.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

namespace brixen::bad_input {

// The automation types a parameter or result can have.
enum class Kind { Text, Integer, Long, Byte, Single, Double, Date, Boolean, Color, Variant, Object, Picture, Texts };

struct Parameter {
  std::wstring name;
  Kind kind;
  bool by_reference = false;
  bool optional = false;
};

struct Member {
  std::wstring class_name;
  CLSID clsid;
  IID iid;
  std::wstring name;
  DISPID id;
  INVOKEKIND invoke_kind;
  short slot_offset;               // byte offset of the slot in the interface's table
  std::vector<Parameter> params;   // declared parameters, the result not counted
  bool has_result = false;
  Kind result = Kind::Long;

  std::wstring FullName() const;   // "clsFILE.IsExistFile", "clsPrgsBar.Value (let)"
};

// Every member of every creatable class of the type library in `dll`, in class and slot order.
std::vector<Member> ReadMembers(const std::wstring& dll);

const wchar_t* KindName(Kind kind);

}  // namespace brixen::bad_input
