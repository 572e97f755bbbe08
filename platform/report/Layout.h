#pragma once
// A banded report's layout: its sections and their controls with every
// property a designer states, as read from the designer's JSON resource.
// Lengths are twips (1/1440 inch), relative to the top-left corner of the
// section; font sizes are points.
//
// The JSON of one designer:
//   {
//     "name": "rptTax",                 designer name (default caption)
//     "caption": "...",                 preview window caption (default: name)
//     "title": "...",                   report title, printed for "%i"
//     "width": 10081,                   report width
//     "margins": {"left": 720, "right": 720, "top": 720, "bottom": 720},
//     "orientation": 1 | 2,             portrait / landscape; absent: not set
//     "window": {"width": 14850, "height": 8745},   preview window size
//     "font": {...},                    report font, for controls without one
//     "sections": [ section, ... ]      in print order
//   }
// A section:
//   {"name": "Section3", "kind": "detail", "height": 12111,
//    "visible": true, "keepTogether": false,
//    "pageBreak": "none" | "before" | "after" | "beforeAndAfter",
//    "controls": [ control, ... ]}
// Section kinds: "reportHeader", "pageHeader", "groupHeader", "detail",
// "groupFooter", "pageFooter", "reportFooter". Group headers come outermost
// first, group footers innermost first, as they print; there are as many of
// one as of the other.
// A control:
//   {"name": "txtSecured", "kind": "label" | "textBox" | "function" | "line" | "shape",
//    "left": 8032, "top": 2487, "width": 1900, "height": 300,
//    "visible": true,
//    "caption": "...",                       label
//    "dataMember": "Command1", "dataField": "Secured",   text box, function
//    "format": "#,##0;(#,##0)",              text box, function
//    "function": "sum",                      function (the only one)
//    "font": {"name": "Courier New", "size": 9, "bold": true, "italic": false, "underline": false},
//    "align": "left" | "center" | "right",
//    "canGrow": false,
//    "border": 0 | 1,                        1: a thin frame around a text that is not empty
//    "color": "#400040",                     text, line or shape outline colour
//    "fillColor": "#400040"}                 shape: filled; absent: outline only
// A line runs from (left, top) to (left + width, top + height).

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace report {

struct Font {
  std::string name = "Arial";
  double size = 8.25;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

struct Rgb {
  int r = 0, g = 0, b = 0;
};

enum class ControlKind { Label, TextBox, Function, Line, Shape };
enum class Align { Left, Center, Right };

struct ControlLayout {
  std::string name;
  ControlKind kind = ControlKind::Label;
  int left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  std::string caption;
  std::string dataMember;
  std::string dataField;
  std::string format;
  Font font;
  Align align = Align::Left;
  bool canGrow = false;
  int border = 0;
  Rgb color;
  std::optional<Rgb> fillColor;
};

// A framed text keeps this distance from its frame on either side (twips).
constexpr int kFramedTextInset = 45;

// The width a control's text wraps to: a framed text stays inside its frame.
inline int WrapWidth(const ControlLayout& c) {
  return c.border == 1 ? std::max(0, c.width - 2 * kFramedTextInset) : c.width;
}

enum class SectionKind { ReportHeader, PageHeader, GroupHeader, Detail, GroupFooter, PageFooter, ReportFooter };

// The classic page-break values.
enum PageBreak : int { PageBreakNone = 0, PageBreakBefore = 1, PageBreakAfter = 2, PageBreakBeforeAndAfter = 3 };

struct SectionLayout {
  std::string name;
  SectionKind kind = SectionKind::Detail;
  int height = 0;
  bool visible = true;
  bool keepTogether = false;
  int pageBreak = PageBreakNone;
  std::vector<ControlLayout> controls;
};

struct Margins {
  int left = 1440, right = 1440, top = 1440, bottom = 1440;
};

struct Layout {
  std::string name;
  std::string caption;
  std::string title;
  int width = 0;
  Margins margins;
  int orientation = 0;  // 0 not set, 1 portrait, 2 landscape
  int windowWidth = 12000;
  int windowHeight = 9000;
  Font font;
  std::vector<SectionLayout> sections;
};

// Reads a layout from a file or a Qt resource (":/designers/rptTax.json").
// A missing file is error 53; a text that is no JSON, names a property the
// schema above lacks or breaks its rules is error 5. Both name the file and
// what is wrong.
Layout LoadLayout(const std::string& path);
// The same from JSON text; `origin` names it in errors.
Layout ParseLayout(const std::string& json, const std::string& origin);

}  // namespace report
