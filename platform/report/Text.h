#pragma once
// Fonts and text lines of the report runtime. Sizes are in twips: a font of
// s points is s * 20 twips high, so measuring and painting in twips needs no
// device resolution.

#include <QFont>
#include <string>
#include <vector>

#include "report/Layout.h"

namespace report {

// The family a layout's font name prints with: "Courier New" and "Arial"
// resolve to the Liberation fonts, which have the same metrics; other names
// stay as they are.
std::string ResolveFamily(const std::string& name);

namespace detail {

// A font sized in twips (its pixel size is the size in twips).
QFont TwipsFont(const Font& font);

struct LineMetrics {
  double ascent = 0;
  double height = 0;  // the distance from one line to the next
};
LineMetrics MetricsOf(const Font& font);

// The width of a text in twips.
double TextWidth(const std::string& text, const Font& font);

// A text broken into the lines it takes in `width` twips: at its line
// breaks, then between words (a word wider than the line between
// characters). Blanks inside a line are kept. `widths`, when given, gets
// each line's width.
std::vector<std::string> WrapLines(const std::string& text, const Font& font, double width,
                                   std::vector<double>* widths = nullptr);

}  // namespace detail
}  // namespace report
