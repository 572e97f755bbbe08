#pragma once
// The tax report: one page for each tax row of an agency, with the row's
// county and district of residence, its tax type, the sixteen amount lines
// with their legal citations and the explanation of negative
// amounts, under the page heading of the entry-screen reports. A layout
// without code (rptTax.json); the entry-screen report printer binds it to
// the tax report query and fills the heading by name.

#include "report/Report.h"

class rptTax : public report::Report {
 public:
  rptTax();
};
