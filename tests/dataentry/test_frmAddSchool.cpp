// The small-school window as an opener uses it: the refusals that it shows
// when it becomes active (no school with data, an entry screen that has not
// passed its edit check), the choice of a school with its duplicate check,
// and what it hands back.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <functional>
#include <memory>

#include "RecordDialogFixture.h"
#include "frmAddSchool.h"

using vb::Variant;

namespace {

constexpr int kSchool = 6300201;  // Tansy Flat School of Tansy Flat Elementary

class SmallSchool : public RecordDialogTest {
 protected:
  void SetUp() override {
    RecordDialogTest::SetUp();
    gp().UserGroup = 3;
    gp().CountyID = 63;
    gp().DistrictID = 63002;
    gp().CountyName = "Cindermoor County";
    gp().DistrictName = "Tansy Flat Elementary";
    gp().ReportPeriod = 2;
    // The table in which records of a kind of small school are kept.
    Execute(
        "CREATE TABLE SmallSchoolRecord (COUNTY_ID INTEGER, SCHOOL_DISTRICT_ID INTEGER, FISCAL_YEAR INTEGER,"
        " PERIOD_ID INTEGER, SCHOOL_ID INTEGER, Type INTEGER)");
  }
  void TearDown() override {
    modGlobals::gintSmallSchoolType = 0;
    RecordDialogTest::TearDown();
  }

  void SchoolRow(const char* table) {
    Execute(std::string("INSERT INTO ") + table +
                " (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID) VALUES (2019, 2, 63, 63002, ?)",
            {Variant(kSchool)});
  }
  void StatusRow(int formNo, Variant records, Variant errors, Variant warnings, Variant modified, Variant checked) {
    Execute("DELETE FROM LEA_FORMS_STATUS");
    Execute(
        "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
        " CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE)"
        " VALUES (2019, 2, 63, 63002, 0, ?, 5, ?, ?, ?, ?, ?)",
        {Variant(formNo), records, errors, warnings, modified, checked});
  }
  // Opens the window as an opener would: the kind, the table of records and
  // the parameters set, shown modally; the window becomes active first.
  void Open(int type, const std::function<void(frmAddSchool&)>& user) {
    modGlobals::gintSmallSchoolType = static_cast<std::int16_t>(type);
    modGlobals::gstrNewRecSource = "SmallSchoolRecord";
    modGlobals::gblnAddSchoolClosed = false;
    auto window = std::make_unique<frmAddSchool>();
    window->GParam = OpenersParameters();
    dialogs_.AnswerModal([&](QWidget& shown) {
      QEvent activate(QEvent::WindowActivate);
      QCoreApplication::sendEvent(&shown, &activate);
      user(dynamic_cast<frmAddSchool&>(shown));
      return 0;
    });
    window->ShowModal();
  }
};

struct Kind {
  int type;
  const char* table;
  int formNo;
  const char* noData;
  const char* notPassed;
};
const Kind kKinds[] = {
    {1, "BRL_SD_NSES_ADA", 111, "You must have data in Necessary Small Elementary School - ADA\r\n",
     "Necessary Small Elementary School - ADA has not passed the edit check process.\r\nRecord cannot be added.\r\n"},
    {2, "BRL_SD_NSHS_ADA", 112, "You must have data in Necessary Small High School - ADA\r\n",
     "Necessary Small High School - ADA has not passed the edit check process.\r\n Record cannot be added.\r\n"},
    {3, "BRL_SD_NSCHS_ADA", 110, "You must have data in New Necessary Small Continuation High School - ADA\r\n",
     "New Necessary Small Continuation High School - ADA has not passed the edit check process.\r\n"
     " Record cannot be added.\r\n"},
};

TEST_F(SmallSchool, AWindowThatMayNotBeUsedSaysWhyWhenItBecomesActiveAndCloses) {
  const Variant checkedDay("2019-11-05 10:00:00");
  const Variant dayBefore("2019-11-04 10:00:00");
  struct Status {
    const char* name;
    Variant records, errors, warnings, modified, checked;
    bool passes;
  };
  const Status statuses[] = {
      {"checked, with warnings", 3, 0, 4, dayBefore, checkedDay, true},
      {"checked at the moment of the change", 3, 0, 0, checkedDay, checkedDay, true},
      {"no rows", 0, 0, 0, dayBefore, checkedDay, false},
      {"an error", 3, 1, 0, dayBefore, checkedDay, false},
      {"changed after the check", 3, 0, 0, checkedDay, dayBefore, false},
      {"no modified date", 3, 0, 0, vb::Null, checkedDay, false},
  };
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.table);
    StatusRow(kind.formNo, 3, 0, 0, dayBefore, checkedDay);
    AcknowledgeMessages(1);
    Open(kind.type, [](frmAddSchool& window) { EXPECT_FALSE(window.Loaded()); });
    EXPECT_EQ(TakeMessages(), Texts{kind.noData});
    EXPECT_TRUE(modGlobals::gblnAddSchoolClosed);

    SchoolRow(kind.table);
    for (const Status& status : statuses) {
      SCOPED_TRACE(status.name);
      StatusRow(kind.formNo, status.records, status.errors, status.warnings, status.modified, status.checked);
      if (!status.passes) AcknowledgeMessages(1);
      Open(kind.type, [&](frmAddSchool& window) {
        EXPECT_EQ(window.Loaded(), status.passes);
        if (status.passes) {
          EXPECT_EQ(ItemsOf(*window.dcoSchool_name), Texts{"Tansy Flat School"});
        }
        window.cmdCancel->click();
      });
      EXPECT_EQ(TakeMessages(), status.passes ? Texts{} : Texts{kind.notPassed});
      EXPECT_TRUE(modGlobals::gblnAddSchoolClosed);
    }
  }
  dialogs_.ExpectAllUsed();
}

TEST_F(SmallSchool, TheChosenSchoolIsHandedBackUnlessItHasARecordOfTheKind) {
  SchoolRow("BRL_SD_NSHS_ADA");
  StatusRow(112, 1, 0, 0, Variant("2019-11-04 10:00:00"), Variant("2019-11-05 10:00:00"));
  // A record of the school of another kind does not count.
  Execute("INSERT INTO SmallSchoolRecord VALUES (63, 63002, 2019, 2, ?, 1)", {Variant(kSchool)});
  modGlobals::glngChosenSchoolID = 99;
  Open(2, [&](frmAddSchool& window) {
    AcknowledgeMessages(1);
    window.cmdAddNew->click();
    EXPECT_EQ(TakeMessages(), Texts{"Select a school"});
    EXPECT_TRUE(window.Loaded());
    window.dcoSchool_name->Text("Tansy Flat School");
    window.cmdAddNew->click();
    EXPECT_FALSE(window.Loaded());
  });
  EXPECT_EQ(modGlobals::glngChosenSchoolID, kSchool);

  Execute("INSERT INTO SmallSchoolRecord VALUES (63, 63002, 2019, 2, ?, 2)", {Variant(kSchool)});
  modGlobals::glngChosenSchoolID = 99;
  modGlobals::glngNewResCountyID = 63;
  modGlobals::glngNewResDistrictID = 63002;
  Open(2, [&](frmAddSchool& window) {
    window.dcoSchool_name->Text("Tansy Flat School");
    AcknowledgeMessages(1);
    window.cmdAddNew->click();
    EXPECT_EQ(TakeMessages(), Texts{"Record already exists for this selection"});
    EXPECT_TRUE(window.Loaded());
    EXPECT_TRUE(window.isEnabled());
    window.cmdCancel->click();
  });
  EXPECT_EQ(modGlobals::glngChosenSchoolID, 99) << "Cancel keeps the previous choice";
  EXPECT_EQ(modGlobals::glngNewResCountyID, 0);
  EXPECT_EQ(modGlobals::glngNewResDistrictID, 0);
  EXPECT_TRUE(modGlobals::gblnAddSchoolClosed);
}

TEST_F(SmallSchool, AMissingStatusRowOrKindIsReportedAsAnError) {
  SchoolRow("BRL_SD_NSES_ADA");
  // Without a status row the edit-check test fails as an error; going on
  // offers the schools.
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  Open(1, [&](frmAddSchool& window) {
    EXPECT_TRUE(window.Loaded());
    EXPECT_EQ(ItemsOf(*window.dcoSchool_name), Texts{"Tansy Flat School"});
    window.cmdCancel->click();
  });
  Texts reports = TakeMessages();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("Procedure: Form_Load"), std::string::npos) << reports[0];

  // A kind that names no table is reported once; the window then closes.
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  Open(4, [](frmAddSchool& window) { EXPECT_FALSE(window.Loaded()); });
  reports = TakeMessages();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("Source: frmAddSchool"), std::string::npos) << reports[0];
  EXPECT_TRUE(modGlobals::gblnAddSchoolClosed);
}

}  // namespace
