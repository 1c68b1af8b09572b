// The picture box behind BrixenTest.PictureBox: a real window with a persistent memory image
// (the AutoRedraw image) and the drawing state of a classic picture box: user scale, draw
// mode, colours, current position and font. Every drawing member draws into the image;
// the window shows the image on WM_PAINT and on Refresh.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "frame/win/handles.h"

namespace brixen::picbox {

// A run-time error the box raises, as the box's host would report it (number only; the
// dispatch layer supplies the text).
struct PictureError {
  int number;
};

inline constexpr int kErrInvalidCall = 5;
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrOutOfMemory = 7;
inline constexpr int kErrTypeMismatch = 13;
inline constexpr int kErrFileAccess = 75;
inline constexpr int kErrPathNotFound = 76;
inline constexpr int kErrInvalidPropertyValue = 380;

[[noreturn]] inline void Fail(int number) { throw PictureError{number}; }

// The module this code is linked into (the DLL, or the test program).
HINSTANCE ThisModule();

namespace detail {
struct WindowTraits {
  using pointer = HWND;
  static pointer empty() noexcept { return nullptr; }
  static bool valid(pointer h) noexcept { return h != nullptr; }
  static void close(pointer h) noexcept;  // DestroyWindow, then the class goes with its last window
};
}  // namespace detail
using Window = win::Unique<detail::WindowTraits>;

// The persistent image: a top-down 32-bit DIB section selected into its own memory DC.
class Image {
 public:
  Image(int width, int height);  // throws PictureError (out of memory)
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // 0x00RRGGBB of the pixel (x, y), which must lie inside.
  std::uint32_t Rgb(int x, int y) const;

 private:
  int width_;
  int height_;
  std::uint32_t* bits_ = nullptr;
  win::Bitmap bitmap_;
  win::MemoryDC dc_;
  win::Selection selected_;  // after the bitmap and the DC: put back before either goes
};

// Writes the image as a 24-bit BMP file; a file that cannot be written raises 76 (no such
// folder) or 75.
void SaveBmp(const Image& image, const std::wstring& path);

class Canvas {
 public:
  static constexpr int kMaxPixels = 8192;
  static constexpr double kTwipsPerPixel = 15.0;

  Canvas(int widthPx, int heightPx);  // throws PictureError
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // Window and image.
  HWND hWnd() const { return window_.get(); }
  HDC hDC() const { return image_->dc(); }
  int Width() const { return image_->width(); }
  int Height() const { return image_->height(); }
  void Resize(int widthPx, int heightPx);
  bool Visible() const;
  void SetVisible(bool visible);
  bool AutoRedraw() const { return auto_redraw_; }
  void SetAutoRedraw(bool on) { auto_redraw_ = on; }
  void Refresh();
  void Paint(HDC target) const;  // WM_PAINT

  // User scale.
  float ScaleLeft() const { return scale_left_; }
  float ScaleTop() const { return scale_top_; }
  float ScaleWidth() const { return scale_width_; }
  float ScaleHeight() const { return scale_height_; }
  void SetScaleLeft(float value);
  void SetScaleTop(float value);
  void SetScaleWidth(float value);
  void SetScaleHeight(float value);

  // Drawing state.
  std::int16_t DrawMode() const { return draw_mode_; }
  void SetDrawMode(std::int16_t mode);
  std::int32_t ForeColor() const { return fore_color_; }
  std::int32_t BackColor() const { return back_color_; }
  void SetForeColor(std::int32_t colour);
  void SetBackColor(std::int32_t colour);  // erases the image, as a picture box does
  float CurrentX() const { return current_x_; }
  float CurrentY() const { return current_y_; }
  void SetCurrentX(float value) { current_x_ = value; }
  void SetCurrentY(float value) { current_y_ = value; }
  std::wstring FontName() const;
  float FontSize() const { return font_size_; }
  void SetFontName(const std::wstring& name);
  void SetFontSize(float points);

  // Drawing.
  enum class LineStyle { Line, Box, FilledBox };
  static LineStyle ParseLineStyle(const std::wstring& style);
  void Cls();
  void Line(float x1, float y1, float x2, float y2, std::int32_t colour, LineStyle style);
  void Print(const std::wstring& text);
  float TextWidth(const std::wstring& text) const;
  float TextHeight(const std::wstring& text) const;

  // Reading the image: an RGB colour (red in the low byte), or -1 outside the image.
  std::int32_t Point(float x, float y) const;
  std::int32_t PixelAt(int px, int py) const;
  void SavePicture(const std::wstring& path) const;

  // Scale units -> pixels of the image.
  int ToPixelX(double x) const;
  int ToPixelY(double y) const;

 private:
  void DrawSegment(int x1, int y1, int x2, int y2, COLORREF colour);
  void DrawBoxOutline(const RECT& box, COLORREF colour);
  void FillBox(const RECT& box, COLORREF colour);
  void AfterDrawing();
  void ReplaceFont(const std::wstring& name, float points);
  void ApplyDrawMode();
  SIZE LineExtentPx(const std::wstring& line) const;
  int LineHeightPx() const;
  double ScaleXPerPixel() const { return scale_width_ / Width(); }
  double ScaleYPerPixel() const { return scale_height_ / Height(); }

  win::Font font_;               // before the window and image: outlives every use
  std::unique_ptr<Image> image_;
  Window window_;
  bool auto_redraw_ = false;
  bool user_scale_ = false;      // set by any scale member; until then the scale is twips
  float scale_left_ = 0;
  float scale_top_ = 0;
  float scale_width_ = 0;
  float scale_height_ = 0;
  std::int16_t draw_mode_ = 13;  // copy pen
  std::int32_t fore_color_ = 0;
  std::int32_t back_color_ = static_cast<std::int32_t>(0x80000005);  // window background
  float current_x_ = 0;
  float current_y_ = 0;
  float font_size_ = 8;
};

// A colour as the box takes it: RGB (red in the low byte) or &H80000000 + system colour
// index. Anything else is error 380.
COLORREF ResolveColour(std::int32_t colour);

}  // namespace brixen::picbox
