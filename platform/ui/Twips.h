#pragma once
// Twips, the layout unit of the program's windows: 1440 to the inch,
// converted to pixels with the screen's logical resolution.

namespace ui {

inline constexpr int TwipsPerInch = 1440;

// Twips per pixel across and down (15 at 96 dots per inch).
double TwipsPerPixelX();
double TwipsPerPixelY();

// Rounded conversions.
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(int pixels);
double PixelsToTwipsY(int pixels);

}  // namespace ui
