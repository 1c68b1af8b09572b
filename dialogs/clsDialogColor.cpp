#include "dialogs/clsDialogColor.h"

#include "frame/win/handle_values.h"

namespace brixen {

clsDialogColor::clsDialogColor() {
  record_.lStructSize = sizeof record_;
  record_.lpCustColors = custom_colors_.data();
  record_.lpTemplateName = "0";
}

Long clsDialogColor::get_OpenColorDialog() { return ::ChooseColorA(&record_); }

void clsDialogColor::let_Flags(Long value) { record_.Flags = static_cast<DWORD>(value); }
void clsDialogColor::let_InitialColor(Long value) { record_.rgbResult = static_cast<COLORREF>(value); }

void clsDialogColor::let_OwnerInstance(Long Owner, Long value) {
  record_.hwndOwner = win::WindowOf(Owner);
  record_.hInstance = win::HandleOf<HWND>(value);
}

Long clsDialogColor::get_Result() { return static_cast<Long>(record_.rgbResult); }

}  // namespace brixen
