// clsFILE: the shell's property sheet, folder browser, special folders, shortcuts, and the
// shell's copy and delete with their progress and confirmation dialogs.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "files/clsFILE.h"
#include "files/shell_folders.h"
#include "files/shell_link.h"
#include "files/shell_lists.h"
#include "files/shell_operation.h"
#include "frame/locale.h"
#include "frame/win/handles.h"
#include "frame/win/msgbox.h"
#include "frame/win/wide.h"
#include "frame/win/handle_values.h"

namespace brixen {
namespace {

// ENUM_SHORTGROUPNAME
enum ShortcutPlace : Long {
  eSHORTCUT_ON_DESKTOP = 0,
  eSHORTCUT_ON_START = 1,
  eSHORTCUT_ON_PROGRAM = 2,
  eSHORTCUT_SPECIFY = 3,
};

constexpr Long kCurrentUsersFolders = -1;
constexpr char16_t kNoGroupNamed[] = u"You must specif sSpecifiedShortCutPlace !";

int SystemFileOperation(SHFILEOPSTRUCTW& operation) { return ::SHFileOperationW(&operation); }

ShellFileOperation& FileOperation() {
  static ShellFileOperation operation = SystemFileOperation;
  return operation;
}

// Selects the folder the caller named as soon as the browser is up.
int CALLBACK SelectInitialFolder(HWND dialog, UINT message, LPARAM, LPARAM initialPath) {
  if (message == BFFM_INITIALIZED) ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, initialPath);
  return 0;
}

// The group folder name passed to the shell-link creator; nullptr when the caller must name one.
const char16_t* GroupName(Long onWhere, const String& specifiedGroupName) {
  switch (onWhere) {
    case eSHORTCUT_ON_DESKTOP: return kGroupDesktop;
    case eSHORTCUT_ON_START: return kGroupStartMenu;
    case eSHORTCUT_ON_PROGRAM: return kGroupPrograms;
    case eSHORTCUT_SPECIFY: return specifiedGroupName.empty() ? nullptr : specifiedGroupName.c_str();
    default: return u"";
  }
}

}  // namespace

bool RunShellFileOperation(SHFILEOPSTRUCTW& operation) {
  return FileOperation()(operation) == 0 && !operation.fAnyOperationsAborted;
}

void SetShellFileOperationForTests(ShellFileOperation operation) { FileOperation() = std::move(operation); }

void ResetShellFileOperationForTests() { FileOperation() = SystemFileOperation; }

// The property sheet may run on in the shell after the call: the result is the shell's
// instance value (above 32 on success). A process handle the shell hands back is closed.
Long clsFILE::ShowPropertiesDialog(Long hwnd, const String& sFileName) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = win::WindowOf(hwnd);
  info.lpVerb = L"properties";
  info.lpFile = win::Wide(sFileName);
  info.lpParameters = L"";
  info.lpDirectory = L"";
  info.nShow = SW_HIDE;
  ::ShellExecuteExW(&info);
  const win::Handle process(info.hProcess);
  return static_cast<Long>(reinterpret_cast<INT_PTR>(info.hInstApp));
}

String clsFILE::OpenFolder(Long hwnd, const String& sTitle, Long pidlRoot, const String& sInitialPath) {
  win::CoTaskMem<ITEMIDLIST> root;
  ::SHGetSpecialFolderLocation(win::WindowOf(hwnd), pidlRoot, root.put());  // none: the whole namespace
  BROWSEINFOW browse{};
  browse.hwndOwner = win::WindowOf(hwnd);
  browse.pidlRoot = root.get();
  browse.lpszTitle = win::Wide(sTitle);
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_NEWDIALOGSTYLE;
  browse.lpfn = SelectInitialFolder;
  browse.lParam = reinterpret_cast<LPARAM>(sInitialPath.c_str());
  const win::CoTaskMem<ITEMIDLIST> chosen(::SHBrowseForFolderW(&browse));
  return chosen ? FileSystemPath(chosen.get()) : String();
}

String clsFILE::GetDesktopFolder(Long hwnd) { return GetSpecialFolder(hwnd, CSIDL_DESKTOPDIRECTORY); }

String clsFILE::GetSpecialFolder(Long hwnd, Long eFolder) { return SpecialFolderPath(win::WindowOf(hwnd), eFolder); }

Long clsFILE::CreateShortCut(Long OnWhere, const String& sShortCutName, const String& sProgramName,
                             const String& sSpecifiedGroupName, const String& sArguments) {
  return log_.Handle<Long>(u"CreateShortCut", [&](Long& created) {
    const char16_t* group = GroupName(OnWhere, sSpecifiedGroupName);
    if (group == nullptr) {
      win::MsgBox(kNoGroupNamed, MB_OK);
      return;
    }
    created = fCreateShellLink(group, sShortCutName, sProgramName, sArguments, kCurrentUsersFolders, kProgramsBase);
  });
}

// Without booOverWrite the shell asks before replacing a file. The title is handed to the
// shell, which shows it on a simple progress dialog only.
Boolean clsFILE::SHFileCopy(const Variant& hwnd, const String& pFrom, const String& pTo, const String& lpszProgresTitle,
                            Boolean booOverWrite, Boolean booRenameOnCollision) {
  const HWND owner = win::WindowOf(hwnd.ToLong());
  const String from = ShellFileList(pFrom);
  const String to = ShellDestination(pTo);
  const String title =
      lpszProgresTitle.empty() ? Bilingual(u"ファイルをコピーしています・・・", u"Copying Files...") : lpszProgresTitle;
  SHFILEOPSTRUCTW copy{};
  copy.hwnd = owner;
  copy.wFunc = FO_COPY;
  copy.pFrom = win::Wide(from);
  copy.pTo = win::Wide(to);
  copy.fFlags = (booOverWrite ? FOF_NOCONFIRMATION : 0) | (booRenameOnCollision ? FOF_RENAMEONCOLLISION : 0);
  copy.lpszProgressTitle = win::Wide(title);
  return RunShellFileOperation(copy);
}

// To the recycle bin, after the shell's confirmation.
Boolean clsFILE::SHFileDelete(Long hwnd, const String& pFrom) {
  return log_.Handle<Boolean>(u"SHFileDelete", [&](Boolean& deleted) {
    const String from = ShellFileList(pFrom);
    const String to = ShellDestination(u"");
    SHFILEOPSTRUCTW remove{};
    remove.hwnd = win::WindowOf(hwnd);
    remove.wFunc = FO_DELETE;
    remove.pFrom = win::Wide(from);
    remove.pTo = win::Wide(to);
    remove.fFlags = FOF_ALLOWUNDO;
    deleted = RunShellFileOperation(remove);
  });
}

}  // namespace brixen
