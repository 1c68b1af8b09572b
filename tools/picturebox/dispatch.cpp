#include "dispatch.h"

#include <new>

namespace brixen::picbox {
namespace {

constexpr int kErrArgumentNotOptional = 449;
constexpr wchar_t kSource[] = L"BrixenTest.PictureBox";

struct ErrorText {
  int number;
  const wchar_t* text;
};

constexpr ErrorText kErrorTexts[] = {
    {kErrInvalidCall, L"Invalid procedure call or argument"},
    {kErrOverflow, L"Overflow"},
    {kErrOutOfMemory, L"Out of memory"},
    {kErrTypeMismatch, L"Type mismatch"},
    {kErrFileAccess, L"Path/File access error"},
    {kErrPathNotFound, L"Path not found"},
    {kErrInvalidPropertyValue, L"Invalid property value"},
    {kErrArgumentNotOptional, L"Argument not optional"},
};

const wchar_t* TextOf(int number) {
  for (const auto& entry : kErrorTexts) {
    if (entry.number == number) return entry.text;
  }
  return L"Application-defined or object-defined error";
}

// A VARIANT owned for the length of a scope.
struct ScopedVariant {
  VARIANT v;
  ScopedVariant() { VariantInit(&v); }
  ~ScopedVariant() { VariantClear(&v); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
};

BSTR AllocString(const wchar_t* text, std::size_t length) {
  BSTR s = SysAllocStringLen(text, static_cast<UINT>(length));
  if (!s) throw std::bad_alloc();
  return s;
}

// Without a place for the exception information the caller gets the error's own code.
HRESULT Report(int number, EXCEPINFO* exception) {
  const HRESULT code = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
  if (!exception) return code;
  *exception = EXCEPINFO{};
  exception->scode = code;
  exception->bstrSource = SysAllocString(kSource);
  exception->bstrDescription = SysAllocString(TextOf(number));
  return DISP_E_EXCEPTION;
}

bool SameName(const wchar_t* a, const wchar_t* b) {
  return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

DISPID Find(const MemberTable& table, const wchar_t* name) {
  for (std::size_t i = 0; i < table.count; ++i) {
    if (SameName(table.members[i].name, name)) return static_cast<DISPID>(i + 1);
  }
  return DISPID_UNKNOWN;
}

bool IsPut(WORD flags) { return (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }

// The argument shape a member accepts, before anything runs.
HRESULT CheckShape(const Member& member, WORD flags, const DISPPARAMS& params) {
  if (IsPut(flags)) {
    if (!member.put) return DISP_E_MEMBERNOTFOUND;
    if (params.cArgs != 1) return DISP_E_BADPARAMCOUNT;
    if (params.cNamedArgs != 1 || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) return DISP_E_PARAMNOTOPTIONAL;
    return S_OK;
  }
  if (!member.call) return DISP_E_MEMBERNOTFOUND;
  if (params.cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  if (params.cArgs < member.min_args || params.cArgs > member.max_args) return DISP_E_BADPARAMCOUNT;
  return S_OK;
}

}  // namespace

// --- Args ----------------------------------------------------------------------------------------

// Script hosts pass variables by reference, as a reference to a Variant.
const VARIANT& Args::At(std::size_t i) const {
  const VARIANT& v = params_.rgvarg[params_.cArgs - 1 - i];
  return V_VT(&v) == (VT_VARIANT | VT_BYREF) ? *V_VARIANTREF(&v) : v;
}

bool Args::Given(std::size_t i) const {
  if (i >= size()) return false;
  const VARIANT& v = At(i);
  return !(V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND);
}

void Args::Coerce(std::size_t i, VARTYPE type, VARIANT& out) const {
  if (!Given(i)) Fail(kErrArgumentNotOptional);
  const HRESULT hr = VariantChangeType(&out, const_cast<VARIANT*>(&At(i)), 0, type);  // only read
  if (hr == DISP_E_OVERFLOW) Fail(kErrOverflow);
  if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
  if (FAILED(hr)) Fail(kErrTypeMismatch);
}

float Args::Single(std::size_t i) const {
  ScopedVariant v;
  Coerce(i, VT_R4, v.v);
  return V_R4(&v.v);
}

std::int32_t Args::Long(std::size_t i) const {
  ScopedVariant v;
  Coerce(i, VT_I4, v.v);
  return V_I4(&v.v);
}

std::int16_t Args::Integer(std::size_t i) const {
  ScopedVariant v;
  Coerce(i, VT_I2, v.v);
  return V_I2(&v.v);
}

bool Args::Boolean(std::size_t i) const {
  ScopedVariant v;
  Coerce(i, VT_BOOL, v.v);
  return V_BOOL(&v.v) != VARIANT_FALSE;
}

std::wstring Args::String(std::size_t i) const {
  ScopedVariant v;
  Coerce(i, VT_BSTR, v.v);
  return std::wstring(V_BSTR(&v.v), SysStringLen(V_BSTR(&v.v)));
}

// --- Result --------------------------------------------------------------------------------------

VARIANT* Result::Fresh(VARTYPE type) {
  if (!slot_) return nullptr;
  VariantInit(slot_);
  V_VT(slot_) = type;
  return slot_;
}

void Result::Set(float value) {
  if (VARIANT* v = Fresh(VT_R4)) V_R4(v) = value;
}

void Result::Set(std::int32_t value) {
  if (VARIANT* v = Fresh(VT_I4)) V_I4(v) = value;
}

void Result::Set(std::int16_t value) {
  if (VARIANT* v = Fresh(VT_I2)) V_I2(v) = value;
}

void Result::Set(bool value) {
  if (VARIANT* v = Fresh(VT_BOOL)) V_BOOL(v) = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void Result::Set(const std::wstring& value) {
  if (!slot_) return;
  BSTR text = AllocString(value.data(), value.size());
  V_BSTR(Fresh(VT_BSTR)) = text;
}

// --- dispatch ------------------------------------------------------------------------------------

HRESULT GetIdsOfNames(const MemberTable& table, LPOLESTR* names, UINT count, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  if (count == 0) return S_OK;
  // Only the member name is known: no member takes named arguments.
  ids[0] = names[0] ? Find(table, names[0]) : DISPID_UNKNOWN;
  for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  return (ids[0] == DISPID_UNKNOWN || count > 1) ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT InvokeMember(const MemberTable& table, Canvas& canvas, DISPID id, WORD flags, DISPPARAMS* params,
                     VARIANT* result, EXCEPINFO* exception) {
  if (id < 1 || static_cast<std::size_t>(id) > table.count) return DISP_E_MEMBERNOTFOUND;
  if (!params) return E_INVALIDARG;
  const Member& member = table.members[id - 1];
  if (const HRESULT shape = CheckShape(member, flags, *params); FAILED(shape)) return shape;
  try {
    const Args args(*params);
    if (IsPut(flags)) {
      member.put(canvas, args);
    } else {
      Result out(result);
      member.call(canvas, args, out);
    }
    return S_OK;
  } catch (const PictureError& error) {
    return Report(error.number, exception);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace brixen::picbox
