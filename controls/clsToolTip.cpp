#include "controls/clsToolTip.h"

#include <string>

#include "frame/win/ansi.h"
#include "frame/win/app.h"
#include "frame/win/handle_values.h"

namespace brixen {
namespace {

// ENUM_TIRECT: one side of a margin or of a tool's rectangle.
enum TipRectSide : Long {
  eTIMarginLeft = 1,
  eTIMarginTop = 2,
  eTIMarginRight = 3,
  eTIMarginBottom = 4,
};

// The control watches the owner's mouse messages itself, and a tracked tip stands exactly at
// the position given.
constexpr UINT kToolFlags = TTF_SUBCLASS | TTF_ABSOLUTE;

Long SideOf(const RECT& rect, Long which) {
  switch (which) {
    case eTIMarginLeft: return rect.left;
    case eTIMarginTop: return rect.top;
    case eTIMarginRight: return rect.right;
    case eTIMarginBottom: return rect.bottom;
    default: return 0;
  }
}

// The caller's key as the control's tool identifier, sign-extended as a pointer-sized Long.
UINT_PTR ToolId(Long key) { return static_cast<UINT_PTR>(static_cast<LONG_PTR>(key)); }

// Colours travel as the platform's 32-bit colour values.
WPARAM ColourParam(Long colour) { return static_cast<WPARAM>(static_cast<DWORD>(colour)); }

WPARAM FlagParam(Boolean value) { return value ? 1 : 0; }

}  // namespace

clsToolTip::clsToolTip() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&classes);
}

LRESULT clsToolTip::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(tip_, message, wParam, lParam);
}

LRESULT clsToolTip::SendTool(UINT message, TTTOOLINFOA& tool, WPARAM wParam) const {
  return Send(message, wParam, reinterpret_cast<LPARAM>(&tool));
}

// A record naming one tool: the record's size as the platform defines it up to lParam, the
// owner window and the key. The text pointer stays null, so a fetch copies no text.
TTTOOLINFOA clsToolTip::ToolRecord(Long key) const {
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = owner_;
  tool.uId = ToolId(key);
  return tool;
}

clsProperty& clsToolTip::Packer() {
  if (!packer_) packer_ = std::make_unique<clsProperty>();
  return *packer_;
}

Boolean clsToolTip::Create(Long hwnd) {
  const HWND owner = win::WindowOf(hwnd);
  tip_ = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, 0, 0, 0, 0, owner, nullptr,
                           win::AppInstance(), nullptr);
  if (!tip_) return false;
  owner_ = owner;
  return true;
}

Boolean clsToolTip::Add(Long lngKey, const String& sText, Long lngLeft, Long lngTop, Long lngRight, Long lngBottom) {
  TTTOOLINFOA tool = ToolRecord(lngKey);
  tool.uFlags = kToolFlags;
  tool.hinst = win::AppInstance();
  tool.rect = {lngLeft, lngTop, lngRight, lngBottom};
  if (lngLeft == 0 && lngTop == 0 && lngRight == 0 && lngBottom == 0) ::GetClientRect(owner_, &tool.rect);
  std::string text = win::ToAnsi(sText);
  tool.lpszText = text.data();
  return SendTool(TTM_ADDTOOLA, tool) != 0;
}

void clsToolTip::Remove(Long lngKey) {
  TTTOOLINFOA tool = ToolRecord(lngKey);
  SendTool(TTM_DELTOOLA, tool);
}

Long clsToolTip::get_ToolCount() const { return static_cast<Long>(Send(TTM_GETTOOLCOUNT)); }

// Fetched first and sent back whole, so the tool keeps its flags and rectangle.
void clsToolTip::let_ToolText(Long lngKey, const String& sNewText) {
  TTTOOLINFOA tool = ToolRecord(lngKey);
  SendTool(TTM_GETTOOLINFOA, tool);
  std::string text = win::ToAnsi(sNewText);
  tool.lpszText = text.data();
  SendTool(TTM_SETTOOLINFOA, tool);
}

Long clsToolTip::get_BackColor() const { return static_cast<Long>(Send(TTM_GETTIPBKCOLOR)); }
void clsToolTip::let_BackColor(Long lngNewClr) { Send(TTM_SETTIPBKCOLOR, ColourParam(lngNewClr)); }
Long clsToolTip::get_ForeColor() const { return static_cast<Long>(Send(TTM_GETTIPTEXTCOLOR)); }
void clsToolTip::let_ForeColor(Long lngNewClr) { Send(TTM_SETTIPTEXTCOLOR, ColourParam(lngNewClr)); }

Long clsToolTip::Delay(WPARAM which) const { return static_cast<Long>(Send(TTM_GETDELAYTIME, which)); }

// The delay travels in the low word of the parameter, its high word 0.
void clsToolTip::SetDelay(WPARAM which, Long time) {
  Send(TTM_SETDELAYTIME, which, Packer().Create_unsigned32bit(0, time));
}

Long clsToolTip::get_InitialTime() const { return Delay(TTDT_INITIAL); }
void clsToolTip::let_InitialTime(Long lngTime) { SetDelay(TTDT_INITIAL, lngTime); }
Long clsToolTip::get_AutoPopTime() const { return Delay(TTDT_AUTOPOP); }
void clsToolTip::let_AutoPopTime(Long lngTime) { SetDelay(TTDT_AUTOPOP, lngTime); }
Long clsToolTip::get_ReShowTime() const { return Delay(TTDT_RESHOW); }
void clsToolTip::let_ReShowTime(Long lngTime) { SetDelay(TTDT_RESHOW, lngTime); }

void clsToolTip::let_MaxWidth(Long lngMaxWidth) { Send(TTM_SETMAXTIPWIDTH, 0, lngMaxWidth); }
Long clsToolTip::get_MaxWidth() const { return static_cast<Long>(Send(TTM_GETMAXTIPWIDTH)); }

void clsToolTip::SetMargin(Long lngLeft, Long lngTop, Long lngRight, Long lngBottom) {
  RECT margin{lngLeft, lngTop, lngRight, lngBottom};
  Send(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
}

Long clsToolTip::GetMargin(Long Which) const {
  RECT margin{};
  Send(TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
  return SideOf(margin, Which);
}

void clsToolTip::SetBoundingRect(Long lngKey, Long lngLeft, Long lngTop, Long lngRight, Long lngBottom) {
  TTTOOLINFOA tool = ToolRecord(lngKey);
  tool.rect = {lngLeft, lngTop, lngRight, lngBottom};
  SendTool(TTM_NEWTOOLRECTA, tool);
}

Long clsToolTip::GetBoundingRect(Long lngKey, Long Which) const {
  TTTOOLINFOA tool = ToolRecord(lngKey);
  SendTool(TTM_GETTOOLINFOA, tool);
  return SideOf(tool.rect, Which);
}

void clsToolTip::let_Activate(Boolean boo) { Send(TTM_ACTIVATE, FlagParam(boo)); }

void clsToolTip::let_ToolTrack(Long lngKey, Boolean booTrack) {
  TTTOOLINFOA tool = ToolRecord(lngKey);
  SendTool(TTM_TRACKACTIVATE, tool, FlagParam(booTrack));
}

void clsToolTip::ToolTrackPosition(Long lngX, Long lngY) {
  Send(TTM_TRACKPOSITION, 0, Packer().Create_unsigned32bit(lngY, lngX));
}

}  // namespace brixen
