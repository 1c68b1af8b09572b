// Reads a message box window (title, text, buttons, icon, default button), rebuilds the
// MessageBox style it was created with, and answers it. Shared by the out-of-process watcher
// (tools/boxwatch.cpp) and the in-process answerer of the C++ tests (tests/win/msgbox_answerer.h).
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace brixen::boxes {

enum class Icon { None, Hand, Question, Exclamation, Asterisk, User };

struct Box {
  std::wstring title;
  std::wstring text;
  std::vector<int> buttons;  // control ids present (IDOK, IDYES, ..., IDHELP), in the box's order
  int defaultButton = 0;     // control id of the default push button, 0 if none
  Icon icon = Icon::None;
};

// A top-level dialog made by MessageBox: class #32770 with a text static and only
// message-box buttons. Other dialogs (the library's own, common dialogs) are left alone.
bool IsMessageBox(HWND window);

// Reads a message box; works on boxes of this process and of others.
Box ReadBox(HWND box);

// MB_* value rebuilt from the box: button set (0-6) + MB_HELP + icon (16/32/48/64, 128 for a
// user icon) + default button (0/256/512/768). -1 when the buttons match no MessageBox type.
long StyleOf(const Box& box);

// Button names as used on command lines and in logs: ok cancel abort retry ignore yes no
// tryagain continue help. 0 / empty for anything else.
int ButtonId(std::wstring_view name);
std::wstring_view ButtonName(int id);

// Clicks button `id` of the box (posted; returns at once).
bool Press(HWND box, int id);

// What to press for one box, given the answer wanted ("default" or a button name).
struct Decision {
  int press = 0;        // control id to click
  std::wstring answer;  // as logged: the name pressed, or "<wanted>:absent" when the box lacked it
  bool asked = true;    // false when the wanted button was not on the box
};
Decision Decide(const Box& box, std::wstring_view wanted);

// Answers in order of use; when they run out, every box gets its default button.
class AnswerList {
 public:
  AnswerList() = default;
  explicit AnswerList(std::vector<std::wstring> answers) : answers_(std::move(answers)) {}
  static AnswerList Parse(std::wstring_view commaSeparated);
  Decision Next(const Box& box);
  size_t Unused() const { return answers_.size() - used_; }

 private:
  std::vector<std::wstring> answers_;
  size_t used_ = 0;
};

// Boxes already answered, so a box activated twice is answered once.
class SeenBoxes {
 public:
  bool Add(HWND box);  // false when `box` was seen (and still exists)

 private:
  std::vector<HWND> boxes_;
};

// Reads the box, picks the next answer, lets `record` note both, then clicks.
template <class Record>
Decision Answer(HWND window, AnswerList& answers, Record&& record) {
  const Box box = ReadBox(window);
  Decision decision = answers.Next(box);
  record(box, decision);
  Press(window, decision.press);
  return decision;
}

std::string Utf8(std::wstring_view text);
// UTF-8 with backslash, tab, CR and LF escaped as \\ \t \r \n: one field of a log line.
std::string EscapeField(std::wstring_view text);
// title \t text \t style \t answer \t detail (detail: "buttons=6,7 default=7 icon=question")
std::string LogLine(const Box& box, const Decision& decision);

}  // namespace brixen::boxes
