// Folder-listing benchmark: clsFILE.FilesInFolder, CntFilesInFolder and FoldersInFolder through
// their slots against a plain FindFirstFileW/FindNextFileW loop doing the same work, on folders
// of 10,000 and 40,000 files and a tree of 5,000 folders, measured in the same run (best of N).
// Prints ratios to the plain loop and the cost of 4x the files; informs, fails nothing.
//
//   brixen_folders_bench.exe [rounds]
#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "brixen.h"

namespace {

using Clock = std::chrono::steady_clock;

double BestMs(int rounds, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

bool IsDot(const wchar_t* name) { return name[0] == L'.' && (!name[1] || (name[1] == L'.' && !name[2])); }

// Calls `each` for every entry of `folder` but "." and "..".
void PlainFind(const std::wstring& folder, const std::function<void(const WIN32_FIND_DATAW&)>& each) {
  WIN32_FIND_DATAW entry;
  const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!IsDot(entry.cFileName)) each(entry);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
}

std::vector<std::wstring> PlainFileNames(const std::wstring& folder) {
  std::vector<std::wstring> names{L""};
  PlainFind(folder, [&](const WIN32_FIND_DATAW& e) {
    if (!(e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(e.cFileName);
  });
  return names;
}

long PlainFileCount(const std::wstring& folder) {
  long count = 0;
  PlainFind(folder, [&](const WIN32_FIND_DATAW& e) {
    count += !(e.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  });
  return count;
}

void PlainFolderWalk(std::wstring folder, std::vector<std::wstring>& paths) {  // a copy: paths grows
  PlainFind(folder, [&](const WIN32_FIND_DATAW& e) {
    if (!(e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    paths.push_back(folder + L"\\" + e.cFileName);
    PlainFolderWalk(paths.back(), paths);
  });
}

void MakeFiles(const std::wstring& folder, int count) {
  CreateDirectoryW(folder.c_str(), nullptr);
  if (PlainFileCount(folder) == count) return;  // kept from an earlier run
  for (int i = 0; i < count; ++i) {
    const HANDLE file = CreateFileW((folder + L"\\file" + std::to_wstring(i) + L".txt").c_str(), GENERIC_WRITE, 0,
                                    nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
}

// 5,000 folders: 50 at the top, each with 9 sub-folders, each of those with 10.
void MakeTree(const std::wstring& root) {
  CreateDirectoryW(root.c_str(), nullptr);
  for (int a = 0; a < 50; ++a) {
    const std::wstring level1 = root + L"\\f" + std::to_wstring(a);
    CreateDirectoryW(level1.c_str(), nullptr);
    for (int b = 0; b < 9; ++b) {
      const std::wstring level2 = level1 + L"\\g" + std::to_wstring(b);
      CreateDirectoryW(level2.c_str(), nullptr);
      for (int c = 0; c < 10; ++c) CreateDirectoryW((level2 + L"\\h" + std::to_wstring(c)).c_str(), nullptr);
    }
  }
}

long Elements(SAFEARRAY* array) {
  LONG lower = 0, upper = -1;
  SafeArrayGetLBound(array, 1, &lower);
  SafeArrayGetUBound(array, 1, &upper);
  return upper - lower + 1;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  _clsFILE* files = nullptr;
  if (FAILED(CoCreateInstance(CLSID_clsFILE, nullptr, CLSCTX_INPROC_SERVER, IID__clsFILE, reinterpret_cast<void**>(&files)))) {
    std::puts("FAIL cannot create BRIXEN.clsFILE");
    return 1;
  }
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring base = std::wstring(temp) + L"brixen-folders-bench";
  CreateDirectoryW(base.c_str(), nullptr);
  const std::wstring small = base + L"\\files10k", large = base + L"\\files40k", tree = base + L"\\tree5k";
  MakeFiles(small, 10000);
  MakeFiles(large, 40000);
  MakeTree(tree);

  bool ok = true;
  const auto filesInFolder = [&](const std::wstring& folder, long expected) {
    BSTR name = SysAllocString(folder.c_str());
    ENUM_FilesInFolder which = eOnlyFileName;
    long attributes = 0;
    SAFEARRAY* list = nullptr;
    ok &= SUCCEEDED(files->get_FilesInFolder(name, &which, &attributes, &list)) && Elements(list) == expected + 1;
    SafeArrayDestroy(list);
    SysFreeString(name);
  };
  const auto countFiles = [&](const std::wstring& folder, long expected) {
    BSTR name = SysAllocString(folder.c_str());
    long count = 0;
    ok &= SUCCEEDED(files->get_CntFilesInFolder(name, &count)) && count == expected;
    SysFreeString(name);
  };

  std::printf("%-34s %10s %10s %7s\n", "(best of rounds, ms)", "library", "plain", "ratio");
  double libraryMs[2] = {}, plainMs[2] = {};
  const std::wstring folders[2] = {small, large};
  const long sizes[2] = {10000, 40000};
  for (int i = 0; i < 2; ++i) {
    libraryMs[i] = BestMs(rounds, [&] { filesInFolder(folders[i], sizes[i]); });
    plainMs[i] = BestMs(rounds, [&] { ok &= static_cast<long>(PlainFileNames(folders[i]).size()) == sizes[i] + 1; });
    std::printf("FilesInFolder %-20ld %10.2f %10.2f %7.2f\n", sizes[i], libraryMs[i], plainMs[i], libraryMs[i] / plainMs[i]);
  }
  const double filesGrowth = libraryMs[1] / libraryMs[0];
  for (int i = 0; i < 2; ++i) {
    const double library = BestMs(rounds, [&] { countFiles(folders[i], sizes[i]); });
    const double plain = BestMs(rounds, [&] { ok &= PlainFileCount(folders[i]) == sizes[i]; });
    std::printf("CntFilesInFolder %-17ld %10.2f %10.2f %7.2f\n", sizes[i], library, plain, library / plain);
  }
  const double library = BestMs(rounds, [&] {
    SAFEARRAYBOUND bound{1, 0};
    SAFEARRAY* seed = SafeArrayCreate(VT_BSTR, 1, &bound);
    BSTR name = SysAllocString(tree.c_str());
    SAFEARRAY* walk = nullptr;
    ok &= SUCCEEDED(files->get_FoldersInFolder(&seed, name, &walk)) && Elements(walk) == 5001;
    SafeArrayDestroy(walk);
    SafeArrayDestroy(seed);
    SysFreeString(name);
  });
  const double plain = BestMs(rounds, [&] {
    std::vector<std::wstring> paths{L""};
    PlainFolderWalk(tree, paths);
    ok &= paths.size() == 5001;
  });
  std::printf("FoldersInFolder %-18s %10.2f %10.2f %7.2f\n", "5000 folders", library, plain, library / plain);
  std::printf("FilesInFolder 40000 / 10000 files: %.2fx the time for 4x the files\n", filesGrowth);
  files->Release();
  CoUninitialize();
  if (!ok) {
    std::puts("FAIL a call failed or listed the wrong number of entries");
    return 1;
  }
  std::puts("VERDICT done");
  return 0;
}
