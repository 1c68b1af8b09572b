// Typed ByRef parameters through IDispatch::Invoke: a reference to a Variant (what script hosts
// pass) and an exactly typed reference both reach the member and see its change.
#include <windows.h>

#include "com_fixture.h"

namespace brixen::test {
namespace {

// A variable of the caller's, passed by reference.
struct Variable {
  VARIANT value;
  Variable() { VariantInit(&value); }
  Variable(const Variable&) = delete;
  Variable& operator=(const Variable&) = delete;
  ~Variable() { VariantClear(&value); }
  VARIANT Reference() {
    VARIANT ref;
    VariantInit(&ref);
    V_VT(&ref) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&ref) = &value;
    return ref;
  }
};

VARIANT Typed(VARTYPE type, void* storage) {
  VARIANT ref;
  VariantInit(&ref);
  V_VT(&ref) = static_cast<VARTYPE>(VT_BYREF | type);
  V_BYREF(&ref) = storage;
  return ref;
}

class ByRefDispatch : public testing::Test {
 protected:
  ComPtr<IDispatch> method_ = CreateByProgId(L"BRIXEN.clsMethod");
};

TEST_F(ByRefDispatch, ReferenceToVariantTakesTheMembersTextBack) {
  Variable where;
  V_VT(&where.value) = VT_BSTR;
  V_BSTR(&where.value) = SysAllocString(L"A=1");
  Call call;
  InvokeByName(method_.Get(), L"MakeWhereStr", DISPATCH_METHOD, {where.Reference(), TextArg(L"B=2")}, call);
  ASSERT_EQ(call.hr, S_OK);
  ASSERT_EQ(V_VT(&where.value), VT_BSTR);
  EXPECT_STREQ(V_BSTR(&where.value), L"A=1 AND B=2");
}

TEST_F(ByRefDispatch, ReferenceToVariantIsConvertedToTheParametersType) {
  Variable x, y;
  V_VT(&x.value) = VT_R8;
  V_R8(&x.value) = 2.5;
  V_VT(&y.value) = VT_BSTR;
  V_BSTR(&y.value) = SysAllocString(L"9");
  Call call;
  InvokeByName(method_.Get(), L"Separate32WithSign", DISPATCH_METHOD,
               {LongArg(static_cast<long>(0x80007FFF)), x.Reference(), y.Reference()}, call);
  ASSERT_EQ(call.hr, S_OK);
  ASSERT_EQ(V_VT(&x.value), VT_I2) << "written back as the parameter's type";
  EXPECT_EQ(V_I2(&x.value), 32767);
  ASSERT_EQ(V_VT(&y.value), VT_I2);
  EXPECT_EQ(V_I2(&y.value), -32768);
}

TEST_F(ByRefDispatch, ConversionFailureLeavesTheVariablesAlone) {
  struct Case {
    const char* name;
    VARIANT x;
    HRESULT expected;
  } cases[] = {
      {"overflow", LongArg(100000), DISP_E_OVERFLOW},
      {"not a number", TextArg(L"abc"), DISP_E_TYPEMISMATCH},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    Variable x, y;
    VariantCopy(&x.value, &c.x);
    V_VT(&y.value) = VT_I4;
    V_I4(&y.value) = 7;
    Call call;
    InvokeByName(method_.Get(), L"Separate32WithSign", DISPATCH_METHOD, {LongArg(65536), x.Reference(), y.Reference()},
                 call);
    EXPECT_EQ(call.hr, c.expected);
    EXPECT_EQ(VarCmp(&x.value, &c.x, LOCALE_USER_DEFAULT, 0), static_cast<HRESULT>(VARCMP_EQ));
    ASSERT_EQ(V_VT(&y.value), VT_I4);
    EXPECT_EQ(V_I4(&y.value), 7);
    VariantClear(&c.x);
  }
}

// Null or Empty where the member takes a ByRef array of texts: a type mismatch (error 13), not a
// status a script cannot name.
TEST_F(ByRefDispatch, NoArrayWhereAnArrayIsTakenIsATypeMismatch) {
  ComPtr<IDispatch> file = CreateByProgId(L"BRIXEN.clsFILE");
  VARIANT null, empty;
  VariantInit(&null);
  V_VT(&null) = VT_NULL;
  VariantInit(&empty);
  for (const VARIANT& folders : {null, empty}) {
    Call call;
    InvokeByName(file.Get(), L"FoldersInFolder", DISPATCH_PROPERTYGET | DISPATCH_METHOD, {folders, TextArg(L"C:\\")}, call);
    EXPECT_EQ(call.hr, DISP_E_TYPEMISMATCH) << V_VT(&folders);
  }
}

TEST_F(ByRefDispatch, ExactlyTypedReferencesWorkAsBefore) {
  BSTR where = SysAllocString(L"A=1");
  Call text_call;
  InvokeByName(method_.Get(), L"CheckWhere", DISPATCH_METHOD, {Typed(VT_BSTR, &where)}, text_call);
  EXPECT_EQ(text_call.hr, S_OK);
  EXPECT_STREQ(where, L"A=1 AND ");
  SysFreeString(where);

  short x = 0;
  short y = 0;
  Call number_call;
  InvokeByName(method_.Get(), L"Separate32WithSign", DISPATCH_METHOD,
               {LongArg(static_cast<long>(0xFFFF0001)), Typed(VT_I2, &x), Typed(VT_I2, &y)}, number_call);
  EXPECT_EQ(number_call.hr, S_OK);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, -1);
}

TEST_F(ByRefDispatch, SlotCallersSeeTheChangeDirectly) {
  ComPtr<_clsMethod> method;
  ASSERT_EQ(method_.As(&method), S_OK);
  BSTR where = SysAllocString(L"");
  BSTR added = SysAllocString(L"B=2");
  EXPECT_EQ(method->MakeWhereStr(&where, added), S_OK);
  EXPECT_STREQ(where, L"B=2");
  SysFreeString(added);
  SysFreeString(where);
}

}  // namespace
}  // namespace brixen::test
