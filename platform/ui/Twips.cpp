#include "ui/Twips.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace ui {
namespace {

// The screen's logical resolution; 96 where there is no screen.
double Dpi(bool across) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 96.0;
  const double dpi = across ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
  return dpi > 0 ? dpi : 96.0;
}

}  // namespace

double TwipsPerPixelX() { return TwipsPerInch / Dpi(true); }
double TwipsPerPixelY() { return TwipsPerInch / Dpi(false); }

int TwipsToPixelsX(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixelX())); }
int TwipsToPixelsY(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixelY())); }
double PixelsToTwipsX(int pixels) { return pixels * TwipsPerPixelX(); }
double PixelsToTwipsY(int pixels) { return pixels * TwipsPerPixelY(); }
int PixelsToWholeTwipsX(int pixels) { return static_cast<int>(std::lrint(PixelsToTwipsX(pixels))); }
int PixelsToWholeTwipsY(int pixels) { return static_cast<int>(std::lrint(PixelsToTwipsY(pixels))); }

void SetTwipsGeometry(QWidget& control, int left, int top, int width, int height) {
  control.setGeometry(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height));
}

void PlaceControls(QWidget& container, std::span<const TwipsPlace> places) {
  for (const TwipsPlace& place : places) {
    if (container.objectName() == place.name && container.isWindow()) {
      // A window's own row sizes its client area; where it opens is left
      // to its showing (over its owner, or centred on its screen).
      container.resize(TwipsToPixelsX(place.width), TwipsToPixelsY(place.height));
      continue;
    }
    QWidget* control = container.objectName() == place.name ? &container : container.findChild<QWidget*>(place.name);
    if (control) SetTwipsGeometry(*control, place.left, place.top, place.width, place.height);
  }
}

void UseLayoutFace(QWidget& window, FaceFamily family) {
  QFont face = window.font();
  if (family == FaceFamily::Design) {
    face = QFont(QStringLiteral("MS Sans Serif"));
    face.setStyleHint(QFont::SansSerif);
  }
  face.setPointSizeF(LayoutPoints);
  window.setFont(face);
}

}  // namespace ui
