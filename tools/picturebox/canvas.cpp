#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace brixen::picbox {
namespace {

constexpr wchar_t kWindowClass[] = L"BrixenTestPictureBox";
constexpr wchar_t kDefaultFont[] = L"MS Sans Serif";
constexpr int kHighestSystemColour = COLOR_MENUBAR;

// Pattern raster operations (PatBlt) that do what the line raster operation of the same
// draw mode does to a pen: index = draw mode - 1.
constexpr DWORD kPatternRops[16] = {
    BLACKNESS,   0x000500A9, 0x000A0329, 0x000F0001,  // black, not merge, mask not pen, not copy
    0x00500325,  DSTINVERT,  PATINVERT,  0x005F00E9,  // mask pen not, invert, xor, not mask
    0x00A000C9,  0x00A50065, 0x00AA0029, 0x00AF0229,  // mask, not xor, nop, merge not pen
    PATCOPY,     0x00F50225, 0x00FA0089, WHITENESS,   // copy, merge pen not, merge, white
};

// Registering the window class and creating or destroying a window happen under one lock, so
// that the class, unregistered with its last window, never goes while a window is being made.
SRWLOCK g_class_lock = SRWLOCK_INIT;

class ClassLock {
 public:
  ClassLock() { AcquireSRWLockExclusive(&g_class_lock); }
  ~ClassLock() { ReleaseSRWLockExclusive(&g_class_lock); }
  ClassLock(const ClassLock&) = delete;
  ClassLock& operator=(const ClassLock&) = delete;
};

class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { BeginPaint(window_, &paint_); }
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return paint_.hdc; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

// Text output takes the text colour whatever the draw mode: the raster operation is held
// at copy pen while text is drawn.
class CopyPenScope {
 public:
  explicit CopyPenScope(HDC dc) : dc_(dc), previous_(SetROP2(dc, R2_COPYPEN)) {}
  ~CopyPenScope() { SetROP2(dc_, previous_); }
  CopyPenScope(const CopyPenScope&) = delete;
  CopyPenScope& operator=(const CopyPenScope&) = delete;

 private:
  HDC dc_;
  int previous_;
};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  const auto* canvas = reinterpret_cast<const Canvas*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT:
      if (canvas) {
        PaintScope paint(window);
        canvas->Paint(paint.dc());
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;  // the image covers the whole client area
    case WM_CLOSE:
      ShowWindow(window, SW_HIDE);  // the window belongs to its object, which destroys it
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

HWND CreateBoxWindow(Canvas* owner, int width, int height) {
  ClassLock lock;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = ThisModule();
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
  // A borderless pop-up: the window is exactly the client area, of any size.
  return CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"BrixenTest.PictureBox", WS_POPUP, 16, 16, width,
                         height, nullptr, nullptr, ThisModule(), owner);
}

HBITMAP CreateImageBitmap(int width, int height, std::uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* raw = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
  *bits = static_cast<std::uint32_t*>(raw);
  return bitmap;
}

// Fills a rectangle given by inclusive pixel corners with a colour and a pattern operation.
void PatternFill(HDC dc, const RECT& box, COLORREF colour, DWORD rop) {
  win::Brush brush(CreateSolidBrush(colour));
  if (!brush) Fail(kErrOutOfMemory);
  win::Selection selected(dc, brush.get());
  PatBlt(dc, box.left, box.top, box.right - box.left + 1, box.bottom - box.top + 1, rop);
}

int RoundToPixel(double value) {
  constexpr double kLimit = 1 << 28;  // far outside any image; keeps the extent arithmetic in int
  return static_cast<int>(std::lround(std::clamp(value, -kLimit, kLimit)));
}

void CheckSize(int width, int height) {
  if (width < 1 || height < 1 || width > Canvas::kMaxPixels || height > Canvas::kMaxPixels) {
    Fail(kErrInvalidPropertyValue);
  }
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

COLORREF RgbToColorref(std::uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// 24-bit BMP: file header, info header, rows bottom-up, each padded to 4 bytes.
std::vector<std::uint8_t> BmpFile(const Image& image) {
  const int w = image.width(), h = image.height();
  const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
  const std::size_t offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  std::vector<std::uint8_t> file(offset + stride * h);

  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfSize = static_cast<DWORD>(file.size());
  header.bfOffBits = static_cast<DWORD>(offset);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(stride * h);
  std::copy_n(reinterpret_cast<const std::uint8_t*>(&header), sizeof header, file.begin());
  std::copy_n(reinterpret_cast<const std::uint8_t*>(&info), sizeof info, file.begin() + sizeof header);

  GdiFlush();
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = file.data() + offset + stride * (h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t rgb = image.Rgb(x, y);
      row[3 * x] = rgb & 0xFF;
      row[3 * x + 1] = (rgb >> 8) & 0xFF;
      row[3 * x + 2] = (rgb >> 16) & 0xFF;
    }
  }
  return file;
}

void WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  win::Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Fail(GetLastError() == ERROR_PATH_NOT_FOUND ? kErrPathNotFound : kErrFileAccess);
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    Fail(kErrFileAccess);
  }
}

}  // namespace

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

void detail::WindowTraits::close(HWND window) noexcept {
  ClassLock lock;
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);  // no message reaches the canvas from here on
  DestroyWindow(window);
  UnregisterClassW(kWindowClass, ThisModule());  // fails, harmlessly, while other windows use it
}

COLORREF ResolveColour(std::int32_t colour) {
  const auto bits = static_cast<std::uint32_t>(colour);
  if (bits & 0x80000000u) {
    const std::uint32_t index = bits & 0x7FFFFFFFu;
    if (index > kHighestSystemColour) Fail(kErrInvalidPropertyValue);
    return GetSysColor(static_cast<int>(index));
  }
  if (bits > 0xFFFFFFu) Fail(kErrInvalidPropertyValue);
  return bits;
}

// --- Image -----------------------------------------------------------------------------------

Image::Image(int width, int height)
    : width_(width),
      height_(height),
      bitmap_(CreateImageBitmap(width, height, &bits_)),
      dc_(CreateCompatibleDC(nullptr)),
      selected_(dc_.get(), bitmap_.get()) {
  if (!bitmap_ || !dc_ || !selected_) Fail(kErrOutOfMemory);
}

std::uint32_t Image::Rgb(int x, int y) const {
  GdiFlush();
  return bits_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFFu;
}

// --- Canvas: window and image --------------------------------------------------------------------

Canvas::Canvas(int widthPx, int heightPx) {
  CheckSize(widthPx, heightPx);
  ReplaceFont(kDefaultFont, font_size_);
  image_ = std::make_unique<Image>(widthPx, heightPx);
  ApplyDrawMode();
  scale_width_ = static_cast<float>(widthPx * kTwipsPerPixel);
  scale_height_ = static_cast<float>(heightPx * kTwipsPerPixel);
  window_.reset(CreateBoxWindow(this, widthPx, heightPx));
  if (!window_) Fail(kErrOutOfMemory);
  Cls();
}

void Canvas::Resize(int widthPx, int heightPx) {
  CheckSize(widthPx, heightPx);
  auto next = std::make_unique<Image>(widthPx, heightPx);
  PatternFill(next->dc(), RECT{0, 0, widthPx - 1, heightPx - 1}, ResolveColour(back_color_), PATCOPY);
  BitBlt(next->dc(), 0, 0, std::min(widthPx, Width()), std::min(heightPx, Height()), hDC(), 0, 0, SRCCOPY);
  image_ = std::move(next);
  ApplyDrawMode();
  if (!user_scale_) {
    scale_width_ = static_cast<float>(widthPx * kTwipsPerPixel);
    scale_height_ = static_cast<float>(heightPx * kTwipsPerPixel);
  }
  SetWindowPos(hWnd(), nullptr, 0, 0, widthPx, heightPx, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Refresh();
}

bool Canvas::Visible() const { return IsWindowVisible(hWnd()) != FALSE; }

void Canvas::SetVisible(bool visible) {
  ShowWindow(hWnd(), visible ? SW_SHOWNOACTIVATE : SW_HIDE);
  if (visible) UpdateWindow(hWnd());
}

void Canvas::Refresh() { RedrawWindow(hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

void Canvas::Paint(HDC target) const { BitBlt(target, 0, 0, Width(), Height(), hDC(), 0, 0, SRCCOPY); }

// With AutoRedraw off a picture box draws straight onto the screen; here the drawing goes to
// the image in both cases and is shown at once when AutoRedraw is off.
void Canvas::AfterDrawing() {
  if (!auto_redraw_) Refresh();
}

// --- Canvas: scale and state ---------------------------------------------------------------------

void Canvas::SetScaleLeft(float value) {
  scale_left_ = value;
  user_scale_ = true;
}

void Canvas::SetScaleTop(float value) {
  scale_top_ = value;
  user_scale_ = true;
}

void Canvas::SetScaleWidth(float value) {
  if (value == 0) Fail(kErrInvalidPropertyValue);
  scale_width_ = value;
  user_scale_ = true;
}

void Canvas::SetScaleHeight(float value) {
  if (value == 0) Fail(kErrInvalidPropertyValue);
  scale_height_ = value;
  user_scale_ = true;
}

int Canvas::ToPixelX(double x) const { return RoundToPixel((x - scale_left_) / ScaleXPerPixel()); }
int Canvas::ToPixelY(double y) const { return RoundToPixel((y - scale_top_) / ScaleYPerPixel()); }

void Canvas::SetDrawMode(std::int16_t mode) {
  if (mode < R2_BLACK || mode > R2_WHITE) Fail(kErrInvalidPropertyValue);
  draw_mode_ = mode;
  ApplyDrawMode();
}

void Canvas::ApplyDrawMode() { SetROP2(hDC(), draw_mode_); }

void Canvas::SetForeColor(std::int32_t colour) {
  ResolveColour(colour);
  fore_color_ = colour;
}

void Canvas::SetBackColor(std::int32_t colour) {
  ResolveColour(colour);
  back_color_ = colour;
  Cls();
}

// --- Canvas: font and text -----------------------------------------------------------------------

void Canvas::ReplaceFont(const std::wstring& name, float points) {
  if (!(points > 0 && points <= 2048) || name.empty()) Fail(kErrInvalidPropertyValue);
  const win::WindowDC screen(nullptr);
  LOGFONTW font{};
  font.lfHeight = -RoundToPixel(points * GetDeviceCaps(screen.get(), LOGPIXELSY) / 72.0);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = NONANTIALIASED_QUALITY;  // text pixels are exactly the text colour
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  name.copy(font.lfFaceName, LF_FACESIZE - 1);
  win::Font created(CreateFontIndirectW(&font));
  if (!created) Fail(kErrInvalidPropertyValue);
  font_ = std::move(created);
  font_size_ = points;
}

std::wstring Canvas::FontName() const {
  win::Selection font(hDC(), font_.get());
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(hDC(), LF_FACESIZE, face);
  return face;
}

void Canvas::SetFontName(const std::wstring& name) { ReplaceFont(name, font_size_); }
void Canvas::SetFontSize(float points) { ReplaceFont(FontName(), points); }

SIZE Canvas::LineExtentPx(const std::wstring& line) const {
  win::Selection font(hDC(), font_.get());
  SIZE extent{};
  GetTextExtentPoint32W(hDC(), line.c_str(), static_cast<int>(line.size()), &extent);
  return extent;
}

int Canvas::LineHeightPx() const {
  win::Selection font(hDC(), font_.get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(hDC(), &metrics);
  return metrics.tmHeight;
}

float Canvas::TextWidth(const std::wstring& text) const {
  LONG widest = 0;
  for (const auto& line : SplitLines(text)) widest = std::max(widest, LineExtentPx(line).cx);
  return static_cast<float>(widest * ScaleXPerPixel());
}

float Canvas::TextHeight(const std::wstring& text) const {
  return static_cast<float>(SplitLines(text).size() * LineHeightPx() * ScaleYPerPixel());
}

void Canvas::Print(const std::wstring& text) {
  const HDC dc = hDC();
  const double line_height = LineHeightPx() * ScaleYPerPixel();
  {
    win::Selection font(dc, font_.get());
    CopyPenScope copy_pen(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ResolveColour(fore_color_));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    for (const auto& line : SplitLines(text)) {
      TextOutW(dc, ToPixelX(current_x_), ToPixelY(current_y_), line.c_str(), static_cast<int>(line.size()));
      current_x_ = scale_left_;
      current_y_ = static_cast<float>(current_y_ + line_height);
    }
  }
  AfterDrawing();
}

// --- Canvas: drawing -----------------------------------------------------------------------------

Canvas::LineStyle Canvas::ParseLineStyle(const std::wstring& style) {
  std::wstring upper = style;
  for (auto& c : upper) c = static_cast<wchar_t>(towupper(c));
  if (upper.empty()) return LineStyle::Line;
  if (upper == L"B") return LineStyle::Box;
  if (upper == L"BF") return LineStyle::FilledBox;
  Fail(kErrInvalidCall);
}

void Canvas::Cls() {
  PatternFill(hDC(), RECT{0, 0, Width() - 1, Height() - 1}, ResolveColour(back_color_), PATCOPY);
  current_x_ = 0;
  current_y_ = 0;
  AfterDrawing();
}

void Canvas::Line(float x1, float y1, float x2, float y2, std::int32_t colour, LineStyle style) {
  const COLORREF pen = ResolveColour(colour);
  const int px1 = ToPixelX(x1), py1 = ToPixelY(y1), px2 = ToPixelX(x2), py2 = ToPixelY(y2);
  const RECT box{std::min(px1, px2), std::min(py1, py2), std::max(px1, px2), std::max(py1, py2)};
  switch (style) {
    case LineStyle::Line:
      DrawSegment(px1, py1, px2, py2, pen);
      break;
    case LineStyle::Box:
      DrawBoxOutline(box, pen);
      break;
    case LineStyle::FilledBox:
      FillBox(box, pen);
      break;
  }
  current_x_ = x2;
  current_y_ = y2;
  AfterDrawing();
}

// A segment leaves out its end point, so that joined segments touch each pixel once.
void Canvas::DrawSegment(int x1, int y1, int x2, int y2, COLORREF colour) {
  win::Pen pen(CreatePen(PS_SOLID, 1, colour));
  if (!pen) Fail(kErrOutOfMemory);
  win::Selection selected(hDC(), pen.get());
  MoveToEx(hDC(), x1, y1, nullptr);
  LineTo(hDC(), x2, y2);
}

// The outline is one closed polyline, so that every edge pixel is drawn once (which matters
// in the xor-like draw modes); a box of one pixel's width or height is a filled one.
void Canvas::DrawBoxOutline(const RECT& box, COLORREF colour) {
  if (box.left == box.right || box.top == box.bottom) {
    FillBox(box, colour);
    return;
  }
  win::Pen pen(CreatePen(PS_SOLID, 1, colour));
  if (!pen) Fail(kErrOutOfMemory);
  win::Selection selected(hDC(), pen.get());
  const POINT corners[] = {{box.left, box.top},     {box.right, box.top}, {box.right, box.bottom},
                           {box.left, box.bottom}, {box.left, box.top}};
  Polyline(hDC(), corners, 5);
}

// Both corners are part of a filled box.
void Canvas::FillBox(const RECT& box, COLORREF colour) {
  PatternFill(hDC(), box, colour, kPatternRops[draw_mode_ - 1]);
}

// --- Canvas: reading the image -------------------------------------------------------------------

std::int32_t Canvas::Point(float x, float y) const { return PixelAt(ToPixelX(x), ToPixelY(y)); }

std::int32_t Canvas::PixelAt(int px, int py) const {
  if (!image_->Contains(px, py)) return -1;
  return static_cast<std::int32_t>(RgbToColorref(image_->Rgb(px, py)));
}

void SaveBmp(const Image& image, const std::wstring& path) { WriteWholeFile(path, BmpFile(image)); }

void Canvas::SavePicture(const std::wstring& path) const { SaveBmp(*image_, path); }

}  // namespace brixen::picbox
