#include "numbox/Frames.h"

#include <QPainter>

namespace numbox {

namespace {

struct SystemColor {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

// The system colours by index, as the palette gives them.
constexpr SystemColor kSystemColors[] = {
    {QPalette::Active, QPalette::Button},           // 0 scroll bar
    {QPalette::Active, QPalette::Dark},             // 1 desktop
    {QPalette::Active, QPalette::Highlight},        // 2 active caption
    {QPalette::Inactive, QPalette::Mid},            // 3 inactive caption
    {QPalette::Active, QPalette::Window},           // 4 menu
    {QPalette::Active, QPalette::Base},             // 5 window
    {QPalette::Active, QPalette::Shadow},           // 6 window frame
    {QPalette::Active, QPalette::WindowText},       // 7 menu text
    {QPalette::Active, QPalette::Text},             // 8 window text
    {QPalette::Active, QPalette::HighlightedText},  // 9 caption text
    {QPalette::Active, QPalette::Button},           // 10 active border
    {QPalette::Inactive, QPalette::Button},         // 11 inactive border
    {QPalette::Active, QPalette::Mid},              // 12 application workspace
    {QPalette::Active, QPalette::Highlight},        // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},  // 14 highlight text
    {QPalette::Active, QPalette::Button},           // 15 button face
    {QPalette::Active, QPalette::Dark},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},           // 17 grey text (mixed below)
    {QPalette::Active, QPalette::ButtonText},       // 18 button text
    {QPalette::Disabled, QPalette::WindowText},     // 19 inactive caption text
    {QPalette::Active, QPalette::Light},            // 20 button highlight
    {QPalette::Active, QPalette::Shadow},           // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},         // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},      // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},      // 24 info background
};

constexpr quint32 kGreyTextIndex = kSystemGrayText & 0xFFFFFFu;

}  // namespace

QColor ColorOf(OleColor value, const QPalette& palette) {
  if (value & 0x80000000u) {
    const quint32 index = value & 0xFFFFFFu;
    if (index >= std::size(kSystemColors)) return palette.color(QPalette::Active, QPalette::Window);
    if (index == kGreyTextIndex) {
      // Half way between text and background, so that grey text stays
      // readable on the light grey of disabled fields too.
      const QColor text = palette.color(QPalette::Active, QPalette::Text);
      const QColor base = palette.color(QPalette::Active, QPalette::Base);
      return QColor((text.red() + base.red() + 1) / 2, (text.green() + base.green() + 1) / 2,
                    (text.blue() + base.blue() + 1) / 2);
    }
    const SystemColor& c = kSystemColors[index];
    return palette.color(c.group, c.role);
  }
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

Rect Rect::Shrunk(int amount, bool l, bool t, bool r, bool b) const {
  Rect out = *this;
  if (l) out.left += amount;
  if (t) out.top += amount;
  if (r) out.right -= amount;
  if (b) out.bottom -= amount;
  return out;
}

FrameColors FrameColors::FromPalette(const QPalette& palette) {
  return FrameColors{ColorOf(kSystemButtonFace, palette), ColorOf(0x80000010, palette),
                     ColorOf(0x80000014, palette), ColorOf(0x80000006, palette)};
}

void FillSolidRect(QPainter& p, int x, int y, int width, int height, const QColor& color) {
  p.fillRect(QRect(x, y, width, height).normalized(), color);
}

void Draw3dRect(QPainter& p, const Rect& r, const QColor& topLeft, const QColor& bottomRight) {
  const int w = r.Width(), h = r.Height();
  FillSolidRect(p, r.left, r.top, w - 1, 1, topLeft);
  FillSolidRect(p, r.left, r.top, 1, h - 1, topLeft);
  FillSolidRect(p, r.left + w - 1, r.top, 1, h, bottomRight);
  FillSolidRect(p, r.left, r.top + h - 1, w, 1, bottomRight);
}

void DrawSunkenBorder(QPainter& p, const Rect& r, const QColor& outerTopLeft, const QColor& innerTopLeft,
                      const QColor& innerBottomRight, const QColor& outerBottomRight) {
  const int l = r.left, t = r.top, rr = r.right, b = r.bottom;
  // Each edge as the pixels it covers (end points excluded).
  FillSolidRect(p, l, t, 1, b - 1 - t, outerTopLeft);
  FillSolidRect(p, l, t, rr - 1 - l, 1, outerTopLeft);
  FillSolidRect(p, l + 1, t + 1, 1, b - 3 - t, innerTopLeft);
  FillSolidRect(p, l + 1, t + 1, rr - 3 - l, 1, innerTopLeft);
  FillSolidRect(p, rr - 1, t, 1, b - t, outerBottomRight);
  FillSolidRect(p, l, b - 1, rr - l, 1, outerBottomRight);
  FillSolidRect(p, rr - 2, t + 1, 1, b - 3 - t, innerBottomRight);
  FillSolidRect(p, l + 1, b - 2, rr - 2 - l, 1, innerBottomRight);
}

void DrawButtonFace(QPainter& p, const Rect& r, bool pressed, const FrameColors& colors) {
  Rect face = r;
  if (pressed) {
    Draw3dRect(p, face, colors.frame, colors.highlight);
    face = face.Shrunk(1);
    Draw3dRect(p, face, colors.shadow, colors.face);
  } else {
    Draw3dRect(p, face, colors.highlight, colors.frame);
    face = face.Shrunk(1);
    Draw3dRect(p, face, colors.face, colors.shadow);
  }
  face = face.Shrunk(1);
  FillSolidRect(p, face.left, face.top, face.Width(), face.Height(), colors.face);
}

}  // namespace numbox
