// The server as clients meet it: creation by ProgID and class identifier, the interfaces every
// object answers, run-time errors as callers see them, unloading, and registration.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>

#include "com_fixture.h"

namespace brixen::test {
namespace {

struct ClassCase {
  const wchar_t* progid;
  const CLSID* clsid;
  const IID* iid;
  const wchar_t* interface_name;
  const wchar_t* class_name;
};

const ClassCase kClasses[] = {
    {L"BRIXEN.clsFILE", &CLSID_clsFILE, &IID__clsFILE, L"_clsFILE", L"clsFILE"},
    {L"BRIXEN.clsDATE", &CLSID_clsDATE, &IID__clsDATE, L"_clsDATE", L"clsDATE"},
    {L"BRIXEN.clsString", &CLSID_clsString, &IID__clsString, L"_clsString", L"clsString"},
    {L"BRIXEN.clsMethod", &CLSID_clsMethod, &IID__clsMethod, L"_clsMethod", L"clsMethod"},
    {L"BRIXEN.clsProperty", &CLSID_clsProperty, &IID__clsProperty, L"_clsProperty", L"clsProperty"},
    {L"BRIXEN.clsPrgsBar", &CLSID_clsPrgsBar, &IID__clsPrgsBar, L"_clsPrgsBar", L"clsPrgsBar"},
    {L"BRIXEN.clsNewFont", &CLSID_clsNewFont, &IID__clsNewFont, L"_clsNewFont", L"clsNewFont"},
    {L"BRIXEN.clsToolTip", &CLSID_clsToolTip, &IID__clsToolTip, L"_clsToolTip", L"clsToolTip"},
    {L"BRIXEN.clsDialogColor", &CLSID_clsDialogColor, &IID__clsDialogColor, L"_clsDialogColor",
     L"clsDialogColor"},
    {L"BRIXEN.clsDialogOpenSave", &CLSID_clsDialogOpenSave, &IID__clsDialogOpenSave, L"_clsDialogOpenSave",
     L"clsDialogOpenSave"},
};

std::wstring TypeName(ITypeInfo* info) {
  BSTR name = nullptr;
  if (!info || FAILED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr))) return L"";
  std::wstring result = name;
  SysFreeString(name);
  return result;
}

GUID TypeGuid(ITypeInfo* info) {
  TYPEATTR* attr = nullptr;
  if (!info || FAILED(info->GetTypeAttr(&attr))) return GUID_NULL;
  const GUID guid = attr->guid;
  info->ReleaseTypeAttr(attr);
  return guid;
}

TEST(ComServer, EveryClassIsCreatableAndDescribesItself) {
  for (const ClassCase& c : kClasses) {
    SCOPED_TRACE(std::string(c.progid, c.progid + wcslen(c.progid)));
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(c.progid, &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, *c.clsid));

    ComPtr<IUnknown> object;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object), S_OK);
    ComPtr<IUnknown> own_interface;
    EXPECT_EQ(object->QueryInterface(*c.iid, &own_interface), S_OK);

    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(object.As(&dispatch), S_OK);
    ComPtr<ITypeInfo> interface_info;
    ASSERT_EQ(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &interface_info), S_OK);
    EXPECT_EQ(TypeName(interface_info.Get()), c.interface_name);

    ComPtr<IProvideClassInfo> provide;
    ASSERT_EQ(object.As(&provide), S_OK);
    ComPtr<ITypeInfo> class_info;
    ASSERT_EQ(provide->GetClassInfo(&class_info), S_OK);
    EXPECT_EQ(TypeName(class_info.Get()), c.class_name);
    EXPECT_TRUE(IsEqualGUID(TypeGuid(class_info.Get()), *c.clsid));

    ComPtr<ISupportErrorInfo> errors;
    ASSERT_EQ(object.As(&errors), S_OK);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(*c.iid), S_OK);
  }
}

TEST(ComServer, AggregationIsRefused) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(CoGetClassObject(CLSID_clsString, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, &factory), S_OK);
  ComPtr<IUnknown> outer;
  ASSERT_EQ(CoCreateInstance(CLSID_clsDATE, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &outer), S_OK);
  ComPtr<IUnknown> inner;
  EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IUnknown, &inner), CLASS_E_NOAGGREGATION);
}

// A run-time error raised inside a member reaches early- and late-bound callers alike.
TEST(ComServer, RunTimeErrorReachesBothKindsOfCaller) {
  auto bar = Create<_clsPrgsBar>(CLSID_clsPrgsBar);
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->put_Value(5), MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 91));
  EXPECT_EQ(LastErrorDescription(), L"Object variable or With block variable not set");

  Call call;
  InvokeByName(bar.Get(), L"Value", DISPATCH_PROPERTYPUT, {LongArg(5)}, call);
  EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(call.ErrorNumber(), 91);
  EXPECT_EQ(call.Description(), L"Object variable or With block variable not set");
}

TEST(ComServer, LateAndEarlyBindingReachTheSameMember) {
  auto bar = Create<_clsPrgsBar>(CLSID_clsPrgsBar);
  ASSERT_TRUE(bar);
  BSTR unit = SysAllocString(L" pct");
  ASSERT_EQ(bar->put_UnitString(unit), S_OK);
  SysFreeString(unit);
  Call read;
  InvokeByName(bar.Get(), L"UnitString", DISPATCH_PROPERTYGET, {}, read);
  ASSERT_EQ(read.hr, S_OK);
  ASSERT_EQ(V_VT(&read.result), VT_BSTR);
  EXPECT_STREQ(V_BSTR(&read.result), L" pct");

  Call write;
  InvokeByName(bar.Get(), L"BarClr", DISPATCH_PROPERTYPUT, {LongArg(0x00FF00)}, write);
  ASSERT_EQ(write.hr, S_OK);
  long colour = 0;
  ASSERT_EQ(bar->get_BarClr(&colour), S_OK);
  EXPECT_EQ(colour, 0x00FF00);
}

TEST(ComServer, UnknownNamesAndWrongArgumentsAreRefusedByDispatch) {
  auto bar = CreateByProgId(L"BRIXEN.clsPrgsBar");
  ASSERT_TRUE(bar);
  Call unknown;
  InvokeByName(bar.Get(), L"NoSuchMember", DISPATCH_METHOD, {}, unknown);
  EXPECT_EQ(unknown.hr, DISP_E_UNKNOWNNAME);

  Call mismatch;
  InvokeByName(bar.Get(), L"MAX", DISPATCH_PROPERTYPUT, {TextArg(L"many")}, mismatch);
  EXPECT_EQ(mismatch.hr, DISP_E_TYPEMISMATCH);
}

}  // namespace
}  // namespace brixen::test
