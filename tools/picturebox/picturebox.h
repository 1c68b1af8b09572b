// BrixenTest.PictureBox: a picture box over a real window, driven late bound by name, for the
// tests and the demo. The same object comes from BXPICBOX.DLL (registered, by ProgID) and,
// in-process without registration, from CreateTestPictureBox.
#pragma once
#include <windows.h>
#include <oaidl.h>

// {8343A8D9-D279-4AEA-8256-09A26CBE10DC}
inline constexpr CLSID kTestPictureBoxClsid = {
    0x8343a8d9, 0xd279, 0x4aea, {0x82, 0x56, 0x09, 0xa2, 0x6c, 0xbe, 0x10, 0xdc}};
inline constexpr wchar_t kTestPictureBoxProgId[] = L"BrixenTest.PictureBox";

// A new picture box of the given client size in pixels (1..8192 each), hidden, with a
// reference count of one. The object lives on the calling thread (its window does).
HRESULT CreateTestPictureBox(int widthPx, int heightPx, IDispatch** out);

// Number of picture boxes alive in this module.
long TestPictureBoxesAlive();
