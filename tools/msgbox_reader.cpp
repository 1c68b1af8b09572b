#include "msgbox_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace brixen::boxes {
namespace {

constexpr int kTextId = 0xFFFF;  // the static holding the message

struct ButtonInfo {
  int id;
  const wchar_t* name;
};
constexpr std::array<ButtonInfo, 10> kButtons{{{IDOK, L"ok"},
                                               {IDCANCEL, L"cancel"},
                                               {IDABORT, L"abort"},
                                               {IDRETRY, L"retry"},
                                               {IDIGNORE, L"ignore"},
                                               {IDYES, L"yes"},
                                               {IDNO, L"no"},
                                               {IDTRYAGAIN, L"tryagain"},
                                               {IDCONTINUE, L"continue"},
                                               {IDHELP, L"help"}}};

// The button sets of MB_OK .. MB_CANCELTRYCONTINUE, each in the order MB_DEFBUTTONn counts.
const std::array<std::vector<int>, 7> kTypes{{{IDOK},
                                              {IDOK, IDCANCEL},
                                              {IDABORT, IDRETRY, IDIGNORE},
                                              {IDYES, IDNO, IDCANCEL},
                                              {IDYES, IDNO},
                                              {IDRETRY, IDCANCEL},
                                              {IDCANCEL, IDTRYAGAIN, IDCONTINUE}}};

struct IconInfo {
  Icon icon;
  LPCWSTR resource;
  long style;
  const char* name;
};
const std::array<IconInfo, 4> kIcons{{{Icon::Hand, IDI_HAND, MB_ICONHAND, "hand"},
                                      {Icon::Question, IDI_QUESTION, MB_ICONQUESTION, "question"},
                                      {Icon::Exclamation, IDI_EXCLAMATION, MB_ICONEXCLAMATION, "exclamation"},
                                      {Icon::Asterisk, IDI_ASTERISK, MB_ICONASTERISK, "asterisk"}}};

// --- GDI owners ----------------------------------------------------------------------------------

struct WindowDc {
  HWND window;
  HDC dc;
  explicit WindowDc(HWND w) : window(w), dc(GetDC(w)) {}
  ~WindowDc() {
    if (dc) ReleaseDC(window, dc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
};

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

struct Selection {
  HDC dc;
  HGDIOBJ previous;
  Selection(HDC d, HGDIOBJ object) : dc(d), previous(SelectObject(d, object)) {}
  ~Selection() { SelectObject(dc, previous); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
};

using Pixels = std::vector<uint32_t>;

// A 32-bit top-down DIB of w x h selected into a memory DC; `fill` runs with the DC,
// the pixels are copied out after it.
template <class Fill>
Pixels Paint(int w, int h, Fill fill) {
  WindowDc screen(nullptr);
  MemoryDc dc(CreateCompatibleDC(screen.dc));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !bitmap || !bits) return {};
  Selection selected(dc.get(), bitmap.get());
  fill(dc.get(), static_cast<uint32_t*>(bits));
  GdiFlush();
  auto* first = static_cast<const uint32_t*>(bits);
  return Pixels(first, first + static_cast<size_t>(w) * h);
}

Pixels CaptureScreen(const RECT& r) {
  return Paint(r.right - r.left, r.bottom - r.top, [&](HDC dc, uint32_t*) {
    WindowDc screen(nullptr);
    BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, screen.dc, r.left, r.top, SRCCOPY);
  });
}

Pixels RenderIcon(HICON icon, int w, int h, uint32_t background) {
  return Paint(w, h, [&](HDC dc, uint32_t* bits) {
    std::fill(bits, bits + static_cast<size_t>(w) * h, background);
    DrawIconEx(dc, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
  });
}

long long Distance(const Pixels& a, const Pixels& b) {
  long long d = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    for (int shift = 0; shift < 24; shift += 8)
      d += std::abs(static_cast<int>((a[i] >> shift) & 0xFF) - static_cast<int>((b[i] >> shift) & 0xFF));
  return d;
}

// --- reading -------------------------------------------------------------------------------------

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring ControlText(HWND control) {
  // WM_GETTEXT reaches controls of other processes too (GetWindowText would not ask them).
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                      2000, &copied);
  text.resize(copied);
  return text;
}

bool IsButtonId(int id) {
  return std::any_of(kButtons.begin(), kButtons.end(), [id](const ButtonInfo& b) { return b.id == id; });
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM list) CALLBACK -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

bool IsButton(HWND control) { return _wcsicmp(ClassOf(control).c_str(), L"Button") == 0; }
bool IsStatic(HWND control) { return _wcsicmp(ClassOf(control).c_str(), L"Static") == 0; }
LONG StyleBits(HWND window) { return GetWindowLongW(window, GWL_STYLE); }

// Index of the MessageBox type whose buttons (help aside) are exactly `present`, or -1.
int TypeOf(std::vector<int> present) {
  present.erase(std::remove(present.begin(), present.end(), IDHELP), present.end());
  std::sort(present.begin(), present.end());
  for (size_t t = 0; t < kTypes.size(); ++t) {
    std::vector<int> ids = kTypes[t];
    std::sort(ids.begin(), ids.end());
    if (ids == present) return static_cast<int>(t);
  }
  return -1;
}

// The buttons in the order MB_DEFBUTTONn counts them: the type's order, then help.
std::vector<int> InTypeOrder(const std::vector<int>& present) {
  int type = TypeOf(present);
  if (type < 0) return present;
  std::vector<int> ordered = kTypes[type];
  if (std::find(present.begin(), present.end(), IDHELP) != present.end()) ordered.push_back(IDHELP);
  return ordered;
}

bool InThisProcess(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

// Another process's icon handle means nothing here: compare what is on the screen with each
// system icon drawn the same size. The box may not be painted yet, so look a few times.
Icon IconFromScreen(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&r), 2);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return Icon::User;
  const long long tolerance = static_cast<long long>(w) * h * 3 * 2;  // 2 levels per channel
  for (int attempt = 0; attempt < 25; ++attempt) {
    if (attempt) Sleep(20);
    Pixels shot = CaptureScreen(r);
    if (shot.empty()) break;
    for (const IconInfo& candidate : kIcons) {
      if (Distance(shot, RenderIcon(LoadIconW(nullptr, candidate.resource), w, h, shot[0])) <= tolerance)
        return candidate.icon;
    }
  }
  return Icon::User;
}

Icon IconOf(HWND control) {
  auto shown = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
  if (!shown) return Icon::None;
  if (!InThisProcess(control)) return IconFromScreen(control);
  for (const IconInfo& candidate : kIcons)
    if (shown == LoadIconW(nullptr, candidate.resource)) return candidate.icon;
  return Icon::User;
}

const IconInfo* FindIcon(Icon icon) {
  for (const IconInfo& info : kIcons)
    if (info.icon == icon) return &info;
  return nullptr;
}

std::string IconName(Icon icon) {
  if (const IconInfo* info = FindIcon(icon)) return info->name;
  return icon == Icon::User ? "user" : "none";
}

std::string Join(const std::vector<int>& ids) {
  std::string out;
  for (int id : ids) out += (out.empty() ? "" : ",") + std::to_string(id);
  return out;
}

}  // namespace

bool IsMessageBox(HWND window) {
  if (ClassOf(window) != L"#32770") return false;
  bool text = false, buttons = false;
  for (HWND child : Children(window)) {
    if (IsButton(child)) {
      if (!IsButtonId(GetDlgCtrlID(child))) return false;
      buttons = true;
    } else if (IsStatic(child)) {
      text = text || GetDlgCtrlID(child) == kTextId;
    } else {
      return false;
    }
  }
  return text && buttons;
}

Box ReadBox(HWND box) {
  Box result;
  result.title = ControlText(box);
  std::vector<int> present;
  for (HWND child : Children(box)) {
    // The box itself may not be visible yet (a CBT hook sees it at activation): ask the control.
    if (!(StyleBits(child) & WS_VISIBLE)) continue;
    const int id = GetDlgCtrlID(child);
    if (IsButton(child) && IsButtonId(id)) {
      present.push_back(id);
      if ((StyleBits(child) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) result.defaultButton = id;
    } else if (IsStatic(child) && id == kTextId) {
      result.text = ControlText(child);
    } else if (IsStatic(child) && (StyleBits(child) & SS_TYPEMASK) == SS_ICON) {
      result.icon = IconOf(child);
    }
  }
  result.buttons = InTypeOrder(present);
  return result;
}

long StyleOf(const Box& box) {
  const int type = TypeOf(box.buttons);
  if (type < 0) return -1;
  long style = type;
  if (std::find(box.buttons.begin(), box.buttons.end(), IDHELP) != box.buttons.end()) style |= MB_HELP;
  if (const IconInfo* icon = FindIcon(box.icon)) style |= icon->style;
  if (box.icon == Icon::User) style |= MB_USERICON;
  const auto position = std::find(box.buttons.begin(), box.buttons.end(), box.defaultButton);
  if (box.defaultButton && position != box.buttons.end()) style |= (position - box.buttons.begin()) * 0x100;
  return style;
}

int ButtonId(std::wstring_view name) {
  for (const ButtonInfo& b : kButtons)
    if (name == b.name) return b.id;
  return 0;
}

std::wstring_view ButtonName(int id) {
  for (const ButtonInfo& b : kButtons)
    if (b.id == id) return b.name;
  return {};
}

bool Press(HWND box, int id) {
  return PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

Decision Decide(const Box& box, std::wstring_view wanted) {
  const int fallback = box.defaultButton ? box.defaultButton : (box.buttons.empty() ? IDOK : box.buttons.front());
  if (wanted == L"default") return {fallback, std::wstring(ButtonName(fallback)), true};
  const int id = ButtonId(wanted);
  if (id && std::find(box.buttons.begin(), box.buttons.end(), id) != box.buttons.end())
    return {id, std::wstring(wanted), true};
  return {fallback, std::wstring(wanted) + L":absent", false};
}

AnswerList AnswerList::Parse(std::wstring_view commaSeparated) {
  std::vector<std::wstring> answers;
  while (!commaSeparated.empty()) {
    const size_t comma = commaSeparated.find(L',');
    answers.emplace_back(commaSeparated.substr(0, comma));
    if (comma == std::wstring_view::npos) break;
    commaSeparated.remove_prefix(comma + 1);
  }
  return AnswerList(std::move(answers));
}

Decision AnswerList::Next(const Box& box) {
  if (used_ < answers_.size()) return Decide(box, answers_[used_++]);
  return Decide(box, L"default");
}

bool SeenBoxes::Add(HWND box) {
  boxes_.erase(std::remove_if(boxes_.begin(), boxes_.end(), [](HWND seen) { return !IsWindow(seen); }), boxes_.end());
  if (std::find(boxes_.begin(), boxes_.end(), box) != boxes_.end()) return false;
  boxes_.push_back(box);
  return true;
}

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::string EscapeField(std::wstring_view text) {
  std::wstring escaped;
  for (wchar_t c : text) {
    switch (c) {
      case L'\\': escaped += L"\\\\"; break;
      case L'\t': escaped += L"\\t"; break;
      case L'\r': escaped += L"\\r"; break;
      case L'\n': escaped += L"\\n"; break;
      default: escaped += c;
    }
  }
  return Utf8(escaped);
}

std::string LogLine(const Box& box, const Decision& decision) {
  return EscapeField(box.title) + '\t' + EscapeField(box.text) + '\t' + std::to_string(StyleOf(box)) + '\t' +
         EscapeField(decision.answer) + "\tbuttons=" + Join(box.buttons) +
         " default=" + std::to_string(box.defaultButton) + " icon=" + IconName(box.icon);
}

}  // namespace brixen::boxes
