// brixen_errlog_writer.exe EVENT WRITER COUNT: one of the processes of the concurrent Err.log
// test. Waits for the named event, then reports COUNT errors through the registered library's
// ErrReg, module names "wWRITER-rNNNN". Its message boxes are not shown: a thread hook refuses
// their windows, so each box returns at once and only the log is written.
#include <windows.h>

#include <cstdio>
#include <string>

#include "brixen.h"
#include "refused_boxes.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: brixen_errlog_writer EVENT WRITER COUNT\n");
    return 2;
  }
  const int writer = _wtoi(argv[2]), count = _wtoi(argv[3]);
  OleInitialize(nullptr);
  const brixen::boxes::RefusedMessageBoxes refused;
  _clsMethod* method = nullptr;
  if (FAILED(CoCreateInstance(CLSID_clsMethod, nullptr, CLSCTX_INPROC_SERVER, IID__clsMethod,
                              reinterpret_cast<void**>(&method)))) {
    std::fprintf(stderr, "writer: BRIXEN.clsMethod is not registered\n");
    return 1;
  }
  HANDLE start = OpenEventW(SYNCHRONIZE, FALSE, argv[1]);
  if (!start || WaitForSingleObject(start, 120000) != WAIT_OBJECT_0) {
    std::fprintf(stderr, "writer: no start\n");
    return 1;
  }
  int failed = 0;
  BSTR text = SysAllocString(L"Overflow");
  for (int i = 0; i < count; ++i) {
    wchar_t module[32];
    std::swprintf(module, 32, L"w%d-r%04d", writer, i);
    BSTR name = SysAllocString(module);
    if (FAILED(method->ErrReg(6, text, name))) ++failed;
    SysFreeString(name);
  }
  SysFreeString(text);
  CloseHandle(start);
  method->Release();
  OleUninitialize();
  return failed == 0 ? 0 : 1;
}
