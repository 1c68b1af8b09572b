#include "frame/win/files.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

#include "frame/errors.h"
#include "frame/win/ansi.h"
#include "frame/win/handles.h"
#include "frame/win/runtime_errors.h"
#include "frame/win/wide.h"

namespace brixen::win {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr DWORD kMaxChunk = 1u << 30;  // bytes per ReadFile / WriteFile call

void MoveTo(HANDLE file, std::int64_t offset) {
  LARGE_INTEGER where;
  where.QuadPart = offset;
  if (!::SetFilePointerEx(file, where, nullptr, FILE_BEGIN)) RaiseLastError();
}

std::size_t ReadAt(HANDLE file, std::int64_t offset, Byte* data, std::size_t count) {
  MoveTo(file, offset);
  std::size_t done = 0;
  while (done < count) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, kMaxChunk));
    DWORD read = 0;
    if (!::ReadFile(file, data + done, chunk, &read, nullptr)) RaiseLastError();
    if (read == 0) break;
    done += read;
  }
  return done;
}

void WriteAt(HANDLE file, std::int64_t offset, const Byte* data, std::size_t count) {
  MoveTo(file, offset);
  std::size_t done = 0;
  while (done < count) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, kMaxChunk));
    DWORD written = 0;
    if (!::WriteFile(file, data + done, chunk, &written, nullptr)) RaiseLastError();
    if (written < chunk) Raise(kErrDiskFull);
    done += written;
  }
}

std::int64_t SizeOf(HANDLE file) {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file, &size)) RaiseLastError();
  return size.QuadPart;
}

String FullPath(StringView path) {
  const String name(path);
  String full(MAX_PATH, u'\0');
  for (;;) {
    const DWORD length = ::GetFullPathNameW(Wide(name), static_cast<DWORD>(full.size()), Wide(full.data()), nullptr);
    if (length == 0) RaiseLastError();
    if (length < full.size()) {
      full.resize(length);
      return full;
    }
    full.resize(length);  // too small: length is the size needed, terminator included
  }
}

bool SamePath(const String& a, const String& b) {
  return ::CompareStringOrdinal(Wide(a), static_cast<int>(a.size()), Wide(b), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

bool Sequential(OpenMode mode) { return mode == OpenMode::Output || mode == OpenMode::Append; }

// One open file with a single buffer window for reading ahead and writing behind.
// The window holds the file's bytes [start_, start_ + length_); writes land in it and
// reach the file on Flush. Transfers of a buffer's size or more bypass it.
class OpenFile {
 public:
  OpenFile(Handle handle, OpenMode mode, DWORD access, String path)
      : handle_(std::move(handle)),
        mode_(mode),
        canRead_((access & GENERIC_READ) != 0),
        canWrite_((access & GENERIC_WRITE) != 0),
        path_(std::move(path)),
        size_(SizeOf(handle_.get())),
        position_(mode == OpenMode::Append ? size_ : 0),
        buffer_(kBufferSize) {}

  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  ~OpenFile() {
    try {
      Flush();
    } catch (const RuntimeError&) {
      // Close() reports write failures; a file dropped without Close loses them.
    }
  }

  OpenMode mode() const { return mode_; }
  const String& path() const { return path_; }
  std::int64_t position() const { return position_; }

  void SetPosition(std::int64_t position) {
    position_ = position;
    pastEnd_ = false;
  }

  std::int64_t Length() {
    Flush();
    size_ = SizeOf(handle_.get());
    return size_;
  }

  bool AtEnd() const { return mode_ == OpenMode::Binary ? pastEnd_ : position_ >= size_; }

  std::size_t Read(std::span<Byte> bytes) {
    if (!canRead_) Raise(kErrPathFileAccess);
    const auto available = static_cast<std::size_t>(std::clamp<std::int64_t>(size_ - position_, 0, bytes.size()));
    const std::size_t read = available >= kBufferSize ? ReadDirect(bytes.first(available))
                                                      : ReadBuffered(bytes.first(available));
    std::fill(bytes.begin() + read, bytes.end(), Byte{0});
    position_ += static_cast<std::int64_t>(bytes.size());
    pastEnd_ = read < bytes.size();
    return read;
  }

  void Write(std::span<const Byte> bytes) {
    if (!canWrite_) Raise(kErrPathFileAccess);
    if (bytes.size() >= kBufferSize) {
      Drop();
      WriteAt(handle_.get(), position_, bytes.data(), bytes.size());
    } else {
      WriteBuffered(bytes);
    }
    position_ += static_cast<std::int64_t>(bytes.size());
    size_ = std::max(size_, position_);
  }

  // The byte at the position without moving, or -1 at the end.
  int Peek() {
    if (!canRead_) Raise(kErrPathFileAccess);
    if (position_ >= size_) return -1;
    if (!Holds(position_)) Fill(position_);
    return Holds(position_) ? buffer_[position_ - start_] : -1;
  }

  // The byte at the position, moving past it; -1 at the end.
  int Next() {
    const int c = Peek();
    if (c >= 0) ++position_;
    return c;
  }

  void Flush() {
    if (dirtyEnd_ <= dirtyBegin_) return;
    const std::size_t begin = std::exchange(dirtyBegin_, 0);
    const std::size_t end = std::exchange(dirtyEnd_, 0);
    WriteAt(handle_.get(), start_ + static_cast<std::int64_t>(begin), buffer_.data() + begin, end - begin);
  }

 private:
  std::int64_t WindowEnd() const { return start_ + static_cast<std::int64_t>(length_); }
  bool Holds(std::int64_t offset) const { return offset >= start_ && offset < WindowEnd(); }

  void Fill(std::int64_t offset) {
    Flush();
    start_ = offset;
    length_ = 0;
    length_ = ReadAt(handle_.get(), offset, buffer_.data(), buffer_.size());
  }

  void Drop() {
    Flush();
    length_ = 0;
  }

  std::size_t ReadDirect(std::span<Byte> bytes) {
    Drop();
    return ReadAt(handle_.get(), position_, bytes.data(), bytes.size());
  }

  std::size_t ReadBuffered(std::span<Byte> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const std::int64_t offset = position_ + static_cast<std::int64_t>(done);
      if (!Holds(offset)) Fill(offset);
      if (!Holds(offset)) break;  // the file is shorter than it was
      const auto from = static_cast<std::size_t>(offset - start_);
      const std::size_t count = std::min(bytes.size() - done, length_ - from);
      std::memcpy(bytes.data() + done, buffer_.data() + from, count);
      done += count;
    }
    return done;
  }

  void WriteBuffered(std::span<const Byte> bytes) {
    const auto size = static_cast<std::int64_t>(bytes.size());
    const bool fits = position_ >= start_ && position_ <= WindowEnd() &&
                      position_ + size <= start_ + static_cast<std::int64_t>(kBufferSize);
    if (!fits) {
      Flush();
      start_ = position_;
      length_ = 0;
    }
    const auto from = static_cast<std::size_t>(position_ - start_);
    std::memcpy(buffer_.data() + from, bytes.data(), bytes.size());
    length_ = std::max(length_, from + bytes.size());
    dirtyBegin_ = dirtyEnd_ > dirtyBegin_ ? std::min(dirtyBegin_, from) : from;
    dirtyEnd_ = std::max(dirtyEnd_, from + bytes.size());
  }

  Handle handle_;
  OpenMode mode_;
  bool canRead_;
  bool canWrite_;
  String path_;
  std::int64_t size_;      // the file's length, including buffered writes
  std::int64_t position_;  // 0-based offset of the next read or write
  bool pastEnd_ = false;
  std::vector<Byte> buffer_;
  std::int64_t start_ = 0;
  std::size_t length_ = 0;
  std::size_t dirtyBegin_ = 0;  // the written part of the window, [begin, end)
  std::size_t dirtyEnd_ = 0;
};

using FilePtr = std::shared_ptr<OpenFile>;

// Access and creation tried in turn for a mode; the first that opens wins.
struct Attempt {
  DWORD access;
  DWORD disposition;
};

std::vector<Attempt> AttemptsFor(OpenMode mode, Access access) {
  constexpr DWORD kReadWrite = GENERIC_READ | GENERIC_WRITE;
  switch (mode) {
    case OpenMode::Input: return {{GENERIC_READ, OPEN_EXISTING}};
    case OpenMode::Output: return {{GENERIC_WRITE, CREATE_ALWAYS}};
    case OpenMode::Append: return {{GENERIC_WRITE, OPEN_ALWAYS}};
    case OpenMode::Binary: break;
  }
  switch (access) {
    case Access::Read: return {{GENERIC_READ, OPEN_EXISTING}};
    case Access::Write: return {{GENERIC_WRITE, OPEN_ALWAYS}};
    case Access::ReadWrite: return {{kReadWrite, OPEN_ALWAYS}};
    case Access::Default: break;
  }
  return {{kReadWrite, OPEN_ALWAYS}, {GENERIC_READ, OPEN_EXISTING}, {GENERIC_WRITE, OPEN_ALWAYS}};
}

// Opens with the first attempt that works; a refusal of access moves on to the next
// attempt, any other failure (and the last refusal) raises the first attempt's error.
FilePtr OpenWithAttempts(const String& path, OpenMode mode, Access access) {
  DWORD firstError = ERROR_SUCCESS;
  for (const Attempt& attempt : AttemptsFor(mode, access)) {
    Handle handle(::CreateFileW(Wide(path), attempt.access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                attempt.disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle) return std::make_shared<OpenFile>(std::move(handle), mode, attempt.access, path);
    const DWORD error = ::GetLastError();
    if (firstError == ERROR_SUCCESS) firstError = error;
    if (error != ERROR_ACCESS_DENIED) break;
  }
  RaiseWin32(firstError);
}

class TableLock {
 public:
  explicit TableLock(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
  TableLock(const TableLock&) = delete;
  TableLock& operator=(const TableLock&) = delete;
  ~TableLock() { ::ReleaseSRWLockExclusive(&lock_); }

 private:
  SRWLOCK& lock_;
};

// The process's file numbers. The lock guards the slots; an operation holds its own
// reference to the file, so a Close on another thread cannot pull it away mid-call.
class FileTable {
 public:
  Long FreeNumber(Long range) {
    if (range != 0 && range != 1) Raise(kErrInvalidCall);
    const Long first = range == 0 ? 1 : 256;
    const Long last = range == 0 ? 255 : kMaxFileNumber;
    TableLock guard(lock_);
    for (Long number = first; number <= last; ++number) {
      if (!files_[number]) return number;
    }
    Raise(kErrTooManyFiles);
  }

  void Open(Long number, StringView path, OpenMode mode, Access access) {
    RequireInRange(number);
    const String full = FullPath(path);
    TableLock guard(lock_);
    if (files_[number] || ConflictsWithOpen(full, mode)) Raise(kErrFileAlreadyOpen);
    files_[number] = OpenWithAttempts(full, mode, access);
  }

  FilePtr Take(Long number) {
    RequireInRange(number);
    TableLock guard(lock_);
    return std::exchange(files_[number], nullptr);
  }

  FilePtr Find(Long number) {
    RequireInRange(number);
    TableLock guard(lock_);
    if (!files_[number]) Raise(kErrBadFileNameOrNumber);
    return files_[number];
  }

 private:
  static void RequireInRange(Long number) {
    if (number < 1 || number > kMaxFileNumber) Raise(kErrBadFileNameOrNumber);
  }

  // A file may be open under several numbers for Input and Binary, but a file open for
  // Output or Append is open only once.
  bool ConflictsWithOpen(const String& full, OpenMode mode) const {
    return std::any_of(files_.begin(), files_.end(), [&](const FilePtr& file) {
      return file && (Sequential(mode) || Sequential(file->mode())) && SamePath(file->path(), full);
    });
  }

  SRWLOCK lock_ = SRWLOCK_INIT;
  std::array<FilePtr, kMaxFileNumber + 1> files_;
};

FileTable& Table() {
  static FileTable table;
  return table;
}

FilePtr FindInModes(Long number, std::initializer_list<OpenMode> modes) {
  FilePtr file = Table().Find(number);
  if (std::find(modes.begin(), modes.end(), file->mode()) == modes.end()) Raise(kErrBadFileMode);
  return file;
}

std::int64_t ZeroBased(std::int64_t position) {
  if (position < 1) Raise(kErrBadRecordNumber);
  return position - 1;
}

void WriteText(Long number, StringView text, bool lineEnd) {
  const FilePtr file = FindInModes(number, {OpenMode::Output, OpenMode::Append});
  std::string bytes = ToAnsi(text);
  if (lineEnd) bytes += "\r\n";
  file->Write(std::span(reinterpret_cast<const Byte*>(bytes.data()), bytes.size()));
}

}  // namespace

Long FreeFile(Long range) { return Table().FreeNumber(range); }

void Open(Long number, StringView path, OpenMode mode, Access access) { Table().Open(number, path, mode, access); }

void Close(Long number) {
  if (const FilePtr file = Table().Take(number)) file->Flush();
}

void CloseAll() {
  std::exception_ptr first;
  for (Long number = 1; number <= kMaxFileNumber; ++number) {
    try {
      Close(number);
    } catch (const RuntimeError&) {
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

std::int64_t LOF(Long number) { return Table().Find(number)->Length(); }

bool Eof(Long number) { return Table().Find(number)->AtEnd(); }

std::int64_t Seek(Long number) { return Table().Find(number)->position() + 1; }

void Seek(Long number, std::int64_t position) { Table().Find(number)->SetPosition(ZeroBased(position)); }

std::size_t Get(Long number, std::span<Byte> bytes) { return FindInModes(number, {OpenMode::Binary})->Read(bytes); }

std::size_t Get(Long number, std::int64_t position, std::span<Byte> bytes) {
  const FilePtr file = FindInModes(number, {OpenMode::Binary});
  file->SetPosition(ZeroBased(position));
  return file->Read(bytes);
}

void Put(Long number, std::span<const Byte> bytes) { FindInModes(number, {OpenMode::Binary})->Write(bytes); }

void Put(Long number, std::int64_t position, std::span<const Byte> bytes) {
  const FilePtr file = FindInModes(number, {OpenMode::Binary});
  file->SetPosition(ZeroBased(position));
  file->Write(bytes);
}

String LineInput(Long number) {
  const FilePtr file = FindInModes(number, {OpenMode::Input, OpenMode::Binary});
  if (file->Peek() < 0) Raise(kErrInputPastEnd);
  std::string line;
  int c = file->Next();
  for (; c >= 0 && c != '\r' && c != '\n'; c = file->Next()) line += static_cast<char>(c);
  if (c == '\r' && file->Peek() == '\n') file->Next();
  return FromAnsi(line);
}

void PrintLine(Long number, StringView text) { WriteText(number, text, true); }

void Print(Long number, StringView text) { WriteText(number, text, false); }

FileNumber::FileNumber(StringView path, OpenMode mode, Access access) {
  const Long number = FreeFile();
  Open(number, path, mode, access);
  number_ = number;
}

FileNumber::FileNumber(FileNumber&& other) noexcept : number_(std::exchange(other.number_, 0)) {}

FileNumber& FileNumber::operator=(FileNumber&& other) noexcept {
  if (this != &other) {
    CloseQuietly();
    number_ = std::exchange(other.number_, 0);
  }
  return *this;
}

FileNumber::~FileNumber() { CloseQuietly(); }

void FileNumber::Close() {
  if (number_ != 0) win::Close(std::exchange(number_, 0));
}

void FileNumber::CloseQuietly() noexcept {
  try {
    Close();
  } catch (const RuntimeError&) {
    // Nothing to report to from a destructor; Close() is there for callers who care.
  }
}

}  // namespace brixen::win
