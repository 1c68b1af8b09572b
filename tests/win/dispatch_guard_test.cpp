// What IDispatch::Invoke may and may not do to its caller: a by-value argument given to a ByRef
// parameter stays the caller's own (not rewritten, not freed), and a call with more arguments
// than the member has parameters is refused before it reaches the platform's dispatch.
//
// tools/test-all.sh runs this program with the BSTR cache off (OANOCACHE=1): a text the
// dispatch frees goes back to the heap at once, where the next allocation of its size finds it.
#include <windows.h>

#include <string>
#include <vector>

#include "com_fixture.h"
#include "frame/errors.h"
#include "frame/win/settings.h"

namespace brixen::test {
namespace {

VARIANT Text(const std::wstring& text) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return v;
}

VARIANT Texts(const std::vector<std::wstring>& items) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_ARRAY | VT_BSTR;
  V_ARRAY(&v) = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(items.size()));
  for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
    BSTR item = SysAllocString(items[i].c_str());
    SafeArrayPutElement(V_ARRAY(&v), &i, item);
    SysFreeString(item);
  }
  return v;
}

// What an argument held before the call: its type, its text or array, and the text's address.
struct Snapshot {
  VARTYPE type;
  void* address;
  std::vector<std::wstring> texts;
};

std::vector<std::wstring> TextsOf(const VARIANT& v) {
  if (V_VT(&v) == VT_BSTR) return {std::wstring(V_BSTR(&v), SysStringLen(V_BSTR(&v)))};
  std::vector<std::wstring> texts;
  if (V_VT(&v) != (VT_ARRAY | VT_BSTR)) return texts;
  LONG lower = 0, upper = -1;
  SafeArrayGetLBound(V_ARRAY(&v), 1, &lower);
  SafeArrayGetUBound(V_ARRAY(&v), 1, &upper);
  for (LONG i = lower; i <= upper; ++i) {
    BSTR item = nullptr;
    SafeArrayGetElement(V_ARRAY(&v), &i, &item);
    texts.emplace_back(item ? item : L"");
    SysFreeString(item);
  }
  return texts;
}

Snapshot SnapshotOf(const VARIANT& v) {
  return {V_VT(&v), V_VT(&v) == VT_BSTR ? static_cast<void*>(V_BSTR(&v)) : static_cast<void*>(V_ARRAY(&v)),
          TextsOf(v)};
}

// True when a text of `length` characters is allocated where `address` lies: the text there
// was freed.
bool FreedAt(void* address, size_t length) {
  BSTR probe = SysAllocStringLen(nullptr, static_cast<UINT>(length));
  const bool freed = probe == address;
  SysFreeString(probe);
  return freed;
}

struct ByValueCase {
  const char* label;
  const wchar_t* progid;
  const wchar_t* member;
  WORD flags;
  std::vector<VARIANT> (*arguments)(const std::wstring& folder);  // in the caller's order
};

std::wstring AppPath(const std::wstring& folder) { return folder + L"\\app.exe"; }

const ByValueCase kByValueCases[] = {
    {"CheckWhere", L"BRIXEN.clsMethod", L"CheckWhere", DISPATCH_METHOD,
     [](const std::wstring&) { return std::vector<VARIANT>{Text(L"A=1")}; }},
    {"MakeWhereStr", L"BRIXEN.clsMethod", L"MakeWhereStr", DISPATCH_METHOD,
     [](const std::wstring&) { return std::vector<VARIANT>{Text(L"A=1"), Text(L"B=2")}; }},
    {"SeparateFNAME", L"BRIXEN.clsMethod", L"SeparateFNAME", DISPATCH_METHOD,
     [](const std::wstring&) { return std::vector<VARIANT>{Text(L"report.txt"), Text(L"left"), Text(L"right")}; }},
    {"MyFName", L"BRIXEN.clsFILE", L"MyFName", DISPATCH_PROPERTYGET | DISPATCH_METHOD,
     [](const std::wstring& folder) {
       return std::vector<VARIANT>{Text(AppPath(folder)), Text(L"log"), Text(L"txt")};
     }},
    {"FoldersInFolder", L"BRIXEN.clsFILE", L"FoldersInFolder", DISPATCH_PROPERTYGET | DISPATCH_METHOD,
     [](const std::wstring& folder) { return std::vector<VARIANT>{Texts({L"first"}), Text(folder)}; }},
    {"RegDefaultKey", L"BRIXEN.clsProperty", L"RegDefaultKey", DISPATCH_METHOD,
     [](const std::wstring&) {
       return std::vector<VARIANT>{Text(L"BrixenDispatchGuard"), Text(L"Section"), Text(L"Key"), Text(L"value")};
     }},
};

class ByValueToByRef : public testing::TestWithParam<ByValueCase> {
 protected:
  ~ByValueToByRef() override {
    try {
      win::DeleteSetting(u"BrixenDispatchGuard");  // what RegDefaultKey wrote
    } catch (const brixen::RuntimeError&) {
      // nothing was written
    }
  }
  TempFolder folder_;
};

// The caller's own arguments, after the call, are exactly what they were: the same texts at
// the same addresses, none of them freed.
TEST_P(ByValueToByRef, TheCallersArgumentsComeBackUnchangedAndNotFreed) {
  const ByValueCase& c = GetParam();
  ComPtr<IDispatch> object = CreateByProgId(c.progid);
  ASSERT_TRUE(object);
  CreateDirectoryW((folder_.path() + L"\\sub").c_str(), nullptr);

  std::vector<VARIANT> in_order = c.arguments(folder_.path());
  std::vector<VARIANT> args(in_order.rbegin(), in_order.rend());
  std::vector<Snapshot> before;
  for (const VARIANT& arg : args) before.push_back(SnapshotOf(arg));

  DISPID id = DISPID_UNKNOWN;
  auto* name = const_cast<LPOLESTR>(c.member);
  ASSERT_EQ(object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
  DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
  Call call;
  UINT bad = 0;
  call.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, c.flags, &params, &call.result, &call.exception, &bad);
  EXPECT_EQ(call.hr, S_OK);

  for (size_t i = 0; i < args.size(); ++i) {
    SCOPED_TRACE("argument " + std::to_string(args.size() - i));
    const VARIANT& arg = args[i];
    ASSERT_EQ(V_VT(&arg), before[i].type) << "the argument was rewritten";
    const void* address = V_VT(&arg) == VT_BSTR ? static_cast<void*>(V_BSTR(&arg)) : static_cast<void*>(V_ARRAY(&arg));
    ASSERT_EQ(address, before[i].address) << "the caller's value was replaced";
    EXPECT_EQ(TextsOf(arg), before[i].texts);
    if (V_VT(&arg) == VT_BSTR) {
      EXPECT_FALSE(FreedAt(V_BSTR(&arg), before[i].texts[0].size())) << "freed";
    }
  }
  for (VARIANT& arg : args) VariantClear(&arg);
}

INSTANTIATE_TEST_SUITE_P(Members, ByValueToByRef, testing::ValuesIn(kByValueCases),
                         [](const auto& info) { return std::string(info.param.label); });

// Every member of every class, called late bound with one argument more than it has
// parameters, is refused with the automation error for a wrong argument count; the member is
// not reached. (The arguments are Null, which no typed parameter takes, should one slip past.)
TEST(SurplusArguments, AreRefusedForEveryMemberOfEveryClass) {
  const wchar_t* classes[] = {L"BRIXEN.clsFILE",     L"BRIXEN.clsDATE",     L"BRIXEN.clsString",
                              L"BRIXEN.clsMethod",   L"BRIXEN.clsProperty", L"BRIXEN.clsPrgsBar",
                              L"BRIXEN.clsNewFont",  L"BRIXEN.clsToolTip",  L"BRIXEN.clsDialogColor",
                              L"BRIXEN.clsDialogOpenSave"};
  size_t members = 0;
  for (const wchar_t* progid : classes) {
    ComPtr<IDispatch> object = CreateByProgId(progid);
    ASSERT_TRUE(object);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    const WORD functions = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    for (UINT f = 0; f < functions; ++f) {
      FUNCDESC* desc = nullptr;
      ASSERT_EQ(info->GetFuncDesc(f, &desc), S_OK);
      const MEMBERID id = desc->memid;
      const WORD flags = static_cast<WORD>(desc->invkind);
      UINT parameters = 0;
      for (SHORT p = 0; p < desc->cParams; ++p) {
        if (!(desc->lprgelemdescParam[p].paramdesc.wParamFlags & PARAMFLAG_FRETVAL)) ++parameters;
      }
      info->ReleaseFuncDesc(desc);
      if ((id & 0x60000000) != 0x60000000) continue;  // IDispatch's own members
      ++members;

      std::vector<VARIANT> args(parameters + 1);
      for (VARIANT& arg : args) V_VT(&arg) = VT_NULL;
      DISPID put = DISPID_PROPERTYPUT;
      const bool is_put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
      DISPPARAMS params{args.data(), is_put ? &put : nullptr, static_cast<UINT>(args.size()), is_put ? 1u : 0u};
      Call call;
      UINT bad = 0;
      call.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, is_put ? flags : (flags | DISPATCH_METHOD), &params,
                               &call.result, &call.exception, &bad);
      EXPECT_EQ(call.hr, DISP_E_BADPARAMCOUNT)
          << std::string(progid, progid + wcslen(progid)) << " member 0x" << std::hex << id << " (kind " << flags
          << ") with " << std::dec << args.size() << " arguments";
    }
  }
  EXPECT_GT(members, 200u);
}

// The fault that showed it: a property without parameters, given one, made the platform's
// dispatch index its result (Nothing here) and crash.
TEST(SurplusArguments, FDDriveWithAnArgumentIsAWrongArgumentCount) {
  ComPtr<IDispatch> file = CreateByProgId(L"BRIXEN.clsFILE");
  Call call;
  InvokeByName(file.Get(), L"FDDrive", DISPATCH_PROPERTYGET | DISPATCH_METHOD, {LongArg(1)}, call);
  EXPECT_EQ(call.hr, DISP_E_BADPARAMCOUNT);
  Call plain;
  InvokeByName(file.Get(), L"FDDrive", DISPATCH_PROPERTYGET | DISPATCH_METHOD, {}, plain);
  EXPECT_EQ(plain.hr, S_OK);
}

}  // namespace
}  // namespace brixen::test
