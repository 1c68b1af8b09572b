// QUENTA01.DLL as a file on disk, both builds: what a loader and regsvr32 see before any code
// runs. The PE headers are parsed here from the raw bytes (a 64-bit test process cannot load the
// 32-bit DLL), and checked against one table of expectations per build:
//   - machine, DLL flag and optional-header kind (PE32+ / PE32);
//   - the exports: exactly the five COM server entry points, undecorated, under the name QUENTA01.DLL;
//   - the imports: only DLLs that every Windows system ships, so the DLL runs without a compiler
//     runtime (libstdc++, libgcc, winpthread) beside it;
//   - the resources: the version block with the file version, and the embedded type library.
//
// The files come from BRIXEN_DLL64 and BRIXEN_DLL32 (Windows paths); a build whose variable is
// unset is skipped. Every read is bounds-checked: a malformed file throws PeError, which the test
// reports as its failure.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace brixen {
namespace {

// ---------------------------------------------------------------------------------------------
// Expectations

struct Build {
  const char* label;
  const char* variable;  // environment variable naming the DLL
  WORD machine;
  WORD magic;            // optional-header kind
};

const Build kBuilds[] = {
    {"x64", "BRIXEN_DLL64", IMAGE_FILE_MACHINE_AMD64, IMAGE_NT_OPTIONAL_HDR64_MAGIC},
    {"x86", "BRIXEN_DLL32", IMAGE_FILE_MACHINE_I386, IMAGE_NT_OPTIONAL_HDR32_MAGIC},
};

void PrintTo(const Build& build, std::ostream* os) { *os << build.label; }

const std::vector<std::string> kExports = {"DllCanUnloadNow", "DllGetClassObject", "DllInstall",
                                           "DllRegisterServer", "DllUnregisterServer"};
const char kModuleName[] = "QUENTA01.DLL";

// DLLs of the system itself, lower case.
const std::vector<std::string> kSystemDlls = {
    "kernel32.dll", "user32.dll",   "gdi32.dll",    "advapi32.dll", "ole32.dll",
    "oleaut32.dll", "shell32.dll",  "shlwapi.dll",  "comdlg32.dll", "comctl32.dll",
    "winspool.drv", "imm32.dll",    "version.dll",  "msvcrt.dll",   "ws2_32.dll",
    "iphlpapi.dll",
};
const char kApiSetPrefix[] = "api-ms-win-";  // forwarders to the system DLLs

const char kFileVersion[] = "1.0.0.584";
const WORD kTypeLibId = 1;

// ---------------------------------------------------------------------------------------------
// Reading the file

struct PeError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Bytes of a file or of a part of it; every read checks that it lies inside.
class Bytes {
 public:
  explicit Bytes(std::vector<uint8_t> data) : data_(std::move(data)) {}

  uint64_t size() const { return data_.size(); }

  template <class T>
  T Read(uint64_t offset, const char* what) const {
    Check(offset, sizeof(T), what);
    T value;
    std::memcpy(&value, data_.data() + offset, sizeof(T));
    return value;
  }

  // A NUL-terminated ANSI string.
  std::string CString(uint64_t offset, const char* what) const {
    Check(offset, 1, what);
    const auto begin = data_.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto end = std::find(begin, data_.end(), uint8_t{0});
    if (end == data_.end()) throw PeError(std::string(what) + ": string runs past the end of the file");
    return std::string(begin, end);
  }

  Bytes Slice(uint64_t offset, uint64_t length, const char* what) const {
    Check(offset, length, what);
    const auto begin = data_.begin() + static_cast<std::ptrdiff_t>(offset);
    return Bytes(std::vector<uint8_t>(begin, begin + static_cast<std::ptrdiff_t>(length)));
  }

 private:
  void Check(uint64_t offset, uint64_t length, const char* what) const {
    if (offset > data_.size() || length > data_.size() - offset)
      throw PeError(std::string(what) + ": lies outside the file (offset " + std::to_string(offset) + ", " +
                    std::to_string(length) + " bytes, file " + std::to_string(data_.size()) + ")");
  }

  std::vector<uint8_t> data_;
};

// A resource type or name: a number, or a string compared without regard to case.
struct ResourceKey {
  WORD id;
  const char* name;  // nullptr for a numeric key
};

class PeImage {
 public:
  // Parses the headers and the section table.
  explicit PeImage(std::vector<uint8_t> data) : file_(std::move(data)) {
    const auto dos = file_.Read<IMAGE_DOS_HEADER>(0, "DOS header");
    if (dos.e_magic != IMAGE_DOS_SIGNATURE) throw PeError("no MZ signature");
    const uint64_t nt = static_cast<DWORD>(dos.e_lfanew);
    if (file_.Read<DWORD>(nt, "PE signature") != IMAGE_NT_SIGNATURE) throw PeError("no PE signature");
    header = file_.Read<IMAGE_FILE_HEADER>(nt + 4, "file header");
    const uint64_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
    magic = file_.Read<WORD>(optional, "optional header magic");
    if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
      ReadOptionalHeader(file_.Read<IMAGE_OPTIONAL_HEADER64>(optional, "optional header"));
    } else if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
      ReadOptionalHeader(file_.Read<IMAGE_OPTIONAL_HEADER32>(optional, "optional header"));
    } else {
      throw PeError("unknown optional header magic " + std::to_string(magic));
    }
    const uint64_t table = optional + header.SizeOfOptionalHeader;
    for (WORD i = 0; i < header.NumberOfSections; ++i)
      sections_.push_back(file_.Read<IMAGE_SECTION_HEADER>(table + i * sizeof(IMAGE_SECTION_HEADER), "section table"));
  }

  IMAGE_FILE_HEADER header{};
  WORD magic = 0;

  struct Exports {
    std::string module;
    DWORD functions = 0;             // entries of the address table
    std::vector<std::string> names;  // sorted
  };

  Exports ReadExports() const {
    const IMAGE_DATA_DIRECTORY dir = Directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
    if (dir.VirtualAddress == 0) throw PeError("no export directory");
    const auto table = file_.Read<IMAGE_EXPORT_DIRECTORY>(Offset(dir.VirtualAddress), "export directory");
    Exports exports;
    exports.module = file_.CString(Offset(table.Name), "export module name");
    exports.functions = table.NumberOfFunctions;
    for (DWORD i = 0; i < table.NumberOfNames; ++i) {
      const auto name = file_.Read<DWORD>(Offset(uint64_t{table.AddressOfNames} + 4 * uint64_t{i}), "export name table");
      exports.names.push_back(file_.CString(Offset(name), "export name"));
    }
    std::sort(exports.names.begin(), exports.names.end());
    return exports;
  }

  // Every DLL named by the import table, as written in the file.
  std::vector<std::string> ReadImportedDlls() const {
    std::vector<std::string> dlls;
    const IMAGE_DATA_DIRECTORY imports = Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    if (imports.VirtualAddress == 0) return dlls;
    // The table ends with an empty descriptor; each one read must lie in a section.
    for (uint64_t rva = imports.VirtualAddress;; rva += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
      const auto entry = file_.Read<IMAGE_IMPORT_DESCRIPTOR>(Offset(rva), "import descriptor");
      if (entry.Name == 0) break;
      dlls.push_back(file_.CString(Offset(entry.Name), "imported DLL name"));
    }
    return dlls;
  }

  // The data of a resource in any language; nothing when the tree has no such type or name.
  std::optional<Bytes> Resource(ResourceKey type, ResourceKey name) const {
    const IMAGE_DATA_DIRECTORY dir = Directory(IMAGE_DIRECTORY_ENTRY_RESOURCE);
    if (dir.VirtualAddress == 0) return std::nullopt;
    const uint64_t root = Offset(dir.VirtualAddress);
    // Three levels: type, name, language. Offsets in the tree count from its root.
    const std::optional<DWORD> names = FindEntry(root, root, type);
    if (!names) return std::nullopt;
    const std::optional<DWORD> languages = FindEntry(root, SubDirectory(root, *names), name);
    if (!languages) return std::nullopt;
    const uint64_t language_dir = SubDirectory(root, *languages);
    const auto languages_header = file_.Read<IMAGE_RESOURCE_DIRECTORY>(language_dir, "resource directory");
    if (languages_header.NumberOfNamedEntries + languages_header.NumberOfIdEntries == 0) return std::nullopt;
    const auto first = file_.Read<IMAGE_RESOURCE_DIRECTORY_ENTRY>(language_dir + sizeof(IMAGE_RESOURCE_DIRECTORY),
                                                                  "resource entry");
    if (first.OffsetToData & IMAGE_RESOURCE_DATA_IS_DIRECTORY) throw PeError("resource tree deeper than three levels");
    const auto data = file_.Read<IMAGE_RESOURCE_DATA_ENTRY>(root + first.OffsetToData, "resource data entry");
    return file_.Slice(Offset(data.OffsetToData), data.Size, "resource data");
  }

 private:
  template <class OptionalHeader>
  void ReadOptionalHeader(const OptionalHeader& h) {
    const DWORD count = std::min<DWORD>(h.NumberOfRvaAndSizes, IMAGE_NUMBEROF_DIRECTORY_ENTRIES);
    directories_.assign(h.DataDirectory, h.DataDirectory + count);
  }

  IMAGE_DATA_DIRECTORY Directory(int index) const {
    return static_cast<size_t>(index) < directories_.size() ? directories_[index] : IMAGE_DATA_DIRECTORY{};
  }

  // File offset of an RVA: the section whose raw data holds it.
  uint64_t Offset(uint64_t rva) const {
    for (const IMAGE_SECTION_HEADER& s : sections_) {
      if (rva >= s.VirtualAddress && rva - s.VirtualAddress < s.SizeOfRawData)
        return uint64_t{s.PointerToRawData} + (rva - s.VirtualAddress);
    }
    throw PeError("RVA " + std::to_string(rva) + " lies in no section's file data");
  }

  uint64_t SubDirectory(uint64_t root, DWORD entry_data) const {
    if (!(entry_data & IMAGE_RESOURCE_DATA_IS_DIRECTORY)) throw PeError("resource tree ends above the language level");
    return root + (entry_data & ~DWORD{IMAGE_RESOURCE_DATA_IS_DIRECTORY});
  }

  // The OffsetToData of the entry of directory `dir` that matches `key`.
  std::optional<DWORD> FindEntry(uint64_t root, uint64_t dir, ResourceKey key) const {
    const auto h = file_.Read<IMAGE_RESOURCE_DIRECTORY>(dir, "resource directory");
    const unsigned count = unsigned{h.NumberOfNamedEntries} + h.NumberOfIdEntries;
    for (unsigned i = 0; i < count; ++i) {
      const auto entry = file_.Read<IMAGE_RESOURCE_DIRECTORY_ENTRY>(
          dir + sizeof(IMAGE_RESOURCE_DIRECTORY) + i * sizeof(IMAGE_RESOURCE_DIRECTORY_ENTRY), "resource entry");
      const bool named = entry.Name & IMAGE_RESOURCE_NAME_IS_STRING;
      const bool match = key.name ? named && Lower(ResourceName(root, entry.Name)) == Lower(key.name)
                                  : !named && (entry.Name & 0xFFFF) == key.id && (entry.Name >> 16) == 0;
      if (match) return entry.OffsetToData;
    }
    return std::nullopt;
  }

  // A resource name: a counted UTF-16 string; characters outside ASCII become '?'.
  std::string ResourceName(uint64_t root, DWORD entry_name) const {
    const uint64_t at = root + (entry_name & ~DWORD{IMAGE_RESOURCE_NAME_IS_STRING});
    const WORD length = file_.Read<WORD>(at, "resource name");
    std::string name;
    for (WORD i = 0; i < length; ++i) {
      const auto c = file_.Read<WCHAR>(at + 2 + 2 * uint64_t{i}, "resource name");
      name += c < 128 ? static_cast<char>(c) : '?';
    }
    return name;
  }

  Bytes file_;
  std::vector<IMAGE_DATA_DIRECTORY> directories_;
  std::vector<IMAGE_SECTION_HEADER> sections_;
};

std::string Join(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

// ---------------------------------------------------------------------------------------------
// Tests

class PeImageTest : public ::testing::TestWithParam<Build> {
 protected:
  void SetUp() override {
    const char* path = std::getenv(GetParam().variable);
    if (!path || !*path) GTEST_SKIP() << GetParam().variable << " is not set";
    path_ = path;
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "cannot open " << path_;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    ASSERT_GE(size, 0) << "cannot size " << path_;
    std::vector<uint8_t> data(static_cast<size_t>(size));
    in.seekg(0);
    ASSERT_TRUE(in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()))) << path_;
    try {
      image_.emplace(std::move(data));
    } catch (const PeError& e) {
      FAIL() << path_ << ": " << e.what();
    }
  }

  const PeImage& image() const { return *image_; }

  std::string path_;
  std::optional<PeImage> image_;
};

TEST_P(PeImageTest, IsADllForItsMachine) {
  const Build& build = GetParam();
  EXPECT_EQ(image().header.Machine, build.machine) << path_;
  EXPECT_TRUE(image().header.Characteristics & IMAGE_FILE_DLL) << path_ << " is not marked as a DLL";
  EXPECT_TRUE(image().header.Characteristics & IMAGE_FILE_EXECUTABLE_IMAGE) << path_;
  EXPECT_EQ(image().magic, build.magic) << path_ << ": optional header of the wrong kind";
}

TEST_P(PeImageTest, ExportsExactlyTheServerEntryPointsUndecorated) {
  const PeImage::Exports exports = image().ReadExports();
  EXPECT_STRCASEEQ(exports.module.c_str(), kModuleName);
  EXPECT_EQ(exports.names, kExports) << "exported: " << Join(exports.names);
  for (const std::string& name : exports.names) {
    EXPECT_EQ(name.find('@'), std::string::npos) << name << " carries a stdcall decoration";
    EXPECT_NE(name.rfind('_', 0), 0u) << name << " carries a leading underscore";
  }
  EXPECT_EQ(exports.functions, exports.names.size()) << "exports reachable by ordinal only";
}

TEST_P(PeImageTest, ImportsOnlyTheSystemsOwnDlls) {
  const std::vector<std::string> dlls = image().ReadImportedDlls();
  EXPECT_FALSE(dlls.empty()) << "no import table";
  for (const std::string& dll : dlls) {
    const std::string lower = Lower(dll);
    const bool system = std::find(kSystemDlls.begin(), kSystemDlls.end(), lower) != kSystemDlls.end() ||
                        lower.rfind(kApiSetPrefix, 0) == 0;
    EXPECT_TRUE(system) << GetParam().label << " build imports " << dll
                        << ", which is not a system DLL (a runtime linked dynamically?); imports: " << Join(dlls);
  }
}

TEST_P(PeImageTest, VersionResourceCarriesTheFileVersion) {
  const std::optional<Bytes> block = image().Resource({LOWORD(RT_VERSION), nullptr}, {VS_VERSION_INFO, nullptr});
  ASSERT_TRUE(block) << "no version resource";
  // VS_VERSIONINFO: wLength, wValueLength, wType, L"VS_VERSION_INFO\0", padding to 4, VS_FIXEDFILEINFO.
  static const char16_t kKey[] = u"VS_VERSION_INFO";
  const uint64_t key_end = 6 + sizeof kKey;
  std::u16string key;
  for (uint64_t at = 6; at + 2 < key_end; at += 2) key += block->Read<char16_t>(at, "version key");
  EXPECT_EQ(key, kKey) << "version block key";
  const auto value_length = block->Read<WORD>(2, "version value length");
  ASSERT_GE(size_t{value_length}, sizeof(VS_FIXEDFILEINFO)) << "version block without fixed file information";
  const auto info = block->Read<VS_FIXEDFILEINFO>((key_end + 3) & ~uint64_t{3}, "fixed file information");
  ASSERT_EQ(info.dwSignature, static_cast<DWORD>(VS_FFI_SIGNATURE));
  const std::string version = std::to_string(HIWORD(info.dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(info.dwFileVersionMS)) + "." +
                              std::to_string(HIWORD(info.dwFileVersionLS)) + "." +
                              std::to_string(LOWORD(info.dwFileVersionLS));
  EXPECT_EQ(version, kFileVersion);
  EXPECT_EQ(info.dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_P(PeImageTest, EmbedsTheTypeLibraryAsResourceOne) {
  const std::optional<Bytes> tlb = image().Resource({0, "TYPELIB"}, {kTypeLibId, nullptr});
  ASSERT_TRUE(tlb) << "no TYPELIB resource " << kTypeLibId;
  // A type library file as widl writes it starts with "MSFT".
  EXPECT_EQ(tlb->Read<DWORD>(0, "type library header"), DWORD{0x5446534D}) << "TYPELIB 1 is not a type library";
}

INSTANTIATE_TEST_SUITE_P(, PeImageTest, ::testing::ValuesIn(kBuilds),
                         [](const ::testing::TestParamInfo<Build>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace brixen
