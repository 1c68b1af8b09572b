// The bad values a caller can hand the library: what a script passes late bound (any Variant),
// and what an early-bound caller puts in a slot of each automation type.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "frame/com/variant.h"
#include "members.h"

namespace brixen::bad_input {

struct NamedValue {
  std::wstring label;
  Variant value;
};

// The values a script can pass for any parameter: Null, Empty, missing, an object, texts that
// are too long, hold a NUL or lie outside the code page, numbers at the limits, bad paths.
const std::vector<NamedValue>& ScriptValues();

// The values an early-bound caller can put in a slot of `kind`, each in a VARIANT of the slot's
// own type (a Variant slot takes every script value).
const std::vector<NamedValue>& SlotValues(Kind kind);

// A harmless value of `kind` in a VARIANT of the slot's type, for the parameters a call does not
// vary.
Variant Harmless(Kind kind);

// The VARIANT type of a slot of `kind`.
VARTYPE SlotType(Kind kind);

// Same type and the same contents (texts compared code unit by code unit, objects by address).
bool SameValue(const VARIANT& a, const VARIANT& b);

// The number a value holds, if it holds one (the rule that keeps waits short reads it).
bool NumberOf(const VARIANT& value, double& number);

}  // namespace brixen::bad_input
