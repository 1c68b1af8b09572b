#include "policy.h"

#include <algorithm>

namespace brixen::bad_input {
namespace {

bool Is(const Member& member, const wchar_t* name) { return member.class_name + L"." + member.name == name; }

}  // namespace

const std::vector<Exclusion>& Exclusions() {
  static const std::vector<Exclusion> exclusions = {
      {L"clsProperty.ExitWindowAPI", L"ends the session: logs the user off or shuts the system down"},
      {L"clsProperty.ActivateScreenSaver", L"switches the session's screen saver; its one Boolean is covered by its own tests"},
      {L"clsProperty.RunFileFindDlg", L"opens the shell's find window in another program"},
      {L"clsProperty.RunAssociatedApp", L"starts the program associated with a file"},
      {L"clsProperty.ExploreHere", L"opens an explorer window in another program"},
      {L"clsFILE.OpenFolder", L"opens an explorer window in another program"},
      {L"clsFILE.ShowPropertiesDialog", L"opens the shell's properties window"},
      {L"clsFILE.CreateShortCut", L"writes shortcuts into the user's desktop and start-menu folders"},
      {L"clsMethod.RunContolPanel", L"starts the control panel"},
  };
  return exclusions;
}

const std::vector<Pin>& Pins() {
  static const std::vector<Pin> pins = {
      {L"clsProperty.CloseApp", L"Which", Variant(Long{7}), L"7 sends no close command; the others close windows of the session"},
      {L"clsMethod.RunHelp32", L"FullHelpName", Variant(u"C:\\nonexistent\\help.hlp"),
       L"a help file that exists opens the help program in another process"},
  };
  return pins;
}

bool Excluded(const Member& member) {
  return std::any_of(Exclusions().begin(), Exclusions().end(), [&](const Exclusion& e) { return Is(member, e.member); });
}

const Variant* Pinned(const Member& member, const Parameter& param) {
  for (const Pin& pin : Pins()) {
    if (Is(member, pin.member) && param.name == pin.param) return &pin.value;
  }
  return nullptr;
}

// The two waits take as long as they are asked to: longer waits than a second are not bad input.
bool LeftOut(const Member& member, const Parameter& param, const VARIANT& value) {
  double seconds = 0;
  const bool waits = Is(member, L"clsMethod.WaitChotto") || Is(member, L"clsMethod.WaitChottoWithoutEvent");
  return waits && NumberOf(value, seconds) && seconds > 1;
}

}  // namespace brixen::bad_input
