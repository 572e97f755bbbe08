#pragma once
// The print commands on the printing agencies: the schema-only database
// with their rows, the printing module installed, a printer set of a
// system printer and the PDF printer that records every job, a clock that
// stands still (a batch's one-second pause does not wait), and the
// program-wide print variables as at start.

#include <QRadioButton>
#include <functional>
#include <string>
#include <vector>

#include "PrintingAgencies.h"
#include "ScriptedSeams.h"
#include "TestEnvironment.h"
#include "clsGlobalParam.h"
#include "report/Pages.h"

class PrintingTest : public ProgramTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The tax dialog's answer: "School District", "COE" (then Print), or
  // "Cancel".
  void AnswerTaxDialog(const std::string& choice);
  // What a preview showed: its caption, its pages and the job orientation
  // while it was open.
  struct Preview {
    std::string caption;
    std::vector<report::Page> pages;
    int orientation = 0;
  };
  // The next modal window is the report preview: it is recorded, then
  // closed.
  void RecordPreview(std::vector<Preview>& previews);

  // The tax form's print of an agency, as its Print command makes it.
  void PrintFromTaxForm(std::shared_ptr<clsGlobalParam>& param);

  static std::shared_ptr<clsGlobalParam> TaxForm(int district, const std::string& districtName) {
    return std::make_shared<clsGlobalParam>(fixtures::PrintingTaxForm(district, districtName));
  }

  RecordingPrinters printers_{{"Office Laser", "Print to PDF"}};
  ScriptedClock clock_;
};
