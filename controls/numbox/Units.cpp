#include "numbox/Units.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace numbox {

namespace {

constexpr int kHimetricPerInch = 2540;
constexpr int kTwipsPerInch = 1440;

double Dpi(bool across) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 96.0;
  const double dpi = across ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
  return dpi > 0 ? dpi : 96.0;
}

int DpiInt(bool across) { return static_cast<int>(std::lround(Dpi(across))); }

}  // namespace

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long long n = static_cast<long long>(a) * b;
  const long long q = (2 * std::llabs(n) + std::llabs(c)) / (2 * std::llabs(static_cast<long long>(c)));
  return static_cast<int>(((n < 0) != (c < 0)) ? -q : q);
}

QSize HimetricOfPixels(const QSize& pixels) {
  return QSize(MulDiv(pixels.width(), kHimetricPerInch, DpiInt(true)),
               MulDiv(pixels.height(), kHimetricPerInch, DpiInt(false)));
}

QSize PixelsOfHimetric(const QSize& himetric) {
  return QSize(MulDiv(himetric.width(), DpiInt(true), kHimetricPerInch),
               MulDiv(himetric.height(), DpiInt(false), kHimetricPerInch));
}

double TwipsOfPixels(int pixels, bool across) {
  const int himetric = MulDiv(pixels, kHimetricPerInch, DpiInt(across));
  return std::floor(himetric * static_cast<double>(kTwipsPerInch) / kHimetricPerInch + 0.5);
}

int PixelsOfTwips(double twips, bool across) {
  const int himetric = static_cast<int>(std::lround(twips * kHimetricPerInch / kTwipsPerInch));
  return MulDiv(himetric, DpiInt(across), kHimetricPerInch);
}

}  // namespace numbox
