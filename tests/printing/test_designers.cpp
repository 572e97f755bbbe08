// The edit-check and status report layouts, created, fed and printed as a
// caller would: the edit-check heading by school and form, its key boxes,
// the validation's rows bound by their own column names, the landscape
// status grid with its legend, and the printer message of both.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "PrintingFixture.h"
#include "db/Shape.h"
#include "modGlobals.h"
#include "report/Pages.h"
#include "rptErrorLog.h"
#include "rptStatus.h"
#include "ui/Dialogs.h"
#include "ui/Printers.h"

using vb::Variant;

namespace {

using Texts = std::vector<std::string>;

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

db::RecordsetPtr Rows(const Texts& names, const std::vector<std::vector<Variant>>& rows) {
  std::vector<db::FieldMeta> fields;
  for (const std::string& name : names) {
    db::FieldMeta meta;
    meta.name = name;
    meta.type = db::DataType::Variant;
    fields.push_back(meta);
  }
  return db::Recordset::FromRows(std::move(fields), rows);
}

// Two messages, spelt as the validation component answers them.
db::RecordsetPtr Messages() {
  return Rows({"Line_Name", "Column_No", "Caption", "Error_Type", "Error_Msg", "Res_County_ID",
               "Res_School_District_ID", "School_ID", "Where_Clause"},
              {{Variant("A-1"), Variant(2), Variant("Secured"), Variant("E"), Variant("Secured must not be negative"),
                Variant(1), Variant(20002), Variant(123), Variant("TaxType = 1")},
               {Variant("A-16"), Variant(3), Variant("Total"), Variant("W"), Variant("Total differs from its lines"),
                Variant(1), Variant(20011), Variant(123), Variant("TaxType = 1")}});
}

std::shared_ptr<clsGlobalParam> Param(std::int32_t school, const std::string& formName, std::int32_t formNo) {
  auto p = std::make_shared<clsGlobalParam>(fixtures::PrintingTaxForm(20001, "Birch Unified"));
  p->SchoolId = school;
  p->SchoolName = "Maple Charter";
  p->formname = formName;
  p->FormNo = formNo;
  return p;
}

class DesignerTest : public PrintingTest {};

// Init by school and form: the school label, the district line and the
// key box the detail band shows.
TEST_F(DesignerTest, TheEditCheckHeadingAndKeyBoxByFormAndSchool) {
  struct Case {
    const char* name;
    std::int32_t school;
    const char* formName;
    std::int32_t formNo;
    const char* schoolLabel;
    bool schoolShown;
    const char* districtLine;
    Texts shownBoxes;
  };
  const Texts residence = {"Text6", "Text7"};
  for (const Case& c : {
           Case{"no school", 0, "Tax", 29, "", true, "District: Birch Unified", residence},
           Case{"named form", 123, "BRL_SD_NSHS_ADA", 29, "", true, "District: Birch Unified", residence},
           Case{"name in lower case", 123, "brl_sd_nshs_ada", 29, "0000123", true,
                "District: Birch Unified :  Maple Charter", residence},
           Case{"form 102", 123, "Tax", 102, "", false, "District: Birch Unified", residence},
           Case{"form 95", 123, "Tax", 95, "", false, "District: Birch Unified", {"Text6", "Text7", "Text8"}},
           Case{"form 100", 123, "Tax", 100, "", false, "District: Birch Unified", {"Text6", "Text7", "Text9"}},
           Case{"form 45", 123, "Tax", 45, "0000123", true, "District: Birch Unified :  Maple Charter",
                {"Text6", "Text7", "Text9"}},
           Case{"form 89", 123, "Tax", 89, "0000123", true, "District: Birch Unified :  Maple Charter", {}},
       }) {
    SCOPED_TRACE(c.name);
    auto rpt = report::Create<rptErrorLog>();
    rpt->GParam = Param(c.school, c.formName, c.formNo);
    rpt->Init();
    report::Section header = rpt->Sections("Section2");
    EXPECT_EQ(header.Controls("lblSchoolID").Caption(), c.schoolLabel);
    EXPECT_EQ(header.Controls("lblSchoolID").Visible(), c.schoolShown);
    EXPECT_EQ(header.Controls("lblDistrictName").Caption(), c.districtLine);
    EXPECT_EQ(header.Controls("lblCountyID").Caption(), "01");
    EXPECT_EQ(header.Controls("lblDistrictID").Caption(), "20001");
    EXPECT_EQ(header.Controls("lblFiscalYear").Caption(), "Fiscal Year:  2019-20");
    EXPECT_EQ(header.Controls("lblPeriod").Caption(), "P-2");
    Texts shown;
    for (const char* box : {"Text6", "Text7", "Text8", "Text9"}) {
      if (rpt->Sections("Section1").Controls(box).Visible()) shown.push_back(box);
    }
    EXPECT_EQ(shown, c.shownBoxes);
    report::Section footer = rpt->Sections("Section3");
    EXPECT_EQ(footer.Controls("lblVersion").Caption(), "2019-" + modGlobals::gstrVersion);
    EXPECT_EQ(footer.Controls("Label4").Caption(), "Levrona");
    EXPECT_EQ(footer.Controls("Labe4l4").Caption(), "Varnholt");
  }
}

// The validation's rows print by their own column names, with the key of
// each row and the footer's note.
TEST_F(DesignerTest, TheEditCheckReportPrintsTheValidationsRows) {
  auto rpt = report::Create<rptErrorLog>();
  rpt->GParam = Param(0, "Tax", 29);
  rpt->DataSource(Messages());
  rpt->Init();
  rpt->PrintReport(false);
  ASSERT_EQ(printers_.jobs.size(), 1u);
  const std::string& text = printers_.jobs[0].text;
  for (const char* part : {"Edit Check Report", "A-1", "Secured must not be negative", "A-16", "W", "20011", "01",
                           " 1. Error ( Type E ) message(s)  will stop you from Exporting data.", "Varnholt",
                           "Levrona"}) {
    EXPECT_TRUE(Holds(text, part)) << part << "\n" << text;
  }
  EXPECT_FALSE(Holds(text, "TaxType = 1")) << "the condition box is hidden for the tax form";
}

TEST_F(DesignerTest, TheStatusReportPrintsLandscapeWithItsLegend) {
  ui::SetJobOrientation(ui::OrientationPortrait);
  const db::RecordsetPtr schools =
      Rows({"school_district_name", "school_name", "21", "25", "22", "519", "111", "112", "510", "41", "50", "507"},
           {{Variant("Birch Unified"), Variant("Maple Charter"), Variant("C"), Variant("S"), vb::Null, vb::Null,
             vb::Null, vb::Null, vb::Null, Variant("N"), vb::Null, Variant("S")},
            {Variant("Birch Unified"), Variant("Oak Charter"), Variant("N"), vb::Null, vb::Null, vb::Null, vb::Null,
             vb::Null, vb::Null, vb::Null, vb::Null, Variant("C")},
            {Variant("Cedar Elementary SD"), Variant("Pine Charter"), Variant("S"), vb::Null, vb::Null, vb::Null,
             vb::Null, vb::Null, vb::Null, Variant("C"), vb::Null, vb::Null}});
  auto rpt = report::Create<rptStatus>();
  EXPECT_EQ(rpt->Orientation(), ui::OrientationLandscape);
  rpt->DataSource(db::ComputeBy(schools, {"school_district_name"}, "Command1"));
  rpt->PrintReport(false);
  ASSERT_EQ(printers_.jobs.size(), 1u);
  EXPECT_EQ(printers_.jobs[0].orientation, ui::OrientationLandscape);
  const std::string& text = printers_.jobs[0].text;
  for (const char* part : {"LEA Programs Status - School Districts and Charter Schools", "lblFiscalYear", "lblperiod",
                           "lblVersion", "Birch Unified", "Maple Charter", "Oak Charter", "Cedar Elementary SD",
                           "1  : Attendance School District", "10 : School District Audit Adjustments to VORNEST Data",
                           "18 : Charter School Physical Location", "Varnholt", "Page 1 of 1"}) {
    EXPECT_TRUE(Holds(text, part)) << part << "\n" << text;
  }
}

// Without any printer both reports tell the printer message once, titled
// with the information icon.
TEST_F(DesignerTest, WithoutPrintersBothTellThePrinterMessageOnce) {
  RecordingPrinters none({});
  ScriptedDialogs& dialogs = dialogs_;
  for (int which = 0; which < 2; ++which) {
    std::shared_ptr<report::Report> rpt;
    if (which == 0) {
      auto log = report::Create<rptErrorLog>();
      log->GParam = Param(0, "Tax", 29);
      rpt = log;
    } else {
      rpt = report::Create<rptStatus>();
    }
    dialogs.AcknowledgeMessages(1);
    try {
      rpt->PrintReport(false);
    } catch (const vb::VbError&) {
      // The failed job is the caller's to handle; the message is the point.
    }
    ASSERT_FALSE(dialogs.Prompts().empty()) << which;
    EXPECT_EQ(ui::IconOf(dialogs.LastPrompt().style), ui::vbInformation);
    const Texts messages = dialogs.TakeMessages();
    ASSERT_EQ(messages.size(), 1u) << which;
    EXPECT_EQ(messages[0].rfind("Cannot print due to a problem with the current printer setup.\r\n", 0), 0u);
  }
}

}  // namespace
