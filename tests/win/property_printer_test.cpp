// clsProperty's printer members on a real printer: the test run's print service
// (tools/print-service.sh) offers a queue that writes to a file, named in BRIXEN_TEST_PRINTER and
// made its default; Wine's spooler lists the service's queues. The orientation is set and read
// back through the spooler's wide calls directly, and the printer's device mode is put back as it
// was after each test.
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <functional>
#include <string>
#include <vector>

#include "com_fixture.h"
#include "err_log_file.h"
#include "frame/win/handles.h"

namespace brixen::test {
namespace {

std::wstring TestPrinterName() {
  const char* name = std::getenv("BRIXEN_TEST_PRINTER");
  return name ? std::wstring(name, name + std::strlen(name)) : std::wstring();
}

std::wstring DefaultPrinter() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  std::wstring name(size, L'\0');
  if (size == 0 || !GetDefaultPrinterW(name.data(), &size)) return {};
  return name.c_str();
}

bool SpoolerLists(const std::wstring& printer) {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, buffer.data(), needed, &needed, &count)) return false;
  const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    if (printer == printers[i].pPrinterName) return true;
  }
  return false;
}

// The printer's device mode as the spooler keeps it (level 2, wide), its bytes whole.
class Spooler {
 public:
  explicit Spooler(const std::wstring& printer) {
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    std::wstring name = printer;
    OpenPrinterW(name.data(), printer_.put(), &access);
  }
  explicit operator bool() const { return static_cast<bool>(printer_); }

  // The device mode's bytes; what follows the end of the device name is left out (zeros): the
  // spooler leaves whatever it held there.
  std::vector<BYTE> DeviceMode() {
    std::vector<BYTE> info = Level2();
    DEVMODEW* mode = reinterpret_cast<PRINTER_INFO_2W*>(info.data())->pDevMode;
    if (!mode) return {};
    const std::size_t name = wcsnlen(mode->dmDeviceName, CCHDEVICENAME);
    std::fill(mode->dmDeviceName + name, mode->dmDeviceName + CCHDEVICENAME, L'\0');
    const BYTE* bytes = reinterpret_cast<const BYTE*>(mode);
    return std::vector<BYTE>(bytes, bytes + mode->dmSize + mode->dmDriverExtra);
  }

  // Changes the device mode and writes it back with SetPrinter, level 2.
  bool Change(const std::function<void(DEVMODEW&)>& change) {
    std::vector<BYTE> info = Level2();
    DEVMODEW* mode = reinterpret_cast<PRINTER_INFO_2W*>(info.data())->pDevMode;
    if (!mode) return false;
    change(*mode);
    return SetPrinterW(printer_.get(), 2, info.data(), 0);
  }

  bool Put(const std::vector<BYTE>& saved) {
    return Change([&](DEVMODEW& mode) { std::memcpy(&mode, saved.data(), saved.size()); });
  }

  short Orientation() {
    const std::vector<BYTE> mode = DeviceMode();
    return mode.empty() ? 0 : reinterpret_cast<const DEVMODEW*>(mode.data())->dmOrientation;
  }

 private:
  std::vector<BYTE> Level2() {
    DWORD needed = 0;
    GetPrinterW(printer_.get(), 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed + sizeof(PRINTER_INFO_2W));
    if (!GetPrinterW(printer_.get(), 2, info.data(), needed, &needed)) return std::vector<BYTE>(sizeof(PRINTER_INFO_2W));
    return info;
  }

  win::PrinterHandle printer_;
};

// Whether two device modes hold the same bytes; else the offsets where they differ.
::testing::AssertionResult SameBytes(const std::vector<BYTE>& before, const std::vector<BYTE>& after) {
  if (before == after) return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  failure << "sizes " << before.size() << " and " << after.size() << "; bytes differ at";
  for (std::size_t i = 0; i < std::min(before.size(), after.size()); ++i) {
    if (before[i] != after[i]) failure << " " << i << " (" << int{before[i]} << " -> " << int{after[i]} << ")";
  }
  return failure;
}

class PropertyPrinter : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(printer_.empty()) << "no BRIXEN_TEST_PRINTER: the run's print service is not running";
    ASSERT_TRUE(SpoolerLists(printer_)) << "Wine's spooler does not list the print service's queue";
    ASSERT_EQ(DefaultPrinter(), printer_) << "the queue is not the default printer";
    ASSERT_TRUE(spooler_);
    saved_ = spooler_.DeviceMode();
    ASSERT_FALSE(saved_.empty()) << "the printer has no device mode";
  }
  void TearDown() override {
    if (!saved_.empty()) {
      EXPECT_TRUE(spooler_.Put(saved_));
    }
  }

  long MemberOrientation() {
    ENUM_PRINTERORIENTATION orientation = static_cast<ENUM_PRINTERORIENTATION>(-7);
    EXPECT_EQ(property_->GetPrinterOrientation(&orientation), S_OK);
    return orientation;
  }
  bool SetOrientation(long direction) {
    VARIANT_BOOL changed = VARIANT_TRUE;
    EXPECT_EQ(property_->SetPrinterOrientation(static_cast<ENUM_PRINTERORIENTATION>(direction), &changed), S_OK);
    return changed == VARIANT_TRUE;
  }

  const std::wstring printer_ = TestPrinterName();
  Spooler spooler_{printer_};
  std::vector<BYTE> saved_;
  ComPtr<_clsProperty> property_ = Create<_clsProperty>(CLSID_clsProperty);
};

TEST_F(PropertyPrinter, LandscapeReadsTwoAndPortraitIsWrittenThroughTheSpooler) {
  ASSERT_TRUE(spooler_.Change([](DEVMODEW& mode) {
    mode.dmFields |= DM_ORIENTATION;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
  }));
  EXPECT_EQ(MemberOrientation(), vbPRORLandscape);

  EXPECT_TRUE(SetOrientation(vbPRORPortrait));
  EXPECT_EQ(MemberOrientation(), vbPRORPortrait);
  EXPECT_EQ(spooler_.Orientation(), DMORIENT_PORTRAIT);

  EXPECT_TRUE(SetOrientation(vbPRORLandscape));
  EXPECT_EQ(spooler_.Orientation(), DMORIENT_LANDSCAPE);
}

TEST_F(PropertyPrinter, ADeviceModeWithoutTheOrientationBitIsLeftAsItIs) {
  ASSERT_TRUE(spooler_.Change([](DEVMODEW& mode) {
    mode.dmFields &= ~DM_ORIENTATION;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
  }));
  const std::vector<BYTE> before = spooler_.DeviceMode();
  ExpectQuiet([&] { EXPECT_FALSE(SetOrientation(vbPRORPortrait)); });
  EXPECT_TRUE(SameBytes(before, spooler_.DeviceMode()));
}

TEST_F(PropertyPrinter, AnOrientationBeyondAnIntegerIsLoggedAndChangesNothing) {
  const std::vector<BYTE> before = spooler_.DeviceMode();
  ExpectLogged(" SetPrinterOrientation", [&] { EXPECT_FALSE(SetOrientation(32768)); }, 6);
  EXPECT_TRUE(SameBytes(before, spooler_.DeviceMode()));
}

int CALLBACK AddFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
  reinterpret_cast<std::vector<std::wstring>*>(faces)->push_back(font->lfFaceName);
  return TRUE;
}

// The face names of the printer's own device context, as the platform enumerates them.
std::vector<std::wstring> PrinterFaces(const std::wstring& printer) {
  std::vector<std::wstring> faces;
  const win::MemoryDC dc(CreateDCW(nullptr, printer.c_str(), nullptr, nullptr));
  LOGFONTW every{};
  every.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(dc.get(), &every, AddFace, reinterpret_cast<LPARAM>(&faces), 0);
  return faces;
}

TEST_F(PropertyPrinter, AFontIsFoundByItsExactName) {
  const std::vector<std::wstring> faces = PrinterFaces(printer_);
  ASSERT_FALSE(faces.empty());
  auto exists = [&](const std::wstring& name) {
    const OwnedBstr font(name);
    VARIANT_BOOL found = VARIANT_FALSE;
    EXPECT_EQ(property_->ExistsPrinterFont(font.get(), &found), S_OK);
    return found == VARIANT_TRUE;
  };
  for (const std::wstring& face : {faces.front(), faces.back()}) {
    EXPECT_TRUE(exists(face)) << testing::PrintToString(face);
    std::wstring other_case = face;
    for (wchar_t& c : other_case) c = iswupper(c) ? towlower(c) : towupper(c);
    EXPECT_FALSE(exists(other_case)) << testing::PrintToString(other_case);
  }
  EXPECT_FALSE(exists(L"No Such Font BRIXEN"));
  EXPECT_FALSE(exists(L""));
}

}  // namespace
}  // namespace brixen::test
