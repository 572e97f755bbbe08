#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
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

}  // namespace ui
