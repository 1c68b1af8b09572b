// clsDialogOpenSave: the platform's open and save dialogs (ANSI form) over one record kept for
// the object's life; captions and placement through the dialog hook.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "frame/types.h"

namespace brixen {

class clsDialogOpenSave {
 public:
  clsDialogOpenSave();
  clsDialogOpenSave(const clsDialogOpenSave&) = delete;  // the record points into this object
  clsDialogOpenSave& operator=(const clsDialogOpenSave&) = delete;

  Long get_FilterIndex();  // the filter of the last confirmed dialog; 0 before one
  // eVALUE: ENUM_DLG_METHOD; eDlgPosition: ENUM_DLG_POSITION. The chosen path, or for a
  // multiple selection the folder, NUL, the names separated by NUL; "" when cancelled.
  String OpenDialog(Long eVALUE, Long hwnd, const String& sDlgTitle, Long lFlags, const String& sFilter,
                    const String& sInitialDir, const String& sInitialFile, const String& sDefExt, Long lFilterIndex,
                    const String& sOKCaption, const String& sstc3Caption, Long eDlgPosition);
  Long GetLong(Long lng);

 private:
  static constexpr std::size_t kBufferSize = 1024;
  // The ANSI texts the record points to, kept with it.
  std::string file_ = std::string(kBufferSize, '\0');
  std::string file_title_ = std::string(kBufferSize, '\0');
  std::string title_, filter_, initial_dir_, def_ext_;
  OPENFILENAMEA record_{};
  Long filter_index_ = 0;
};

}  // namespace brixen
