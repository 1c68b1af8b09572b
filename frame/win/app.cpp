#include "frame/win/app.h"

#include "frame/win/handles.h"
#include "frame/win/runtime_errors.h"
#include "frame/win/wide.h"

namespace brixen::win {

HINSTANCE AppInstance() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&AppInstance), &module);
  return module;
}

String ModuleFileName(HMODULE module) {
  String name(MAX_PATH, u'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(name.size());
    const DWORD length = ::GetModuleFileNameW(module, Wide(name.data()), size);
    if (length == 0) RaiseLastError();
    if (length < size) {
      name.resize(length);
      return name;
    }
    name.resize(name.size() * 2);  // truncated: the full name needs more room
  }
}

String FolderOf(StringView fullName) {
  const auto slash = fullName.find_last_of(u"\\/");
  if (slash == StringView::npos) return {};
  const bool root = slash > 0 && fullName[slash - 1] == u':';
  return String(fullName.substr(0, root ? slash + 1 : slash));
}

String AppPath() { return FolderOf(ModuleFileName(AppInstance())); }

namespace {

Single ScreenTwips(int sizeIndex, int dpiIndex) {
  const WindowDC screen(nullptr);
  const int dpi = ::GetDeviceCaps(screen.get(), dpiIndex);
  const int twipsPerPixel = dpi > 0 ? 1440 / dpi : 15;
  return static_cast<Single>(::GetDeviceCaps(screen.get(), sizeIndex) * twipsPerPixel);
}

}  // namespace

Single ScreenWidthTwips() { return ScreenTwips(HORZRES, LOGPIXELSX); }
Single ScreenHeightTwips() { return ScreenTwips(VERTRES, LOGPIXELSY); }

}  // namespace brixen::win
