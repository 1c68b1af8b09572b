#include "frame/com/module.h"

#include <wrl/client.h>

#include <atomic>
#include <new>
#include <string>

#include "frame/com/variant.h"
#include "frame/win/app.h"
#include "frame/win/wide.h"

namespace brixen::com {
namespace {

std::atomic<long> live_objects{0};
std::atomic<long> server_locks{0};

ITypeLib* LibraryOnce() {
  static ITypeLib* const library = [] {
    ITypeLib* lib = nullptr;
    const String path = win::ModuleFileName(win::AppInstance());
    if (FAILED(LoadTypeLibEx(win::Wide(path), REGKIND_NONE, &lib))) return static_cast<ITypeLib*>(nullptr);
    return lib;  // kept for the life of the process
  }();
  return library;
}

}  // namespace

void ObjectCreated() { ++live_objects; }
void ObjectDestroyed() { --live_objects; }
void LockServer(bool lock) { lock ? ++server_locks : --server_locks; }
bool CanUnload() { return live_objects == 0 && server_locks == 0; }

ITypeInfo* TypeInfoOf(REFGUID guid) {
  ITypeLib* lib = LibraryOnce();
  ITypeInfo* info = nullptr;
  if (!lib || FAILED(lib->GetTypeInfoOfGuid(guid, &info))) return nullptr;
  return info;  // caller releases
}

HRESULT ReportToCaller(const RuntimeError& error, REFIID iid) {
  Microsoft::WRL::ComPtr<ICreateErrorInfo> create;
  if (SUCCEEDED(CreateErrorInfo(&create))) {
    create->SetGUID(iid);
    create->SetSource(const_cast<LPOLESTR>(L"BRIXEN"));
    create->SetDescription(const_cast<LPOLESTR>(win::Wide(error.text())));
    Microsoft::WRL::ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create.As(&info))) SetErrorInfo(0, info.Get());
  }
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, error.number() & 0xFFFF);
}

HRESULT ReportCurrentException(REFIID iid) {
  try {
    throw;
  } catch (const RuntimeError& e) {
    return ReportToCaller(e, iid);
  } catch (const std::bad_alloc&) {
    return ReportToCaller(RuntimeError(kErrOutOfMemory), iid);
  } catch (...) {
    return ReportToCaller(RuntimeError(51, u"Internal error"), iid);
  }
}

}  // namespace brixen::com
