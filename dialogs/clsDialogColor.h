// clsDialogColor: the platform's colour dialog (ANSI form) over one record kept for the object's
// life, so the sixteen custom colours a user defines come back in the object's next dialog.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <array>

#include "frame/types.h"

namespace brixen {

class clsDialogColor {
 public:
  clsDialogColor();
  clsDialogColor(const clsDialogColor&) = delete;  // the record points into this object
  clsDialogColor& operator=(const clsDialogColor&) = delete;

  Long get_OpenColorDialog();  // the platform's result: non-zero when a colour was confirmed
  void let_Flags(Long value);  // the platform's CC_ flags, unchanged
  void let_InitialColor(Long value);
  void let_OwnerInstance(Long Owner, Long value);
  Long get_Result();

 private:
  std::array<COLORREF, 16> custom_colors_{};
  CHOOSECOLORA record_{};
};

}  // namespace brixen
