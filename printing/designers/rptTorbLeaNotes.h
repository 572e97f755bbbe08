#pragma once
// The certification exception reports: one landscape page for each agency
// with its heading and the answers given to the certification questions,
// each followed by its comment. rptTorbLeaNotes carries the four questions
// of the county set, rptTorbLeaNotesTax the single question of the tax set.
// Their data source is the agencies' rows, each with the chapter Command1
// of its answers (YES / NO) and comments; the caller fills the heading by
// name and shows the preview.
//
// Both start landscape and hide the group header of the agency keys. Their
// Error handler leaves the show-error flag alone, so the runtime's own
// message is shown for a job that fails.

#include "report/Report.h"

class rptTorbLeaNotesBase : public report::Report {
 protected:
  explicit rptTorbLeaNotesBase(const std::string& layoutFile);
  void DataReport_Initialize() override;
};

class rptTorbLeaNotes : public rptTorbLeaNotesBase {
 public:
  rptTorbLeaNotes();
};

class rptTorbLeaNotesTax : public rptTorbLeaNotesBase {
 public:
  rptTorbLeaNotesTax();
};
