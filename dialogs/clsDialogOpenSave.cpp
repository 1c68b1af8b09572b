#include "dialogs/clsDialogOpenSave.h"

#include "dialogs/dialog_hook.h"
#include "frame/errors.h"
#include "frame/win/ansi.h"
#include "frame/win/handle_values.h"

namespace brixen {
namespace {

constexpr Long kOpen = 0, kSave = 1;  // ENUM_DLG_METHOD

// The caller's description and pattern pairs, then "All Files" always last, ended by a double NUL.
std::string FilterList(const String& filter) {
  std::string list = filter.empty() ? std::string() : win::ToAnsi(filter) + '\0';
  list += std::string("All Files\0*.*\0\0", 16);
  return list;
}

// An empty text goes to the dialog as none, so it uses its own default (its title, no folder).
const char* TextOrNone(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// The text before the first double NUL of the file buffer (for a single selection, the path).
String Selection(const std::string& buffer) {
  const std::size_t end = buffer.find(std::string(2, '\0'));
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
  initial_dir_ = win::ToAnsi(sInitialDir);
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
  return Selection(file_);
}

}  // namespace brixen
