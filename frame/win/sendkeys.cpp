#include "frame/win/sendkeys.h"

#include <windows.h>

#include <vector>

#include "frame/errors.h"

namespace brixen::win {
namespace {

struct NamedKey {
  StringView name;
  WORD key;
};

constexpr NamedKey kNamedKeys[] = {
    {u"TAB", VK_TAB},      {u"ENTER", VK_RETURN}, {u"ESC", VK_ESCAPE},  {u"BACKSPACE", VK_BACK},
    {u"DELETE", VK_DELETE}, {u"HOME", VK_HOME},    {u"END", VK_END},     {u"LEFT", VK_LEFT},
    {u"RIGHT", VK_RIGHT},  {u"UP", VK_UP},        {u"DOWN", VK_DOWN},   {u"F1", VK_F1},
    {u"F2", VK_F2},        {u"F3", VK_F3},        {u"F4", VK_F4},       {u"F5", VK_F5},
    {u"F6", VK_F6},        {u"F7", VK_F7},        {u"F8", VK_F8},       {u"F9", VK_F9},
    {u"F10", VK_F10},      {u"F11", VK_F11},      {u"F12", VK_F12},
};

INPUT Key(WORD key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = flags;
  return input;
}

INPUT Character(char16_t c, DWORD flags) {
  INPUT input = Key(0, KEYEVENTF_UNICODE | flags);
  input.ki.wScan = c;
  return input;
}

void AddNamed(std::vector<INPUT>& inputs, StringView name) {
  if (name.size() == 1) {  // {{} and {}}: the braces, and any single character
    inputs.push_back(Character(name[0], 0));
    inputs.push_back(Character(name[0], KEYEVENTF_KEYUP));
    return;
  }
  for (const NamedKey& named : kNamedKeys) {
    if (named.name == name) {
      inputs.push_back(Key(named.key, 0));
      inputs.push_back(Key(named.key, KEYEVENTF_KEYUP));
      return;
    }
  }
  Raise(kErrInvalidCall);
}

std::vector<INPUT> Keystrokes(StringView keys) {
  std::vector<INPUT> inputs;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] != u'{') {
      inputs.push_back(Character(keys[i], 0));
      inputs.push_back(Character(keys[i], KEYEVENTF_KEYUP));
      continue;
    }
    // The name runs to the next "}" after its first character, so that "{}}" names "}".
    const size_t close = keys.find(u'}', i + 2);
    if (close == StringView::npos) Raise(kErrInvalidCall);
    AddNamed(inputs, keys.substr(i + 1, close - i - 1));
    i = close;
  }
  return inputs;
}

}  // namespace

void SendKeys(StringView keys) {
  std::vector<INPUT> inputs = Keystrokes(keys);
  if (!inputs.empty()) ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace brixen::win
