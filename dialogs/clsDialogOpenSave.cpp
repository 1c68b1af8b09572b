#include "dialogs/clsDialogOpenSave.h"

#include "dialogs/dialog_hook.h"
#include "frame/errors.h"
#include "frame/filesystem.h"
#include "frame/win/ansi.h"
#include "frame/win/handle_values.h"

namespace brixen {
namespace {

constexpr Long kOpen = 0, kSave = 1;  // ENUM_DLG_METHOD

// The caller's description and pattern pairs, then "All Files" always last, ended by a double NUL.
// NULs ending the caller's text are dropped: they would end the list before "All Files".
std::string FilterList(const String& filter) {
  std::string list = win::ToAnsi(filter);
  list.erase(list.find_last_not_of('\0') + 1);
  if (!list.empty()) list += '\0';
  list += std::string("All Files\0*.*\0\0", 16);
  return list;
}

// An empty text goes to the dialog as none, so it uses its own default (its title, no folder).
const char* TextOrNone(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// The dialog's answer in the file buffer. A multiple selection is the folder, NUL, the names
// separated by NULs, ended by a double NUL; the dialog marks it with the first name's offset
// just behind the folder's NUL. A single selection is the path up to its NUL: behind it may lie
// the rest of a longer initial name.
String Selection(const std::string& buffer, const OPENFILENAMEA& record) {
  const std::size_t offset = record.nFileOffset;
  const bool multiple = offset > 0 && offset <= buffer.size() && buffer[offset - 1] == '\0';
  const std::size_t end = buffer.find(multiple ? std::string_view("\0\0", 2) : std::string_view("\0", 1));
  return win::FromAnsi(std::string_view(buffer).substr(0, end));
}

}  // namespace

// The record's size without the fields later platform versions appended.
clsDialogOpenSave::clsDialogOpenSave() {
  record_.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  record_.lpstrFile = file_.data();
  record_.nMaxFile = kBufferSize - 1;
  record_.lpstrFileTitle = file_title_.data();
  record_.nMaxFileTitle = kBufferSize - 1;
}

Long clsDialogOpenSave::get_FilterIndex() { return filter_index_; }

Long clsDialogOpenSave::GetLong(Long lng) { return lng; }

String clsDialogOpenSave::OpenDialog(Long eVALUE, Long hwnd, const String& sDlgTitle, Long lFlags,
                                     const String& sFilter, const String& sInitialDir, const String& sInitialFile,
                                     const String& sDefExt, Long lFilterIndex, const String& sOKCaption,
                                     const String& sstc3Caption, Long eDlgPosition) {
  const std::string initial_file = win::ToAnsi(sInitialFile);
  if (initial_file.size() > kBufferSize) Raise(kErrInvalidCall);  // no room for it in the buffer
  title_ = win::ToAnsi(sDlgTitle);
  filter_ = FilterList(sFilter);
  // Only a folder that exists goes to the dialog as its first folder: for any other text the
  // dialog starts in its own folder anyway, and Wine's dialog crashes on a device name ("CON")
  // and hangs on a text far longer than a path.
  initial_dir_ = FileSystem().FolderExists(sInitialDir) ? win::ToAnsi(sInitialDir) : std::string();
  def_ext_ = win::ToAnsi(sDefExt);
  // The initial name, then NULs to the buffer's end: nothing of an earlier name stays behind it.
  file_.assign(initial_file).resize(kBufferSize, '\0');

  record_.hwndOwner = win::WindowOf(hwnd);
  record_.hInstance = nullptr;
  record_.lpstrTitle = TextOrNone(title_);
  record_.Flags = static_cast<DWORD>(lFlags);
  record_.lpstrFilter = filter_.c_str();
  record_.lpstrInitialDir = TextOrNone(initial_dir_);
  record_.lpstrDefExt = TextOrNone(def_ext_);
  record_.nFilterIndex = static_cast<DWORD>(lFilterIndex);
  record_.lpstrFile = file_.data();
  // In a 64-bit build a procedure's address does not fit a Long: the record takes it whole.
  record_.lpfnHook = dialogs::DialogHook;
  dialogs::SetSlots(sOKCaption, sstc3Caption, eDlgPosition);

  BOOL confirmed = FALSE;
  if (eVALUE == kOpen) confirmed = ::GetOpenFileNameA(&record_);
  else if (eVALUE == kSave) confirmed = ::GetSaveFileNameA(&record_);
  else return {};
  if (!confirmed) return {};
  filter_index_ = static_cast<Long>(record_.nFilterIndex);
  return Selection(file_, record_);
}

}  // namespace brixen
