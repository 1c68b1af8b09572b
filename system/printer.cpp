// clsProperty: the current printer's default paper orientation, read and written through its
// level-2 information and the device mode inside it, and the fonts it offers.
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "frame/errors.h"
#include "frame/runtime/values.h"
#include "frame/win/ansi.h"
#include "frame/win/handles.h"
#include "frame/win/printer.h"
#include "system/clsProperty.h"

namespace brixen {
namespace {

constexpr DWORD kLevel2 = 2;

// The current printer, opened with no defaults; an empty owner when it does not open.
win::PrinterHandle OpenCurrentPrinter() {
  std::string name = win::ToAnsi(win::Printer::Current().DeviceName());
  win::PrinterHandle printer;
  ::OpenPrinterA(name.data(), printer.put(), nullptr);
  return printer;
}

// The printer's level-2 information: the record, followed by the texts and the device mode it
// points to, in one buffer. A size query that answers nothing raises 9 (no bounds for the buffer).
class PrinterInfo2 {
 public:
  explicit PrinterInfo2(HANDLE printer) {
    DWORD needed = 0;
    ::GetPrinterA(printer, kLevel2, nullptr, 0, &needed);
    if (needed == 0) Raise(kErrSubscript);
    buffer_.resize(needed);
    read_ = ::GetPrinterA(printer, kLevel2, buffer_.data(), needed, &needed);
  }

  // The device mode inside the buffer; nullptr when the information was not read or has none.
  DEVMODEA* DeviceMode() { return read_ ? Record()->pDevMode : nullptr; }

  bool WriteTo(HANDLE printer) { return ::SetPrinterA(printer, kLevel2, buffer_.data(), 0); }

 private:
  PRINTER_INFO_2A* Record() { return reinterpret_cast<PRINTER_INFO_2A*>(buffer_.data()); }

  std::vector<BYTE> buffer_;  // operator new's alignment suits the record
  bool read_ = false;
};

}  // namespace

// False when the printer does not open, its device mode carries no orientation, or the
// spooler refuses the change; the device mode is then left as it was.
Boolean clsProperty::SetPrinterOrientation(Long intDirection) {
  return log_.Handle<Boolean>(u" SetPrinterOrientation", [&](Boolean& changed) {
    const win::PrinterHandle printer = OpenCurrentPrinter();
    if (!printer) return;
    PrinterInfo2 info(printer.get());
    DEVMODEA* mode = info.DeviceMode();
    if (!mode || !(mode->dmFields & DM_ORIENTATION)) return;
    mode->dmOrientation = rt::CInt(intDirection);
    changed = info.WriteTo(printer.get());
  });
}

// 1 portrait, 2 landscape; 0 when the printer does not open or has no device mode.
Long clsProperty::GetPrinterOrientation() {
  return log_.Handle<Long>(u" GetPrinterOrientation", [&](Long& orientation) {
    const win::PrinterHandle printer = OpenCurrentPrinter();
    if (!printer) return;
    PrinterInfo2 info(printer.get());
    if (const DEVMODEA* mode = info.DeviceMode()) orientation = mode->dmOrientation;
  });
}

// Face names compare exactly, letter case included.
Boolean clsProperty::ExistsPrinterFont(const String& FontName) {
  const win::Printer printer = win::Printer::Current();
  const Integer count = printer.FontCount();
  for (Integer index = 0; index < count; ++index) {
    if (printer.Fonts(index) == FontName) return true;
  }
  return false;
}

}  // namespace brixen
