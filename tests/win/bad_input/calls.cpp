#include "calls.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "policy.h"
#include "values.h"

namespace brixen::bad_input {
namespace {

using Microsoft::WRL::ComPtr;

// VARIANTs owned by one call, cleared when it ends.
class Cells {
 public:
  explicit Cells(std::size_t count) : cells_(count) {
    for (VARIANT& cell : cells_) VariantInit(&cell);
  }
  ~Cells() {
    for (VARIANT& cell : cells_) VariantClear(&cell);
  }
  Cells(const Cells&) = delete;
  Cells& operator=(const Cells&) = delete;
  VARIANT& operator[](std::size_t i) { return cells_[i]; }
  VARIANT* data() { return cells_.data(); }

 private:
  std::vector<VARIANT> cells_;
};

void CopyInto(VARIANT& cell, const Variant& value) { VariantCopy(&cell, const_cast<VARIANT*>(&value.get())); }

const NamedValue& Varied(const Case& c, const Member& member) {
  const Kind kind = member.params[static_cast<std::size_t>(c.param)].kind;
  return c.binding == Binding::Script ? ScriptValues()[c.value] : SlotValues(kind)[c.value];
}

Variant ArgumentFor(const Case& c, const Member& member, std::size_t i) {
  if (static_cast<int>(i) == c.param && c.form != Form::NullPointer) return Varied(c, member).value;
  const Parameter& param = member.params[i];
  if (const Variant* pinned = Pinned(member, param)) return *pinned;
  return Harmless(param.kind);
}

std::wstring Hex(HRESULT hr) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

// What is wrong with a failure status, if anything: a caller must be able to read it as a
// run-time error (the run-time's own numbers, or the dispatch statuses VB maps to them).
std::optional<std::wstring> StatusFault(HRESULT hr, const EXCEPINFO* exception, bool null_pointer_passed) {
  if (SUCCEEDED(hr)) return std::nullopt;
  HRESULT code = hr;
  if (hr == DISP_E_EXCEPTION && exception) {
    code = exception->scode ? exception->scode : static_cast<HRESULT>(0x800A0000u | exception->wCode);
  }
  if (HRESULT_FACILITY(code) == FACILITY_CONTROL) {
    if (HRESULT_CODE(code) == 51) return L"internal error 51: an unexpected failure inside the member";
    if (HRESULT_CODE(code) == 445) return L"error 445: the member is not built";
    return std::nullopt;
  }
  switch (code) {
    case DISP_E_TYPEMISMATCH:
    case DISP_E_OVERFLOW:
    case DISP_E_PARAMNOTOPTIONAL:
    case DISP_E_BADPARAMCOUNT:
    case DISP_E_PARAMNOTFOUND:
    case DISP_E_DIVBYZERO:
    case E_OUTOFMEMORY:
    case E_INVALIDARG: return std::nullopt;
    case E_POINTER:
      if (null_pointer_passed) return std::nullopt;
      break;
    default: break;
  }
  return L"status " + Hex(code) + L", not a run-time error a caller can read";
}

// A slot's failure must leave its text for the caller (Err.Description).
std::optional<std::wstring> MissingDescription(HRESULT hr) {
  ComPtr<IErrorInfo> info;
  if (HRESULT_FACILITY(hr) != FACILITY_CONTROL) return std::nullopt;
  if (GetErrorInfo(0, &info) != S_OK || !info) return L"failed without error information for the caller";
  BSTR description = nullptr;
  info->GetDescription(&description);
  const bool empty = SysStringLen(description) == 0;
  SysFreeString(description);
  if (empty) return L"failed with an empty error description";
  return std::nullopt;
}

std::wstring ChangedArgument(const Member& member, std::size_t i) {
  return L"the caller's by-value argument " + member.params[i].name + L" was changed or freed";
}

// Saved copies of the arguments a call must give back as they were.
struct Saved {
  std::size_t index;
  const VARIANT* now;  // where the argument lives during the call
  Variant before;
  BSTR text = nullptr;  // the text's address before the call (it must not move)
};

Saved Save(std::size_t index, VARIANT& now) {
  Saved saved{index, &now, Variant()};
  VariantCopy(saved.before.put(), &now);
  if (V_VT(&now) == VT_BSTR) saved.text = V_BSTR(&now);
  return saved;
}

void CheckUnchanged(const std::vector<Saved>& saved, const Member& member, std::vector<std::wstring>& faults) {
  for (const Saved& s : saved) {
    const bool moved = V_VT(s.now) == VT_BSTR && V_BSTR(s.now) != s.text;
    if (moved || !SameValue(*s.now, s.before.get())) faults.push_back(ChangedArgument(member, s.index));
  }
}

WORD DispatchFlags(const Member& member) {
  switch (member.invoke_kind) {
    case INVOKE_PROPERTYGET: return DISPATCH_PROPERTYGET;
    case INVOKE_PROPERTYPUT: return DISPATCH_PROPERTYPUT;
    case INVOKE_PROPERTYPUTREF: return DISPATCH_PROPERTYPUTREF;
    default: return member.has_result ? DISPATCH_METHOD | DISPATCH_PROPERTYGET : DISPATCH_METHOD;
  }
}

// Late bound, as a script calls: the name looked up, literals passed as values and variables as
// references to Variants.
std::vector<std::wstring> CallByName(const Case& c, const Member& member, IDispatch* object) {
  std::vector<std::wstring> faults;
  const std::size_t count = c.form == Form::Omitted ? static_cast<std::size_t>(c.param) : member.params.size();
  Cells args(count), variables(count);
  std::vector<Saved> saved;
  for (std::size_t i = 0; i < count; ++i) {
    const bool as_variable = static_cast<int>(i) == c.param ? c.form == Form::Variable : member.params[i].by_reference;
    if (!as_variable) {
      CopyInto(args[i], ArgumentFor(c, member, i));
      saved.push_back(Save(i, args[i]));
      continue;
    }
    CopyInto(variables[i], ArgumentFor(c, member, i));
    V_VT(&args[i]) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&args[i]) = &variables[i];
    if (!member.params[i].by_reference) saved.push_back(Save(i, variables[i]));
  }
  DISPID id = DISPID_UNKNOWN;
  auto* name = const_cast<LPOLESTR>(member.name.c_str());
  HRESULT hr = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return {L"the name is unknown to the object's dispatch: " + Hex(hr)};
  std::vector<VARIANT> reversed(args.data(), args.data() + count);
  std::reverse(reversed.begin(), reversed.end());
  DISPID put = DISPID_PROPERTYPUT;
  const WORD flags = DispatchFlags(member);
  const bool named_value = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) && count > 0;
  DISPPARAMS params{reversed.data(), named_value ? &put : nullptr, static_cast<UINT>(count), named_value ? 1u : 0u};
  Cells result(1);
  EXCEPINFO exception{};
  UINT bad_argument = 0;
  hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result[0], &exception, &bad_argument);
  if (auto fault = StatusFault(hr, &exception, false)) faults.push_back(*fault);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  CheckUnchanged(saved, member, faults);
  return faults;
}

// The pointer a slot gets for a ByRef parameter or the result: to the cell's value, or to the
// cell itself for a Variant.
void PointTo(VARIANT& reference, VARIANT& cell, Kind kind) {
  const VARTYPE type = SlotType(kind);
  V_VT(&reference) = VT_BYREF | type;
  V_BYREF(&reference) = type == VT_VARIANT ? static_cast<void*>(&cell) : static_cast<void*>(&V_UI1(&cell));
}

// Early bound: the slot called with arguments of its own types, as a compiled caller makes it.
std::vector<std::wstring> CallSlot(const Case& c, const Member& member, IUnknown* object) {
  std::vector<std::wstring> faults;
  const std::size_t count = member.params.size() + (member.has_result ? 1 : 0);
  Cells values(count), references(count);
  std::vector<VARTYPE> types(count);
  std::vector<VARIANTARG*> arguments(count);
  std::vector<Saved> saved;
  for (std::size_t i = 0; i < member.params.size(); ++i) {
    const Parameter& param = member.params[i];
    CopyInto(values[i], ArgumentFor(c, member, i));
    if (!param.by_reference) {
      types[i] = SlotType(param.kind);
      arguments[i] = &values[i];
      saved.push_back(Save(i, values[i]));
      continue;
    }
    PointTo(references[i], values[i], param.kind);
    if (static_cast<int>(i) == c.param && c.form == Form::NullPointer) V_BYREF(&references[i]) = nullptr;
    types[i] = V_VT(&references[i]);
    arguments[i] = &references[i];
  }
  if (member.has_result) {
    const std::size_t r = count - 1;
    if (SlotType(member.result) != VT_VARIANT) V_VT(&values[r]) = SlotType(member.result);
    PointTo(references[r], values[r], member.result);
    types[r] = V_VT(&references[r]);
    arguments[r] = &references[r];
  }
  VARIANT status;
  VariantInit(&status);
  SetErrorInfo(0, nullptr);
  HRESULT hr = DispCallFunc(object, static_cast<ULONG_PTR>(member.slot_offset), CC_STDCALL, VT_ERROR,
                            static_cast<UINT>(count), types.data(), arguments.data(), &status);
  if (FAILED(hr)) return {L"the slot could not be called: " + Hex(hr)};
  hr = V_ERROR(&status);
  if (auto fault = StatusFault(hr, nullptr, c.form == Form::NullPointer)) faults.push_back(*fault);
  if (auto fault = MissingDescription(hr)) faults.push_back(*fault);
  CheckUnchanged(saved, member, faults);
  return faults;
}

void AddScriptCases(std::size_t m, int p, const Member& member, std::vector<Case>& cases) {
  const Parameter& param = member.params[static_cast<std::size_t>(p)];
  for (std::size_t v = 0; v < ScriptValues().size(); ++v) {
    if (LeftOut(member, param, ScriptValues()[v].value.get())) continue;
    cases.push_back({m, Binding::Script, p, Form::Value, v});
    cases.push_back({m, Binding::Script, p, Form::Variable, v});
  }
  cases.push_back({m, Binding::Script, p, Form::Omitted, 0});
}

void AddSlotCases(std::size_t m, int p, const Member& member, std::vector<Case>& cases) {
  const Parameter& param = member.params[static_cast<std::size_t>(p)];
  const Form form = param.by_reference ? Form::Variable : Form::Value;
  const std::vector<NamedValue>& values = SlotValues(param.kind);
  for (std::size_t v = 0; v < values.size(); ++v) {
    if (!LeftOut(member, param, values[v].value.get())) cases.push_back({m, Binding::Slot, p, form, v});
  }
  if (param.by_reference) cases.push_back({m, Binding::Slot, p, Form::NullPointer, 0});
}

}  // namespace

std::vector<Case> MakeCases(const std::vector<Member>& members) {
  std::vector<Case> cases;
  for (std::size_t m = 0; m < members.size(); ++m) {
    const Member& member = members[m];
    if (Excluded(member)) continue;
    bool varied = false;
    for (std::size_t p = 0; p < member.params.size(); ++p) {
      if (Pinned(member, member.params[p])) continue;
      AddScriptCases(m, static_cast<int>(p), member, cases);
      AddSlotCases(m, static_cast<int>(p), member, cases);
      varied = true;
    }
    if (!varied) {
      cases.push_back({m, Binding::Script});
      cases.push_back({m, Binding::Slot});
    }
  }
  return cases;
}

std::wstring Describe(const Case& c, const std::vector<Member>& members) {
  const Member& member = members[c.member];
  std::wstring text = member.FullName() + (c.binding == Binding::Script ? L" by name" : L" through its slot");
  if (c.param < 0) return text;
  const Parameter& param = member.params[static_cast<std::size_t>(c.param)];
  text += L", " + param.name + L" (" + KindName(param.kind) + (param.by_reference ? L" ByRef" : L"") + L") ";
  switch (c.form) {
    case Form::Omitted: return text + L"and the ones after it left out";
    case Form::NullPointer: return text + L"as a null pointer";
    case Form::Variable: text += L"= a variable holding "; break;
    case Form::Value: text += L"= "; break;
  }
  return text + Varied(c, member).label;
}

std::vector<std::wstring> Make(const Case& c, const Member& member) {
  ComPtr<IUnknown> object;
  const HRESULT hr = CoCreateInstance(member.clsid, nullptr, CLSCTX_INPROC_SERVER, member.iid, &object);
  if (FAILED(hr)) return {L"the class could not be created: " + Hex(hr)};
  if (c.binding == Binding::Slot) return CallSlot(c, member, object.Get());
  ComPtr<IDispatch> dispatch;
  object.As(&dispatch);
  return CallByName(c, member, dispatch.Get());
}

}  // namespace brixen::bad_input
