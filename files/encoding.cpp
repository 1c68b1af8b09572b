// clsFILE: EnCode and DeCode, a copy with every byte shifted up or down by one.
//
// The converted bytes go to a new file beside the destination, which then takes the
// destination's place in one rename: a failure at any point (unreadable source, full disk, a
// destination held open elsewhere) leaves an existing destination, and a source converted in
// place, exactly as they were. The file is converted in large blocks, so memory stays small
// and a large file goes at the speed of a copy.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "files/clsFILE.h"
#include "frame/errors.h"
#include "frame/win/files.h"
#include "frame/win/runtime_errors.h"
#include "frame/win/wide.h"

namespace brixen {
namespace {

constexpr std::int64_t kBlockSize = 4 << 20;
constexpr Byte kUp = 1;
constexpr Byte kDown = 0xFF;  // adding 255 is subtracting 1, modulo 256

// Sixteen bytes per step: the compiler does not vectorise the plain loop at this optimisation
// level, and a byte at a time would cost more than reading and writing the file.
using ByteLanes = Byte __attribute__((vector_size(16)));

void ShiftBytes(std::span<Byte> bytes, Byte amount) {
  std::size_t i = 0;
  for (; i + sizeof(ByteLanes) <= bytes.size(); i += sizeof(ByteLanes)) {
    ByteLanes lanes;
    std::memcpy(&lanes, bytes.data() + i, sizeof(lanes));
    lanes += amount;
    std::memcpy(bytes.data() + i, &lanes, sizeof(lanes));
  }
  for (; i < bytes.size(); ++i) bytes[i] = static_cast<Byte>(bytes[i] + amount);
}

String FullPathOf(const String& path) {
  std::vector<wchar_t> full(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetFullPathNameW(win::Wide(path), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) win::RaiseLastError();
    if (length < full.size()) return win::FromWide(full.data(), length);
    full.resize(length);
  }
}

// A new, empty file in the folder of `destination` that takes its place on Commit and is
// removed if it never does. An existing destination's attributes carry over to it.
class PendingFile {
 public:
  explicit PendingFile(const String& destination) : destination_(FullPathOf(destination)) {
    const String folder = destination_.substr(0, destination_.find_last_of(u'\\') + 1);
    wchar_t name[MAX_PATH];
    if (!::GetTempFileNameW(win::Wide(folder), L"brx", 0, name)) win::RaiseLastError();
    path_ = win::FromWide(name);
  }
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile() {
    if (!committed_) ::DeleteFileW(win::Wide(path_));
  }

  const String& path() const { return path_; }

  void Commit() {
    const DWORD attributes = ::GetFileAttributesW(win::Wide(destination_));
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) Raise(kErrPathFileAccess);
      ::SetFileAttributesW(win::Wide(path_), attributes);
    }
    if (!::MoveFileExW(win::Wide(path_), win::Wide(destination_), MOVEFILE_REPLACE_EXISTING)) {
      win::RaiseLastError();
    }
    committed_ = true;
  }

 private:
  String destination_;
  String path_;
  bool committed_ = false;
};

// Reads the whole source block by block, shifts each block and writes it to a pending file
// that replaces the destination once everything is written.
void ShiftFile(const String& source, const String& destination, Byte amount) {
  win::FileNumber in(source, win::OpenMode::Binary, win::Access::Read);
  const std::int64_t length = win::LOF(in);
  if (length == 0) Raise(kErrSubscript);  // no byte to hold: the run-time's empty buffer
  PendingFile pending(destination);
  {
    win::FileNumber out(pending.path(), win::OpenMode::Binary, win::Access::Write);
    std::vector<Byte> block(static_cast<std::size_t>(std::min(length, kBlockSize)));
    for (std::int64_t done = 0; done < length; done += static_cast<std::int64_t>(block.size())) {
      const std::span<Byte> part(block.data(),
                                 static_cast<std::size_t>(std::min<std::int64_t>(block.size(), length - done)));
      if (win::Get(in, part) != part.size()) Raise(kErrInputPastEnd);  // the source shrank meanwhile
      ShiftBytes(part, amount);
      win::Put(out, part);
    }
    out.Close();
  }
  in.Close();
  pending.Commit();
}

}  // namespace

Boolean clsFILE::EnCode(const String& sSrcFullFname, const String& sDestFullFname) {
  return log_.Handle<Boolean>(u"EnCode", [&](Boolean& r) {
    ShiftFile(sSrcFullFname, sDestFullFname, kUp);
    r = true;
  });
}

Boolean clsFILE::DeCode(const String& sSrcFullFname, const String& sDestFullFname) {
  return log_.Handle<Boolean>(u"DeCode", [&](Boolean& r) {
    ShiftFile(sSrcFullFname, sDestFullFname, kDown);
    r = true;
  });
}

}  // namespace brixen
