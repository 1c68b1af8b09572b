// clsFILE.EnCode of a large file against the platform's CopyFileW of the same file, timed in the
// same run: both read every byte and write a new file of the same length, so the ratio shows
// what the byte shift and the safe replacement cost on top of a copy.
//
//   brixen_encode_bench.exe [rounds=3] [MiB=256]
#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "brixen.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsOf(const auto& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool WriteSource(const std::wstring& path, std::size_t mebibytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::vector<unsigned char> block(1 << 20);
  bool ok = true;
  for (std::size_t i = 0; i < mebibytes && ok; ++i) {
    for (std::size_t j = 0; j < block.size(); ++j) block[j] = static_cast<unsigned char>(j * 31 + i);
    DWORD written = 0;
    ok = WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) && written == block.size();
  }
  CloseHandle(file);
  return ok;
}

long long SizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const std::size_t mebibytes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 256;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring source = std::wstring(temp) + L"brixen-encode-bench.src";
  const std::wstring copied = std::wstring(temp) + L"brixen-encode-bench.copy";
  const std::wstring encoded = std::wstring(temp) + L"brixen-encode-bench.enc";
  if (!WriteSource(source, mebibytes)) {
    std::puts("FAIL cannot write the source file");
    return 1;
  }

  CoInitialize(nullptr);
  _clsFILE* files = nullptr;
  if (FAILED(CoCreateInstance(CLSID_clsFILE, nullptr, CLSCTX_INPROC_SERVER, IID__clsFILE,
                              reinterpret_cast<void**>(&files)))) {
    std::puts("FAIL cannot create BRIXEN.clsFILE");
    return 1;
  }
  BSTR from = SysAllocString(source.c_str());
  BSTR to = SysAllocString(encoded.c_str());
  double bestCopy = 1e300, bestEncode = 1e300;
  bool ok = true;
  for (int round = 0; round < rounds && ok; ++round) {
    DeleteFileW(copied.c_str());
    DeleteFileW(encoded.c_str());
    bestCopy = std::min(bestCopy, MillisecondsOf([&] { ok = ok && CopyFileW(source.c_str(), copied.c_str(), FALSE); }));
    VARIANT_BOOL written = VARIANT_FALSE;
    bestEncode = std::min(bestEncode, MillisecondsOf([&] { ok = ok && SUCCEEDED(files->EnCode(from, to, &written)); }));
    ok = ok && written == VARIANT_TRUE && SizeOf(encoded) == SizeOf(source) && SizeOf(copied) == SizeOf(source);
  }
  SysFreeString(from);
  SysFreeString(to);
  files->Release();
  CoUninitialize();
  for (const auto& path : {source, copied, encoded}) DeleteFileW(path.c_str());
  if (!ok) {
    std::puts("FAIL a copy or an EnCode did not write the whole file");
    return 1;
  }
  std::printf("%-30s %10s %10s %7s\n", "(best of rounds, ms)", "EnCode", "CopyFileW", "ratio");
  std::printf("EnCode %zu MiB %-16s %10.1f %10.1f %7.2f\n", mebibytes, "", bestEncode, bestCopy, bestEncode / bestCopy);
  std::puts("VERDICT done");
  return 0;
}
