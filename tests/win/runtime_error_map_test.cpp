#include "frame/win/runtime_errors.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "frame/errors.h"

namespace brixen::win {
namespace {

struct ErrorCase {
  DWORD win32;
  Long number;
};

class RuntimeErrorMap : public testing::TestWithParam<ErrorCase> {};

TEST_P(RuntimeErrorMap, MapsToTheRunTimeNumber) {
  EXPECT_EQ(RuntimeErrorFromWin32(GetParam().win32), GetParam().number) << "Win32 error " << GetParam().win32;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RuntimeErrorMap,
    testing::Values(ErrorCase{ERROR_FILE_NOT_FOUND, 53}, ErrorCase{ERROR_PATH_NOT_FOUND, 76},
                    ErrorCase{ERROR_TOO_MANY_OPEN_FILES, 67}, ErrorCase{ERROR_ACCESS_DENIED, 75},
                    ErrorCase{ERROR_SHARING_VIOLATION, 70}, ErrorCase{ERROR_LOCK_VIOLATION, 70},
                    ErrorCase{ERROR_WRITE_PROTECT, 70}, ErrorCase{ERROR_NOT_READY, 71},
                    ErrorCase{ERROR_NO_MEDIA_IN_DRIVE, 71}, ErrorCase{ERROR_DISK_FULL, 61},
                    ErrorCase{ERROR_HANDLE_DISK_FULL, 61}, ErrorCase{ERROR_INVALID_NAME, 52},
                    ErrorCase{ERROR_FILENAME_EXCED_RANGE, 64}, ErrorCase{ERROR_FILE_EXISTS, 58},
                    ErrorCase{ERROR_ALREADY_EXISTS, 58}, ErrorCase{ERROR_INVALID_DRIVE, 68},
                    ErrorCase{ERROR_DIR_NOT_EMPTY, 75}, ErrorCase{ERROR_NOT_SAME_DEVICE, 74},
                    ErrorCase{ERROR_CRC, 57}, ErrorCase{ERROR_BAD_NETPATH, 76},
                    ErrorCase{ERROR_NOT_ENOUGH_MEMORY, 7}, ErrorCase{ERROR_HANDLE_EOF, 62},
                    ErrorCase{ERROR_INVALID_PARAMETER, 5},
                    ErrorCase{ERROR_SUCCESS, 75},        // codes without a match
                    ErrorCase{0xFFFFFFFFu, 75}));

TEST(RuntimeErrorMapRaise, RaisesTheMappedNumberOfTheLastError) {
  ::SetLastError(ERROR_FILE_NOT_FOUND);
  try {
    RaiseLastError();
    FAIL() << "no error raised";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), kErrFileNotFound);
  }
}

}  // namespace
}  // namespace brixen::win
