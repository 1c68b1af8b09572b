#include "members.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <stdexcept>

namespace brixen::bad_input {
namespace {

using Microsoft::WRL::ComPtr;

void Check(HRESULT hr, const char* what) {
  if (FAILED(hr)) throw std::runtime_error(what);
}

std::wstring Name(ITypeLib* library, UINT index) {
  BSTR name = nullptr;
  Check(library->GetDocumentation(static_cast<INT>(index), &name, nullptr, nullptr, nullptr), "type name");
  std::wstring text(name, SysStringLen(name));
  SysFreeString(name);
  return text;
}

template <class Read>
TYPEATTR Attributes(ITypeInfo* info, Read&& read) {
  TYPEATTR* attributes = nullptr;
  Check(info->GetTypeAttr(&attributes), "type attributes");
  TYPEATTR copy = *attributes;
  read(*attributes);
  info->ReleaseTypeAttr(attributes);
  return copy;
}

// The kind of a type description; `pointers` counts the pointer levels that are not part of the
// type itself (an interface pointer is the type).
Kind Resolve(ITypeInfo* info, const TYPEDESC& type, int& pointers) {
  switch (type.vt) {
    case VT_PTR: ++pointers; return Resolve(info, *type.lptdesc, pointers);
    case VT_BSTR: return Kind::Text;
    case VT_I2: return Kind::Integer;
    case VT_I4: case VT_INT: return Kind::Long;
    case VT_UI1: return Kind::Byte;
    case VT_R4: return Kind::Single;
    case VT_R8: return Kind::Double;
    case VT_DATE: return Kind::Date;
    case VT_BOOL: return Kind::Boolean;
    case VT_UI4: return Kind::Color;
    case VT_VARIANT: return Kind::Variant;
    case VT_DISPATCH: return Kind::Object;
    case VT_SAFEARRAY: return Kind::Texts;
    case VT_USERDEFINED: {
      ComPtr<ITypeInfo> referenced;
      Check(info->GetRefTypeInfo(type.hreftype, &referenced), "referenced type");
      TYPEKIND kind{};
      TYPEDESC alias{};
      Attributes(referenced.Get(), [&](const TYPEATTR& a) {
        kind = a.typekind;
        alias = a.tdescAlias;
      });
      if (kind == TKIND_ENUM) return Kind::Long;
      if (kind == TKIND_ALIAS) return Resolve(referenced.Get(), alias, pointers);
      if (kind == TKIND_DISPATCH || kind == TKIND_INTERFACE) {
        --pointers;
        return Kind::Picture;
      }
      throw std::runtime_error("unexpected user-defined type");
    }
    default: throw std::runtime_error("unexpected automation type");
  }
}

std::vector<std::wstring> Names(ITypeInfo* info, MEMBERID id, UINT count) {
  std::vector<BSTR> names(count + 1, nullptr);
  UINT got = 0;
  Check(info->GetNames(id, names.data(), count + 1, &got), "member names");
  std::vector<std::wstring> texts;
  for (UINT i = 0; i < got; ++i) {
    texts.emplace_back(names[i], SysStringLen(names[i]));
    SysFreeString(names[i]);
  }
  texts.resize(count + 1);
  return texts;
}

Member ReadMember(ITypeInfo* info, const FUNCDESC& function, const Member& owner) {
  Member member = owner;
  member.id = function.memid;
  member.invoke_kind = function.invkind;
  member.slot_offset = function.oVft;
  const std::vector<std::wstring> names = Names(info, function.memid, static_cast<UINT>(function.cParams));
  member.name = names[0];
  for (SHORT i = 0; i < function.cParams; ++i) {
    const ELEMDESC& element = function.lprgelemdescParam[i];
    int pointers = 0;
    const Kind kind = Resolve(info, element.tdesc, pointers);
    if (element.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) {
      member.has_result = true;
      member.result = kind;
      continue;
    }
    const bool optional = (element.paramdesc.wParamFlags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT)) != 0;
    // A property's assigned value has no name of its own in the library.
    const std::wstring name = names[static_cast<std::size_t>(i) + 1].empty() ? L"value" : names[static_cast<std::size_t>(i) + 1];
    member.params.push_back({name, kind, pointers > 0, optional});
  }
  return member;
}

void ReadInterface(ITypeInfo* coclass, Member owner, std::vector<Member>& members) {
  HREFTYPE reference = 0;
  Check(coclass->GetRefTypeOfImplType(0, &reference), "default interface");
  ComPtr<ITypeInfo> dispatch, vtable;
  Check(coclass->GetRefTypeInfo(reference, &dispatch), "default interface");
  // The dual interface's vtable half: its functions carry the slots.
  if (SUCCEEDED(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference))) {
    Check(dispatch->GetRefTypeInfo(reference, &vtable), "vtable interface");
  } else {
    vtable = dispatch;
  }
  WORD count = 0;
  Attributes(vtable.Get(), [&](const TYPEATTR& a) {
    owner.iid = a.guid;
    count = a.cFuncs;
  });
  for (UINT f = 0; f < count; ++f) {
    FUNCDESC* function = nullptr;
    Check(vtable->GetFuncDesc(f, &function), "function");
    members.push_back(ReadMember(vtable.Get(), *function, owner));
    vtable->ReleaseFuncDesc(function);
  }
}

}  // namespace

std::wstring Member::FullName() const {
  std::wstring text = class_name + L"." + name;
  if (invoke_kind == INVOKE_PROPERTYPUT) text += L" (let)";
  if (invoke_kind == INVOKE_PROPERTYPUTREF) text += L" (set)";
  return text;
}

std::vector<Member> ReadMembers(const std::wstring& dll) {
  ComPtr<ITypeLib> library;
  Check(LoadTypeLibEx(dll.c_str(), REGKIND_NONE, &library), "type library");
  std::vector<Member> members;
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    TYPEKIND kind{};
    Check(library->GetTypeInfoType(i, &kind), "type kind");
    if (kind != TKIND_COCLASS) continue;
    ComPtr<ITypeInfo> coclass;
    Check(library->GetTypeInfo(i, &coclass), "class");
    Member owner{};
    owner.class_name = Name(library.Get(), i);
    Attributes(coclass.Get(), [&](const TYPEATTR& a) { owner.clsid = a.guid; });
    ReadInterface(coclass.Get(), owner, members);
  }
  return members;
}

const wchar_t* KindName(Kind kind) {
  switch (kind) {
    case Kind::Text: return L"String";
    case Kind::Integer: return L"Integer";
    case Kind::Long: return L"Long";
    case Kind::Byte: return L"Byte";
    case Kind::Single: return L"Single";
    case Kind::Double: return L"Double";
    case Kind::Date: return L"Date";
    case Kind::Boolean: return L"Boolean";
    case Kind::Color: return L"OLE_COLOR";
    case Kind::Variant: return L"Variant";
    case Kind::Object: return L"Object";
    case Kind::Picture: return L"StdPicture";
    case Kind::Texts: return L"String()";
  }
  return L"?";
}

}  // namespace brixen::bad_input
