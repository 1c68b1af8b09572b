// One call of one member with one bad argument, late bound by name as a script makes it or
// through the member's slot as an early-bound caller does, and what is wrong with its outcome.
#pragma once
#include <string>
#include <vector>

#include "members.h"

namespace brixen::bad_input {

enum class Binding { Script, Slot };

// How the bad value reaches the varied parameter.
enum class Form {
  Value,        // the value itself (a literal, or the slot's value)
  Variable,     // a script variable holding it (a reference to a Variant), or a slot's pointer to it
  Omitted,      // the call ends before the parameter: it and the ones after it are left out
  NullPointer,  // a slot's pointer that points nowhere
};

struct Case {
  std::size_t member;
  Binding binding;
  int param = -1;  // -1: the member has no parameter to vary
  Form form = Form::Value;
  std::size_t value = 0;  // index into ScriptValues() or SlotValues(kind)
};

// Every call the run makes, in a fixed order (the driver and its child processes agree on it).
std::vector<Case> MakeCases(const std::vector<Member>& members);

std::wstring Describe(const Case& c, const std::vector<Member>& members);

// Makes the call on a new object of the member's class; returns what is wrong with the outcome
// (nothing when it ended with a result or a run-time error a caller can read, and left the
// caller's by-value arguments as they were).
std::vector<std::wstring> Make(const Case& c, const Member& member);

}  // namespace brixen::bad_input
