#pragma once
// Twips, the layout unit of the program's windows: 1440 to the inch,
// converted to pixels with the screen's logical resolution; and the text
// size the layouts were made for.

#include <span>

class QWidget;

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
// Pixels as whole twips, a half going to the even neighbour.
int PixelsToWholeTwipsX(int pixels);
int PixelsToWholeTwipsY(int pixels);

// Places a control by its left, top, width and height in twips.
void SetTwipsGeometry(QWidget& control, int left, int top, int width, int height);

// A control's place in twips, by its object name.
struct TwipsPlace {
  const char* name;
  int left, top, width, height;
};
// Places the controls of a container (itself among them, by its own name)
// that the table names; a name the container lacks is passed over. A
// window's own row gives only its size: it opens where showing puts it.
void PlaceControls(QWidget& container, std::span<const TwipsPlace> places);

// The text size, in points, that the twips layouts were made for.
inline constexpr double LayoutPoints = 8.25;

// The family a window's text takes with that size: the design face
// "MS Sans Serif" (a sans-serif font stands in where that one is missing),
// or the family the window already has.
enum class FaceFamily { Design, Kept };

// Gives a window (or control) and all it holds the text its layout was
// made for: LayoutPoints in the family asked for, neither bold nor italic
// for the design face.
void UseLayoutFace(QWidget& window, FaceFamily family = FaceFamily::Design);

}  // namespace ui
