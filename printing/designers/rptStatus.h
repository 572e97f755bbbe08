#pragma once
// The programs status report of school districts and charter schools: a
// landscape grid with one row per school under its district's name and
// eighteen numbered program columns, explained by a legend at the end. A
// layout without code (rptStatus.json), turned to landscape when it is
// created. Its rows are a shaped set: the district's "school_district_name"
// at the parent level, and in the child set "Command1" the school's
// "school_name" and one column per form number ("21", "25", "22", "519",
// "111", "112", "510", "41", "50", "507") with what the cell shows; the
// columns 1, 5, 9 and 10 share "21" and the columns 11, 13, 14 and 16 to
// 18 share "507". The placeholders ("lblFiscalYear", "lblperiod",
// "lblVersion") print as they are unless the caller sets them.

#include "report/Report.h"

class rptStatus : public report::Report {
 public:
  rptStatus();

 protected:
  void DataReport_Initialize() override;
  void DataReport_Error(int jobType, long cookie, const vb::VbError& error, bool& showError) override;
};
