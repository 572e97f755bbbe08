#pragma once
// Rectangles counted as the field's layout counts them (right and bottom
// exclusive), colour values of the field (plain RGB or a system colour by
// index), and the 3-D drawing helpers that the field and its pop-ups share.

#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QRect>

class QPainter;

namespace numbox {

// A colour value: 0x00bbggrr, or 0x800000nn for system colour nn.
using OleColor = quint32;
// A colour property holding this value is not applied.
constexpr OleColor kIgnoreColor = 0x01000001;
constexpr OleColor kSystemWindow = 0x80000005;
constexpr OleColor kSystemWindowText = 0x80000008;
constexpr OleColor kSystemHighlight = 0x8000000D;
constexpr OleColor kSystemHighlightText = 0x8000000E;
constexpr OleColor kSystemButtonFace = 0x8000000F;
constexpr OleColor kSystemGrayText = 0x80000011;

// The colour of a value: system colours come from the palette.
QColor ColorOf(OleColor value, const QPalette& palette);

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(QPoint p) const { return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom; }
  QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
  // Moves the edges inward by `amount` (outward when negative), each only
  // where its flag is set.
  Rect Shrunk(int amount, bool l = true, bool t = true, bool r = true, bool b = true) const;
};

// The four colours of 3-D frames.
struct FrameColors {
  QColor face, shadow, highlight, frame;
  static FrameColors FromPalette(const QPalette& palette);
};

// Fills the rectangle x, y, width, height; a negative width or height
// extends to the left or upward.
void FillSolidRect(QPainter& p, int x, int y, int width, int height, const QColor& color);
// A 1-pixel frame: top and left in `topLeft`, right and bottom in `bottomRight`.
void Draw3dRect(QPainter& p, const Rect& r, const QColor& topLeft, const QColor& bottomRight);
// The 2-pixel sunken border of a field.
void DrawSunkenBorder(QPainter& p, const Rect& r, const QColor& outerTopLeft, const QColor& innerTopLeft,
                      const QColor& innerBottomRight, const QColor& outerBottomRight);
// A push-button face, raised or pressed.
void DrawButtonFace(QPainter& p, const Rect& r, bool pressed, const FrameColors& colors);

}  // namespace numbox
