#pragma once
// The edit-check report: the messages of an entry screen's edit check for
// one agency, one band per message (line, column, field caption, type E or
// W, message) under the key of the row it concerns, with a footer saying
// that errors stop an export and warnings do not. The caller sets GParam,
// gives it the message rows (the validation component's result binds by
// its own column names: LINE_NAME, column_no, CAPTION, ERROR_TYPE,
// Error_msg, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID, SCHOOL_ID,
// WHERE_CLAUSE, in any letter case), calls Init, then previews or prints:
//
//   auto rpt = report::Create<rptErrorLog>();
//   rpt->GParam = param;
//   rpt->DataSource(messages);
//   rpt->Init();
//   rpt->Show(1);

#include <memory>

#include "clsGlobalParam.h"
#include "report/Report.h"

class rptErrorLog : public report::Report {
 public:
  rptErrorLog();

  // The agency, form and period the heading shows; never changed here.
  std::shared_ptr<clsGlobalParam> GParam;

  // Fills the heading (agency lines, school, title, period, fiscal year),
  // shows the key box of the form (the school for 95, the row's condition
  // for 45, 100, 101 and 400, none for 89, else the residence county and
  // district), writes the footer's version and product lines, and sets the
  // window's caption and size. Each step is guarded ("rptErrorLog",
  // "Init"): Ignore goes on with the next.
  void Init();

 protected:
  void DataReport_Error(int jobType, long cookie, const vb::VbError& error, bool& showError) override;
};
