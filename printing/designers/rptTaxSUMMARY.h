#pragma once
// The tax summary of a county in three landscape parts, printed one after
// the other, each numbering its own pages: part 1 the lines,
// part 2, part 3 and the explanation. One line per
// tax row under its district of residence, grouped by the district type
// (Section4, with the sub totals in Section5), then the grand totals and
// the legend of the line codes.
//
// The data source is the tax rows shaped by ResDistrictType with the
// chapter Command1. The caller fills the heading by name, sets landscape and,
// for the county tax type, hides Section4 and Section5.
//
// The three layouts are built from one table of columns and one of what
// differs between the parts (rptTaxSUMMARY.cpp); they have no code of their
// own.

#include "report/Report.h"

class rptTaxSUMMARY_11 : public report::Report {
 public:
  rptTaxSUMMARY_11();
};

class rptTaxSUMMARY_22 : public report::Report {
 public:
  rptTaxSUMMARY_22();
};

class rptTaxSUMMARY_33 : public report::Report {
 public:
  rptTaxSUMMARY_33();
};

namespace taxsummary {
// The layout of part 1, 2 or 3.
report::Layout PartLayout(int part);
}  // namespace taxsummary
