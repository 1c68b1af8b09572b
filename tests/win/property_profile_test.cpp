// clsProperty's INI and settings members through their slots: INI files in a temporary folder
// read and written by the platform's ANSI private-profile calls (absent values, empty values,
// the 2,560-character buffer, files read back byte for byte, text in the system code page),
// settings read back from the registry where the run-time keeps them, and the module names
// the handlers log under in Err.log beside the DLL.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "com_fixture.h"
#include "err_log_file.h"
#include "frame/com/variant.h"
#include "frame/win/ansi.h"
#include "frame/win/settings.h"
#include "msgbox_answerer.h"

namespace brixen::test {
namespace {

constexpr long kAbsentNumber = 411209;
constexpr wchar_t kAbsentText[] = L"????????";
constexpr wchar_t kApp[] = L"BrixenPropertyTest";

std::string Ansi(const std::wstring& text) { return win::ToAnsi(String(text.begin(), text.end())); }

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PropertyProfile : public testing::Test {
 protected:
  long Int(const std::wstring& section, const std::wstring& key, const std::wstring& file) {
    long value = -7;
    EXPECT_EQ(
        property_->GetProfileValueInt(OwnedBstr(section).get(), OwnedBstr(key).get(), OwnedBstr(file).get(), &value),
        S_OK);
    return value;
  }
  std::wstring Text(const std::wstring& section, const std::wstring& key, const std::wstring& file) {
    OwnedBstr value;
    EXPECT_EQ(property_->GetProfileValueString(OwnedBstr(section).get(), OwnedBstr(key).get(), OwnedBstr(file).get(),
                                               value.put()),
              S_OK);
    return value.text();
  }
  VARIANT_BOOL Write(const std::wstring& section, const std::wstring& key, const Variant& value,
                     const std::wstring& file) {
    VARIANT_BOOL written = 7;
    EXPECT_EQ(property_->WriteProfileValue(OwnedBstr(section).get(), OwnedBstr(key).get(), value.get(),
                                           OwnedBstr(file).get(), &written),
              S_OK);
    return written;
  }

  ComPtr<_clsProperty> property_ = Create<_clsProperty>(CLSID_clsProperty);
  TempFolder folder_;
  const std::wstring ini_ = folder_ / L"app.ini";
};

TEST_F(PropertyProfile, AbsentFileSectionOrKeyGivesTheAbsentMarks) {
  WriteBytes(ini_, "[Main]\r\nCount=12\r\n");
  const struct {
    const wchar_t *section, *key;
    std::wstring file;
  } cases[] = {
      {L"Main", L"Count", folder_ / L"missing.ini"},
      {L"Other", L"Count", ini_},
      {L"Main", L"Size", ini_},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Int(c.section, c.key, c.file), kAbsentNumber) << c.section << L" " << c.key << L" " << c.file;
    EXPECT_EQ(Text(c.section, c.key, c.file), kAbsentText) << c.section << L" " << c.key << L" " << c.file;
  }
}

TEST_F(PropertyProfile, PresentValuesAsNumbersAndTexts) {
  WriteBytes(ini_, "[Main]\r\nCount=12\r\nLess=-7\r\nName=Brixen utilities\r\nEmpty=\r\n[other]\r\ncount=3\r\n");
  EXPECT_EQ(Int(L"Main", L"Count", ini_), 12);
  EXPECT_EQ(Int(L"main", L"COUNT", ini_), 12) << "names match without case";
  EXPECT_EQ(Int(L"Main", L"Less", ini_), -7);
  EXPECT_EQ(Int(L"Main", L"Name", ini_), 0) << "no digits";
  EXPECT_EQ(Int(L"Other", L"Count", ini_), 3);
  EXPECT_EQ(Text(L"Main", L"Count", ini_), L"12");
  EXPECT_EQ(Text(L"Main", L"Name", ini_), L"Brixen utilities");
  EXPECT_EQ(Text(L"Main", L"Empty", ini_), L"") << "present but empty is not absent";
}

TEST_F(PropertyProfile, ALongValueIsCutTo2559Characters) {
  std::string value;
  for (int i = 0; i < 3000; ++i) value += static_cast<char>('a' + i % 26);
  WriteBytes(ini_, "[Main]\r\nLong=" + value + "\r\n");
  const std::wstring read = Text(L"Main", L"Long", ini_);
  EXPECT_EQ(read.size(), 2559u);
  EXPECT_EQ(Ansi(read), value.substr(0, 2559));
}

TEST_F(PropertyProfile, WriteProfileValueCreatesAndReplacesValuesAsText) {
  const struct {
    const char* name;
    Variant value;
    std::string text;
  } cases[] = {
      {"15", Variant(Long{15}), "15"},           {"2.5", Variant(Double{2.5}), "2.5"},
      {"True", Variant(true), "True"},           {"a text", Variant(u"brixen"), "brixen"},
      {"Empty", Variant(), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileW(ini_.c_str());
    EXPECT_EQ(Write(L"Main", L"Value", c.value, ini_), VARIANT_TRUE);
    EXPECT_EQ(ReadBytes(ini_), "[Main]\r\nValue=" + c.text + "\r\n");
  }

  EXPECT_EQ(Write(L"Main", L"Value", Variant(Long{16}), ini_), VARIANT_TRUE);
  EXPECT_EQ(Write(L"Main", L"Other", Variant(u"x"), ini_), VARIANT_TRUE);
  EXPECT_EQ(Write(L"Next", L"Value", Variant(Long{1}), ini_), VARIANT_TRUE);
  EXPECT_EQ(ReadBytes(ini_), "[Main]\r\nValue=16\r\nOther=x\r\n[Next]\r\nValue=1\r\n");
  EXPECT_EQ(Int(L"Main", L"Value", ini_), 16);
}

TEST_F(PropertyProfile, WriteProfileValueIntoAMissingFolderAnswersFalse) {
  EXPECT_EQ(Write(L"Main", L"Value", Variant(Long{15}), folder_ / L"no such folder\\app.ini"), VARIANT_FALSE);
}

// Names of 32,767 characters and more name no entry: the readers give their absent marks and a
// write fails, without the platform's profile calls (which can crash on such a name). The file
// is left as it was.
TEST_F(PropertyProfile, OverlongSectionOrKeyNamesAreAbsentAndCannotBeWritten) {
  WriteBytes(ini_, "[Main]\r\nCount=12\r\n");
  const std::wstring fits(32766, L's'), overlong(32767, L's'), huge(40000, L's');
  for (const std::wstring* name : {&overlong, &huge}) {
    SCOPED_TRACE(name->size());
    EXPECT_EQ(Int(*name, L"Count", ini_), kAbsentNumber);
    EXPECT_EQ(Int(L"Main", *name, ini_), kAbsentNumber);
    EXPECT_EQ(Text(*name, L"Count", ini_), kAbsentText);
    EXPECT_EQ(Text(L"Main", *name, ini_), kAbsentText);
    EXPECT_EQ(Write(*name, L"Value", Variant(Long{1}), ini_), VARIANT_FALSE);
    EXPECT_EQ(Write(L"Main", *name, Variant(Long{1}), ini_), VARIANT_FALSE);
  }
  EXPECT_EQ(ReadBytes(ini_), "[Main]\r\nCount=12\r\n");
  EXPECT_EQ(Text(fits, L"Count", ini_), kAbsentText) << "the longest usable name is looked up";
}

// A value of 32,767 characters and more cannot be written (Wine's 32-bit profile writer crashed
// on one); the file is left as it was. The longest value that can be passed is written whole.
TEST_F(PropertyProfile, AnOverlongValueIsNotWritten) {
  WriteBytes(ini_, "[Main]\r\nCount=12\r\n");
  for (const std::size_t size : {32767u, 40000u}) {
    EXPECT_EQ(Write(L"Main", L"Count", Variant(String(size, u'v')), ini_), VARIANT_FALSE) << size;
  }
  EXPECT_EQ(ReadBytes(ini_), "[Main]\r\nCount=12\r\n");
  EXPECT_EQ(Write(L"Main", L"Count", Variant(String(32766, u'v')), ini_), VARIANT_TRUE);
  EXPECT_EQ(ReadBytes(ini_), "[Main]\r\nCount=" + std::string(32766, 'v') + "\r\n");
}

// A bare file name lies in the Windows folder; one too long for a path there names no file the
// platform can reach (Wine's profile calls overran their buffer on it).
TEST_F(PropertyProfile, ABareFileNameTooLongForAPathIsAbsentAndCannotBeWritten) {
  wchar_t windows[MAX_PATH] = {};
  const std::size_t room = MAX_PATH - 2 - GetWindowsDirectoryW(windows, MAX_PATH);  // the separator and the NUL
  for (const std::wstring& name : {std::wstring(room + 1, L'f'), std::wstring(40000, L'f')}) {
    SCOPED_TRACE(name.size());
    EXPECT_EQ(Int(L"Main", L"Count", name), kAbsentNumber);
    EXPECT_EQ(Text(L"Main", L"Count", name), kAbsentText);
    EXPECT_EQ(Write(L"Main", L"Count", Variant(Long{1}), name), VARIANT_FALSE);
  }
}

// ---- the handlers

class PropertyProfileLogs : public PropertyProfile {
 protected:
  // The call showed one ErrReg box and logged the module's literal.
  void ExpectLogged(const std::string& module) {
    ASSERT_EQ(answerer_.Boxes().size(), 1u) << module;
    EXPECT_EQ(answerer_.Boxes()[0].title, L"ERROR");
    EXPECT_NE(answerer_.Boxes()[0].text.find(std::wstring(module.begin(), module.end())), std::wstring::npos);
    EXPECT_NE(log_.Bytes().find(module), std::string::npos) << "Err.log has no record of '" << module << "'";
  }

  ErrLogFile log_{FolderOfPath(DllPath("BRIXEN_DLL"))};
  MsgBoxAnswerer answerer_{{L"ok"}};
};

TEST_F(PropertyProfileLogs, WriteProfileValueOfNullLogsAndWritesNothing) {
  EXPECT_EQ(Write(L"Main", L"Value", Variant::Null(), ini_), VARIANT_FALSE);
  ExpectLogged("WriteProfileValue");
  EXPECT_EQ(GetFileAttributesW(ini_.c_str()), INVALID_FILE_ATTRIBUTES);
}

// ---- the settings store

std::wstring SettingsKey(const std::wstring& section) {
  return L"Software\\VB and VBA Program Settings\\" + std::wstring(kApp) + L"\\" + section;
}

// The stored value as the registry holds it, or "<absent>".
std::wstring Registry(const std::wstring& section, const std::wstring& name) {
  wchar_t value[256] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, SettingsKey(section).c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS)
    return L"<absent>";
  return value;
}

class PropertySettings : public testing::Test {
 protected:
  PropertySettings() { RemoveApp(); }
  ~PropertySettings() override { RemoveApp(); }
  static void RemoveApp() {
    RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\VB and VBA Program Settings\\" + std::wstring(kApp)).c_str());
  }
  static void Store(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    win::SaveSetting(reinterpret_cast<const char16_t*>(kApp), reinterpret_cast<const char16_t*>(section),
                     reinterpret_cast<const char16_t*>(key), reinterpret_cast<const char16_t*>(value));
  }

  HRESULT Exists(const std::wstring& app, const std::wstring& section, const std::wstring& key, VARIANT_BOOL& exists) {
    return property_->ExistsRegEntry(OwnedBstr(app).get(), OwnedBstr(section).get(), OwnedBstr(key).get(), &exists);
  }
  VARIANT_BOOL Default(const std::wstring& app, const std::wstring& section, Variant& key, const Variant& value) {
    VARIANT_BOOL result = 7;
    EXPECT_EQ(property_->RegDefaultKey(OwnedBstr(app).get(), OwnedBstr(section).get(), const_cast<VARIANT*>(&key.get()),
                                       value.get(), &result),
              S_OK);
    return result;
  }

  ComPtr<_clsProperty> property_ = Create<_clsProperty>(CLSID_clsProperty);
};

TEST_F(PropertySettings, ExistsRegEntryAnswersTrueOnlyForANonEmptyValue) {
  Store(L"Main", L"Name", L"brixen");
  Store(L"Main", L"Blank", L"");
  const struct {
    const wchar_t *section, *key;
    VARIANT_BOOL exists;
  } cases[] = {{L"Main", L"Name", VARIANT_TRUE}, {L"Main", L"Blank", VARIANT_FALSE},
               {L"Main", L"Missing", VARIANT_FALSE}, {L"Other", L"Name", VARIANT_FALSE}};
  for (const auto& c : cases) {
    VARIANT_BOOL exists = 7;
    ASSERT_EQ(Exists(kApp, c.section, c.key, exists), S_OK);
    EXPECT_EQ(exists, c.exists) << c.section << L"\\" << c.key;
  }
}

TEST_F(PropertySettings, ExistsRegEntryLetsTheStoresErrorReachTheCaller) {
  VARIANT_BOOL exists = 7;
  EXPECT_EQ(Exists(L"", L"Main", L"Name", exists), 0x800A0005);
}

TEST_F(PropertySettings, RegDefaultKeyWritesTheDefaultWhereNoValueIsAndKeepsOneThatIs) {
  Store(L"Main", L"Blank", L"");
  Store(L"Main", L"Name", L"kept");
  const struct {
    const char* name;
    Variant key, value;
    const wchar_t *stored_as, *stored;
  } cases[] = {
      {"absent", Variant(u"Size"), Variant(Long{15}), L"Size", L"15"},
      {"empty", Variant(u"Blank"), Variant(u"filled"), L"Blank", L"filled"},
      {"present", Variant(u"Name"), Variant(u"other"), L"Name", L"kept"},
      {"numeric key", Variant(Long{5}), Variant(true), L"5", L"True"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Variant key = c.key;
    EXPECT_EQ(Default(kApp, L"Main", key, c.value), VARIANT_TRUE);
    EXPECT_EQ(Registry(L"Main", c.stored_as), c.stored);
    EXPECT_EQ(key.Type(), c.key.Type()) << "KEY is not changed";
  }
}

class PropertySettingsLogs : public PropertySettings {
 protected:
  ErrLogFile log_{FolderOfPath(DllPath("BRIXEN_DLL"))};
  MsgBoxAnswerer answerer_{{L"ok", L"ok", L"ok"}};
};

TEST_F(PropertySettingsLogs, RegDefaultKeyLogsConversionAndStoreErrors) {
  const struct {
    const char* name;
    const wchar_t* app;
    Variant key, value;
  } cases[] = {
      {"Null value", kApp, Variant(u"Size"), Variant::Null()},
      {"Null key", kApp, Variant::Null(), Variant(Long{1})},
      {"no application", L"", Variant(u"Size"), Variant(Long{1})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Variant key = c.key;
    EXPECT_EQ(Default(c.app, L"Main", key, c.value), VARIANT_FALSE);
  }
  ASSERT_EQ(answerer_.Boxes().size(), 3u);
  for (const RecordedBox& box : answerer_.Boxes()) EXPECT_NE(box.text.find(L"RegDefaultKey"), std::wstring::npos);
  EXPECT_NE(log_.Bytes().find("RegDefaultKey"), std::string::npos);
  EXPECT_EQ(Registry(L"Main", L"Size"), L"<absent>");
}

// ---- text in the system code page

class PropertyProfileBilingual : public PropertyProfile {};

// Japanese section, key and value: on a Japanese system they reach the file in code page 932
// and come back whole; elsewhere they pass the system code page as it can hold them.
TEST_F(PropertyProfileBilingual, TextsPassTheSystemCodePage) {
  const std::wstring section = L"設定", key = L"名前", value = L"ブリクセン 表示";
  EXPECT_EQ(Write(section, key, Variant(String(value.begin(), value.end())), ini_), VARIANT_TRUE);
  EXPECT_EQ(ReadBytes(ini_), "[" + Ansi(section) + "]\r\n" + Ansi(key) + "=" + Ansi(value) + "\r\n");
  const std::wstring read = Text(section, key, ini_);
  const String expected = win::FromAnsi(Ansi(value));
  EXPECT_EQ(read, std::wstring(expected.begin(), expected.end()));
  if (GetACP() == 932) {
    EXPECT_EQ(read, value);
    EXPECT_EQ(Ansi(value), win::ToAnsi(u"ブリクセン 表示", 932));
  }
}

TEST_F(PropertyProfileBilingual, AFileWrittenInTheCodePageIsReadBack) {
  if (GetACP() != 932) GTEST_SKIP() << "Japanese names need code page 932";
  WriteBytes(ini_, win::ToAnsi(u"[部門]\r\n数=42\r\n名=営業部\r\n"));
  EXPECT_EQ(Int(L"部門", L"数", ini_), 42);
  EXPECT_EQ(Text(L"部門", L"名", ini_), L"営業部");
  EXPECT_EQ(Text(L"部門", L"無い", ini_), kAbsentText);
}

// 2,559 bytes of double-byte characters end in the middle of one: the half character is not
// read as a character of its own.
TEST_F(PropertyProfileBilingual, ALongDoubleByteValueIsCutToWholeCharacters) {
  if (GetACP() != 932) GTEST_SKIP() << "double-byte characters need code page 932";
  const std::wstring value(1500, L'あ');
  WriteBytes(ini_, "[Main]\r\nLong=" + Ansi(value) + "\r\n");
  EXPECT_EQ(Text(L"Main", L"Long", ini_), value.substr(0, 1279));
}

}  // namespace
}  // namespace brixen::test
