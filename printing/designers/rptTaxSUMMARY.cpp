#include "rptTaxSUMMARY.h"

#include <array>
#include <stdexcept>

namespace taxsummary {
namespace {

using report::Align;
using report::ControlKind;
using report::ControlLayout;
using report::SectionKind;
using report::SectionLayout;

constexpr const char* kAmount = "#,##0;(#,##0)";

// One column of a part: its code in the page header, its field in the
// detail, its sums in the group and report footers. Control names repeat
// between the parts; part 2 shows in txtSecured, txtUnsecured
// and txtHOX, part 3 the explanation in txtHOX.
struct Column {
  int part;
  const char* code;
  const char* field;
  const char* codeLabel;
  const char* detailBox;
  const char* groupSum;  // nullptr: the column is not summed
  const char* grandSum;
  int codeLeft, detailLeft, sumLeft;
  int width;
};

constexpr Column kColumns[] = {
    {1, "A-1", "Secured", "Item14", "txtSecured", "Function10", "Function1", 5760, 5760, 5760, 1544},
    {1, "A-2", "Unsecured", "Item15", "txtUnsecured", "Function11", "Function2", 7608, 7608, 7608, 1544},
    {1, "A-3", "HOX", "Item16", "txtHOX", "Function12", "Function3", 9600, 9600, 9600, 1544},
    {1, "A-4", "Subventions", "Item17", "txtSubventions", "Function13", "Function4", 11448, 11448, 11448, 1544},
    {1, "A-5", "DistributionTimberYieldTax", "Item18", "txtDistributionTimberYieldTax", "Function14", "Function5",
     13296, 13296, 13296, 1539},
    {2, "A-6", "DistributionPriorYearTax", "Label2", "txtDistributionPriorYearTax", "Function15", "Function4", 4608,
     4752, 4776, 1544},
    {2, "A-7", "ReleasePriorYearTaxImpound", "Label3", "txtReleasePriorYearTaxImpound", "Function16", "Function5",
     6456, 6480, 6480, 1545},
    {2, "A-8", "SupplementalTax", "Label4", "txtSupplementalTax", "Function17", "Function6", 8160, 8184, 8184, 1545},
    {2, "A-9", "EducationalRevenueAugmentationFund", "Item14", "txtSecured", "Function10", "Function1", 9792, 9792,
     9792, 1545},
    {2, "A-10", "PriorYearRestrictedMonie", "Item15", "txtUnsecured", "Function11", "Function2", 11496, 11496, 11496,
     1545},
    {2, "A-11", "Total", "Item16", "txtHOX", "Function12", "Function3", 13200, 13200, 13200, 1545},
    {3, "A-12", "CommRedFunds", "Label2", "txtCommRedFunds", "Function1", "Function4", 4632, 4632, 4632, 1545},
    {3, "A-13", "SERAF", "Label16", "Text2", "Function3", "Function6", 6192, 6192, 6192, 1545},
    {3, "A-14", "RedevAgencyAssetLiquidation", "Label3", "Text3", "Function7", "Function8", 7776, 7776, 7776, 1545},
    {3, "A-15", "CollegeERAF", "Label14", "txtCollegeERAF", "Function15", "Function2", 9360, 9360, 9360, 1545},
    {3, "A-16", "EstExcessERAF", "Label19", "txtEstExcessERAF", "Function16", "Function5", 10896, 10896, 10896,
     1545},
    {3, "Explanation", "Explanation", "Label4", "txtHOX", nullptr, nullptr, 12528, 12528, 12528, 2400},
};

// One line of the legend under the grand totals; the captions keep their
// spacing as printed ("A-10 :", part 2's A-8).
struct LegendLine {
  int part;
  const char* name;
  int left, top, width;
  const char* caption;
};

constexpr LegendLine kLegend[] = {
    {1, "Label7", 144, 432, 7200, "A-1  :  Secured"},
    {1, "Label4", 144, 732, 7200, "A-2  :  Unsecured"},
    {1, "Label5", 144, 1032, 7200, "A-3  :  HOX Subventions"},
    {1, "Label6", 144, 1332, 7200, "A-4  :  Misc Taxes/Other Appropriate Local Revenues or Subventions"},
    {1, "Label9", 144, 1632, 7200, "A-5  :  Distribution of Timber Yield Taxes"},
    {2, "Label7", 144, 432, 9500, "A-6  :  Distribution of Prior Year Taxes"},
    {2, "Label9", 144, 732, 9500, "A-7  :  Release of Prior Year Tax Impounds [E.C. 14240]"},
    {2, "Label8", 144, 1008, 11376,
     "A-8  :  Supplemental Taxes from Increased Assessment  [Revenue and Tax  Code 75.70-75.72]"},
    {2, "Label14", 144, 1332, 9500, "A-9  :  Educational Revenue Augmentation Fund"},
    {2, "Label15", 144, 1632, 9500, "A-10 :  Prior Year Restricted Monies [E.C. 2575(e)]"},
    {2, "Label16", 144, 1932, 9500, "A-11 :  Total"},
    {3, "Label15", 288, 576, 6915, "A-12  :  Community Redevelopment Funds"},
    {3, "Label18", 288, 876, 8352, "A-13  :  Redevelopment Property Tax Trust Fund Residual Distributions"},
    {3, "Label20", 1180, 1100, 8928,
     "[Health and Safety Code sections 34183(a)(4), 34183.5(b)(2)(A) and 34188]"},
    {3, "Label17", 288, 1400, 12240,
     "A-14  :  Redevelopment Agency Asset Liquidation [Health and Safety Code sections 34177 and 34179.6]"},
    {3, "Label9", 288, 1700, 6915, "A-15  :  College Districts ERAF"},
    {3, "Label7", 288, 2000, 6915, "A-16  :  Excess ERAF"},
    {3, "Label8", 288, 2300, 6915, "Explanation"},
};

struct Bar {
  const char* name;  // nullptr: no bar
  int left, top, width;
};

// What differs between the three parts.
struct Part {
  const char* name;
  int reportWidth;
  int reportHeaderHeight;
  double reportFontSize;
  // Page header: every control moved down by `headerShift`; the widths of
  // the title, the county and district lines, fiscal year and period,
  // "CDS CODE" and the bars.
  int pageHeaderHeight, headerShift;
  int titleWidth, nameLineWidth, yearWidth, cdsWidth, headerBarWidth;
  // Group header.
  int groupHeaderHeight, groupTop, groupWidth;
  // Detail.
  int detailHeight;
  bool keepTogether, amountsGrow;
  int nameWidth, nameHeight;
  // Group footer.
  int groupFooterHeight;
  const char* subTotalLabel;
  int subTotalHeight;
  std::array<Bar, 2> groupBars;
  // Page footer.
  int pageFooterHeight, footerBarWidth, productWidth, pageLineWidth;
  const char* pageLine;
  // Report footer.
  int reportFooterHeight;
  const char* grandTotalLabel;
  int grandTop;
  std::array<Bar, 2> grandBars;
};

constexpr Part kParts[] = {
    {"rptTaxSUMMARY_11", 15120, 0, 7.5, 1824, 0, 14688, 6768, 2868, 1120, 14826, 246, 0, 6048, 300, true, true,
     4320, 240, 303, "Label2", 240, {{{"Shape1", 144, 0, 14820}, {"Shape4", 144, 288, 14820}}}, 1248, 14826, 10368,
     14667, "Section 1 Page %p of %P", 2109, "Label3", 0, {{{"Shape2", 144, 0, 14976}, {"Shape3", 144, 288, 14826}}}},
    {"rptTaxSUMMARY_22", 14976, 0, 7.5, 1884, 0, 14688, 6768, 2868, 1120, 14826, 246, 0, 6048, 300, true, false,
     3744, 240, 303, "Label5", 240, {{{"Shape1", 144, 0, 14676}, {"Shape2", 144, 288, 14676}}}, 1248, 14826, 10800,
     14667, "Section 2 Page %p of %P", 2364, "Label6", 0, {{{"Shape4", 144, 0, 14826}, {"Shape3", 144, 288, 14826}}}},
    {"rptTaxSUMMARY_33", 14985, 15, 8.25, 1920, 144, 14685, 6765, 2880, 1125, 14835, 340, 100, 6045, 335, false,
     false, 3750, 300, 345, "Label5", 300, {{{nullptr, 0, 0, 0}, {nullptr, 0, 0, 0}}}, 1218, 14835, 10800, 14670,
     "Section 3 Page %p of %P", 3477, "Label6", 144, {{{"Shape4", 144, 144, 14835}, {"Shape3", 144, 432, 14835}}}},
};

report::Font Courier(double size, bool bold) {
  report::Font f;
  f.name = "Courier New";
  f.size = size;
  f.bold = bold;
  return f;
}

ControlLayout Label(const char* name, int left, int top, int width, int height, std::string caption, bool bold = true,
                    Align align = Align::Left) {
  ControlLayout c;
  c.name = name;
  c.kind = ControlKind::Label;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.caption = std::move(caption);
  c.font = Courier(9, bold);
  c.align = align;
  return c;
}

ControlLayout Box(ControlKind kind, const char* name, int left, int top, int width, int height, const char* member,
                  const char* field, const char* format, bool bold, Align align) {
  ControlLayout c;
  c.name = name;
  c.kind = kind;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.dataMember = member;
  c.dataField = field;
  c.format = format;
  c.font = Courier(9, bold);
  c.align = align;
  return c;
}

ControlLayout Shape(const char* name, int left, int top, int width, int height, report::Rgb colour) {
  ControlLayout c;
  c.name = name;
  c.kind = ControlKind::Shape;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.color = colour;
  c.fillColor = colour;
  return c;
}

constexpr report::Rgb kPlum{64, 0, 64};
constexpr report::Rgb kGrey{64, 64, 64};

SectionLayout Section(const char* name, SectionKind kind, int height) {
  SectionLayout s;
  s.name = name;
  s.kind = kind;
  s.height = height;
  return s;
}

SectionLayout PageHeader(const Part& p, int part) {
  const int y = p.headerShift;
  SectionLayout s = Section("Section1", SectionKind::PageHeader, p.pageHeaderHeight);
  ControlLayout title = Label("lblformname", 144, y + 0, p.titleWidth, 240, "lblformname", true, Align::Center);
  title.font = Courier(10.5, true);
  title.canGrow = true;
  s.controls = {
      title,
      Shape("Shape8", 144, y + 288, p.headerBarWidth, 45, kPlum),
      Label("lblCountyName", 144, y + 432, p.nameLineWidth, 240, ""),
      Label("lblFiscalYear", 11952, y + 432, p.yearWidth, 240, "lblFiscalYear", true, Align::Right),
      Label("lblDistrictName", 144, y + 720, p.nameLineWidth, 240, ""),
      Label("lblperiod", 11952, y + 720, p.yearWidth, 240, "lblperiod", true, Align::Right),
      Label("Label1", 144, y + 1008, p.cdsWidth, 240, "CDS CODE"),
      Label("lblCountyID", 1584, y + 1008, 570, 240, ""),
      Label("lblDistrictID", 2160, y + 1008, 870, 240, ""),
      Label("lblSchoolID", 3024, y + 1008, 1440, 240, ""),
      Label("lblcertkey", 10656, y + 1008, 4170, 240, "", true, Align::Right),
      Shape("Shape7", 144, y + 1296, p.headerBarWidth, 45, kPlum),
  };
  for (const Column& c : kColumns) {
    if (c.part != part) continue;
    const bool text = c.groupSum == nullptr;
    ControlLayout code =
        Label(c.codeLabel, c.codeLeft, y + 1440, c.width, 300, c.code, true, text ? Align::Left : Align::Right);
    code.canGrow = true;
    s.controls.push_back(code);
  }
  s.controls.push_back(Shape("Shape6", 144, y + 1728, p.headerBarWidth, 45, kGrey));
  return s;
}

SectionLayout GroupHeader(const Part& p) {
  SectionLayout s = Section("Section4", SectionKind::GroupHeader, p.groupHeaderHeight);
  s.controls = {Box(ControlKind::TextBox, "Text1", 144, p.groupTop, p.groupWidth, 240, "", "ResDistrictType", "", true,
                    Align::Left)};
  return s;
}

SectionLayout Detail(const Part& p, int part) {
  SectionLayout s = Section("Section3", SectionKind::Detail, p.detailHeight);
  s.keepTogether = p.keepTogether;
  s.controls = {
      Box(ControlKind::TextBox, "Text21", 144, 0, 720, 240, "command1", "RES_SCHOOL_DISTRICT_ID", "", true,
          Align::Left),
      Box(ControlKind::TextBox, "Text22", 864, 0, p.nameWidth, p.nameHeight, "command1", "ResSchoolDistName", "", true,
          Align::Left),
  };
  for (const Column& c : kColumns) {
    if (c.part != part) continue;
    const bool text = c.groupSum == nullptr;
    ControlLayout box = Box(ControlKind::TextBox, c.detailBox, c.detailLeft, 0, c.width, 300, "command1", c.field,
                            kAmount, false, text ? Align::Left : Align::Right);
    box.canGrow = text || p.amountsGrow;
    s.controls.push_back(box);
  }
  return s;
}

ControlLayout Sum(const Column& c, const char* name, int top) {
  return Box(ControlKind::Function, name, c.sumLeft, top, c.width, 300, "Command1", c.field, kAmount, true,
             Align::Right);
}

SectionLayout GroupFooter(const Part& p, int part) {
  SectionLayout s = Section("Section5", SectionKind::GroupFooter, p.groupFooterHeight);
  s.controls = {Label(p.subTotalLabel, 144, 0, 2145, p.subTotalHeight, "Sub Total")};
  for (const Column& c : kColumns) {
    if (c.part == part && c.groupSum) s.controls.push_back(Sum(c, c.groupSum, 0));
  }
  for (const Bar& b : p.groupBars) {
    if (b.name) s.controls.push_back(Shape(b.name, b.left, b.top, b.width, 15, kGrey));
  }
  return s;
}

SectionLayout PageFooter(const Part& p) {
  SectionLayout s = Section("Sec45", SectionKind::PageFooter, p.pageFooterHeight);
  s.controls = {
      Shape("Shape5", 144, 144, p.footerBarWidth, 45, kPlum),
      Label("Label12", 144, 288, 5175, 240, "Varnholt"),
      Label("Label13", 144, 576, p.productWidth, 240, "Corvanel"),
      Label("lblVersion", 144, 864, 1440, 240, "lblVersion"),
      Label("Label10", 144, 864, p.pageLineWidth, 240, p.pageLine, true, Align::Center),
      Label("Label11", 11808, 864, 3000, 240, "%d  %T", true, Align::Right),
  };
  return s;
}

SectionLayout ReportFooter(const Part& p, int part) {
  SectionLayout s = Section("Sect65", SectionKind::ReportFooter, p.reportFooterHeight);
  s.controls = {Label(p.grandTotalLabel, 144, p.grandTop, 2145, 240, "Grand Total")};
  for (const Column& c : kColumns) {
    if (c.part == part && c.grandSum) s.controls.push_back(Sum(c, c.grandSum, p.grandTop));
  }
  for (const Bar& b : p.grandBars) s.controls.push_back(Shape(b.name, b.left, b.top, b.width, 15, kGrey));
  for (const LegendLine& l : kLegend) {
    if (l.part == part) s.controls.push_back(Label(l.name, l.left, l.top, l.width, 300, l.caption, false));
  }
  return s;
}

}  // namespace

report::Layout PartLayout(int part) {
  if (part < 1 || part > 3) throw std::out_of_range("tax summary part");
  const Part& p = kParts[part - 1];
  report::Layout layout;
  layout.name = p.name;
  layout.width = p.reportWidth;
  layout.margins = {720, 720, 720, 720};
  layout.font.name = "Arial";
  layout.font.size = p.reportFontSize;
  layout.sections = {Section("Section2", SectionKind::ReportHeader, p.reportHeaderHeight),
                     PageHeader(p, part),
                     GroupHeader(p),
                     Detail(p, part),
                     GroupFooter(p, part),
                     PageFooter(p),
                     ReportFooter(p, part)};
  return layout;
}

}  // namespace taxsummary

rptTaxSUMMARY_11::rptTaxSUMMARY_11() : Report(taxsummary::PartLayout(1)) {}
rptTaxSUMMARY_22::rptTaxSUMMARY_22() : Report(taxsummary::PartLayout(2)) {}
rptTaxSUMMARY_33::rptTaxSUMMARY_33() : Report(taxsummary::PartLayout(3)) {}
