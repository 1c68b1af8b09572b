// The run-time's file numbers: a per-process table of open files 1..511.
//
// Positions are 1-based byte positions, as the run-time counts them. Paths go to the
// wide (UTF-16) file calls, so any name the file system holds can be opened; text
// written and read by lines is in the system ANSI code page.
//
// Errors: 52 a number that is out of range or not open, 54 an operation the file's mode
// does not allow, 55 a number already in use or a file already open for Output or Append,
// 62 a line read at the end, 63 a position below 1, 67 no free number, 75 a read on a
// write-only or a write on a read-only file, and the open's own errors (53, 76, 70, 75, ...).
#pragma once
#include <cstdint>
#include <span>

#include "frame/types.h"

namespace brixen::win {

enum class OpenMode { Input, Output, Append, Binary };

// For Binary: Default tries read/write, then read only, then write only, as the run-time
// does; Read needs an existing file; Write and ReadWrite create one. The other modes have
// fixed access (Input reads, Output and Append write).
enum class Access { Default, Read, Write, ReadWrite };

inline constexpr Long kMaxFileNumber = 511;

// The lowest free number: range 0 gives 1..255, range 1 gives 256..511. 67 when none is free.
Long FreeFile(Long range = 0);

// Input: the file must exist. Output: created or emptied. Append: created if absent, the
// position at its end. Binary: created if absent (unless Access::Read), position 1.
void Open(Long number, StringView path, OpenMode mode, Access access = Access::Default);

// Writes what is buffered and closes; a number that is not open is no error.
void Close(Long number);
void CloseAll();

std::int64_t LOF(Long number);  // length in bytes, including what is still buffered

// End of file: for Binary, whether the last Get ran past the end; for the other modes,
// whether the position lies at or beyond the end.
bool Eof(Long number);

std::int64_t Seek(Long number);                  // the position of the next read or write
void Seek(Long number, std::int64_t position);  // may lie beyond the end

// Binary reads of bytes.size() bytes at the current or the given position. Bytes beyond
// the end of the file read as 0, the position advances by the full size and Eof turns
// true; the result is the number of bytes that came from the file.
std::size_t Get(Long number, std::span<Byte> bytes);
std::size_t Get(Long number, std::int64_t position, std::span<Byte> bytes);

// Binary writes at the current or the given position; a position beyond the end extends
// the file (the gap reads as zeros).
void Put(Long number, std::span<const Byte> bytes);
void Put(Long number, std::int64_t position, std::span<const Byte> bytes);

// Input and Binary: the next line, ended by CR LF, CR or LF (the end is not returned),
// converted from the ANSI code page. 62 when the position is at the end.
String LineInput(Long number);

// Output and Append: the text in the ANSI code page, with (PrintLine) or without (Print)
// a CR LF after it.
void PrintLine(Long number, StringView text = {});
void Print(Long number, StringView text);

// Takes a free number, opens the file under it and closes it when it goes out of scope.
class FileNumber {
 public:
  FileNumber(StringView path, OpenMode mode, Access access = Access::Default);
  FileNumber(FileNumber&& other) noexcept;
  FileNumber& operator=(FileNumber&& other) noexcept;
  FileNumber(const FileNumber&) = delete;
  FileNumber& operator=(const FileNumber&) = delete;
  ~FileNumber();

  Long get() const noexcept { return number_; }
  operator Long() const noexcept { return number_; }

  // Closes now, raising what writing the buffered data raises.
  void Close();

 private:
  void CloseQuietly() noexcept;
  Long number_ = 0;
};

}  // namespace brixen::win
