// What the bad-input run keeps away from: members that act on the session in ways a test cannot
// undo (ending it, opening windows of other programs), parameters held at a safe value, and
// values that would make a member wait as long as it was asked to.
#pragma once
#include <optional>
#include <vector>

#include "members.h"
#include "values.h"

namespace brixen::bad_input {

struct Exclusion {
  const wchar_t* member;  // "clsProperty.ExitWindowAPI"
  const wchar_t* reason;
};

// Members that are not called at all.
const std::vector<Exclusion>& Exclusions();

struct Pin {
  const wchar_t* member;
  const wchar_t* param;
  Variant value;
  const wchar_t* reason;
};

// Parameters that keep one safe value in every call of their member.
const std::vector<Pin>& Pins();

bool Excluded(const Member& member);
const Variant* Pinned(const Member& member, const Parameter& param);

// Whether a value is left out for this parameter: a wait longer than a second, for instance.
bool LeftOut(const Member& member, const Parameter& param, const VARIANT& value);

}  // namespace brixen::bad_input
