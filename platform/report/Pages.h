#pragma once
// The pages of a report as they print: every control placed on the sheet,
// with the text lines it prints. The same pages are painted on a printer,
// into a PDF and in the preview, and captured as text for logs and tests.

#include <string>
#include <vector>

#include "report/Layout.h"

class QPainter;

namespace report {

// The Letter sheet, in twips.
inline constexpr int LetterShortSide = 12240;
inline constexpr int LetterLongSide = 15840;
// The narrowest margin a layout is given where its own would not fit.
inline constexpr int NarrowMargin = 360;

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
};

// One control (or the part of it that fits) as printed.
struct PrintedItem {
  std::string section;
  std::string control;
  ControlKind kind = ControlKind::Label;
  Rect rect;                       // on the sheet, from its top-left corner
  std::vector<std::string> lines;  // the text lines printed; none for lines and shapes
  std::vector<double> lineWidths;  // the width of each line
  double lineTop = 0;              // the first line's top on the sheet
  double lineHeight = 0;
  // How it looks.
  Font font;
  Align align = Align::Left;
  int border = 0;
  Rgb color;
  bool filled = false;
  Rgb fillColor;

  // The lines joined by line feeds.
  std::string Text() const;
};

struct Page {
  int number = 0;
  int width = LetterShortSide;
  int height = LetterLongSide;
  std::vector<PrintedItem> items;  // page header, body, page footer, each in print order
};

// The pages as text: a line "page N of M (W x H)" for each page, then one
// line per printed item, "Section/control left,top,width,height: text",
// line breaks of a text written as "\n".
std::string CaptureText(const std::vector<Page>& pages);
// The texts printed on a page (1-based), in print order, empty ones left out.
std::vector<std::string> TextsOn(const std::vector<Page>& pages, int page);

// Paints a page on a painter whose device is the whole sheet, scaled from
// twips to the device's resolution (or to `scale` device units per twip).
void PaintPage(const Page& page, QPainter& painter);
void PaintPage(const Page& page, QPainter& painter, double scale);

}  // namespace report
