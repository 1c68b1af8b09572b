// clsMethod: opening a help file and starting the system's settings windows.
#include <windows.h>

#include <iterator>
#include <variant>

#include "frame/locale.h"
#include "frame/win/ansi.h"
#include "frame/win/msgbox.h"
#include "frame/win/shell.h"
#include "frame/win/handle_values.h"
#include "helpers/clsMethod.h"

namespace brixen {
namespace {

// By ENUM_CONTOLPANELKIND: date and time, power options, the printers folder.
constexpr const char16_t* kControlPanelCommands[] = {
    u"rundll32.exe shell32.dll,Control_RunDLL timedate.cpl",
    u"rundll32.exe shell32.dll,Control_RunDLL powercfg.cpl",
    u"rundll32.exe shell32.dll,SHHelpShortcuts_RunDLL PrintersFolder",
};

constexpr Long kHelpNotFoundStyle = MB_OK | MB_ICONHAND;  // 16

}  // namespace

// No handler: a program that cannot be started is the caller's run-time error.
void clsMethod::RunContolPanel(Long eKIND) {
  if (eKIND < 0 || eKIND >= static_cast<Long>(std::size(kControlPanelCommands))) return;
  win::Shell(kControlPanelCommands[eKIND], win::vbMinimizedFocus);
}

void clsMethod::RunHelp32(Long hwnd, const String& FullHelpName) {
  log_.Run<std::monostate>(u"RunHelp32", [&](std::monostate&) {
    if (fileSystem_.FileExists(FullHelpName)) {
      ::WinHelpA(win::WindowOf(hwnd), win::ToAnsi(FullHelpName).c_str(), HELP_CONTENTS, 0);
      return;
    }
    const String note = Bilingual(u"次のヘルプファイルが見つかりません ", u"I cannot find help files.");
    win::MsgBox(note + u"\r\n\r\n" + FullHelpName, kHelpNotFoundStyle, u"ERROR");
  });
}

}  // namespace brixen
