#pragma once
// The field's units: pixels on the screen, HIMETRIC (0.01 mm) for its
// stored size, and twips (1440 to the inch) for the sizes that hosts set,
// converted with the screen's logical resolution (96 where there is none).

#include <QSize>

namespace numbox {

// a × b ÷ c, rounded half away from zero.
int MulDiv(int a, int b, int c);

QSize HimetricOfPixels(const QSize& pixels);
QSize PixelsOfHimetric(const QSize& himetric);

// Twips of a pixel count across or down, through HIMETRIC as the field's
// container conversion goes, rounded to whole twips (halves up).
double TwipsOfPixels(int pixels, bool across);
// Pixels of a twip count across or down.
int PixelsOfTwips(double twips, bool across);

}  // namespace numbox
