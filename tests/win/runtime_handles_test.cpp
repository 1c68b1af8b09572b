#include "frame/win/handles.h"

#include <gtest/gtest.h>

#include <utility>

namespace brixen::win {
namespace {

bool IsOpenHandle(HANDLE h) {
  DWORD flags = 0;
  return ::GetHandleInformation(h, &flags) != 0;
}

Handle NewEvent() { return Handle(::CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

TEST(RuntimeHandles, BothNullAndInvalidHandleValueAreEmpty) {
  EXPECT_FALSE(Handle());
  EXPECT_FALSE(Handle(INVALID_HANDLE_VALUE));
  EXPECT_FALSE(FindHandle());
  EXPECT_EQ(FindHandle().get(), INVALID_HANDLE_VALUE);
}

TEST(RuntimeHandles, OwnerClosesOnDestructionAndReset) {
  HANDLE raw = nullptr;
  {
    Handle event = NewEvent();
    raw = event.get();
    ASSERT_TRUE(IsOpenHandle(raw));
  }
  EXPECT_FALSE(IsOpenHandle(raw));

  Handle event = NewEvent();
  raw = event.get();
  event.reset();
  EXPECT_FALSE(IsOpenHandle(raw));
  EXPECT_FALSE(event);
}

TEST(RuntimeHandles, MoveTransfersOwnershipAndAssignmentClosesTheOldHandle) {
  Handle first = NewEvent();
  Handle second = NewEvent();
  const HANDLE firstRaw = first.get();
  const HANDLE secondRaw = second.get();

  Handle moved(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_EQ(moved.get(), firstRaw);

  moved = std::move(second);
  EXPECT_FALSE(IsOpenHandle(firstRaw));
  EXPECT_EQ(moved.get(), secondRaw);
  EXPECT_TRUE(IsOpenHandle(secondRaw));
}

TEST(RuntimeHandles, ReleaseGivesUpOwnership) {
  Handle event = NewEvent();
  const HANDLE raw = event.release();
  EXPECT_FALSE(event);
  EXPECT_TRUE(IsOpenHandle(raw));
  ::CloseHandle(raw);
}

TEST(RuntimeHandles, PutHandsOutTheSlotOfAnOutParameter) {
  RegKey key;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.put()), ERROR_SUCCESS);
  EXPECT_TRUE(key);
}

TEST(RuntimeHandles, SelectionPutsThePreviousObjectBack) {
  const WindowDC screen(nullptr);
  ASSERT_TRUE(screen);
  const MemoryDC dc(::CreateCompatibleDC(screen.get()));
  ASSERT_TRUE(dc);
  const HGDIOBJ original = ::GetCurrentObject(dc.get(), OBJ_PEN);
  const Pen pen(::CreatePen(PS_SOLID, 3, RGB(255, 0, 0)));
  {
    const Selection selected(dc.get(), pen.get());
    EXPECT_EQ(selected.previous(), original);
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_PEN), pen.get());
  }
  EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_PEN), original);
}

TEST(RuntimeHandles, GdiObjectIsDeleted) {
  HBRUSH raw = nullptr;
  {
    const Brush brush(::CreateSolidBrush(RGB(1, 2, 3)));
    raw = brush.get();
    ASSERT_NE(::GetObjectType(raw), 0u);
  }
  EXPECT_EQ(::GetObjectType(raw), 0u);
}

}  // namespace
}  // namespace brixen::win
