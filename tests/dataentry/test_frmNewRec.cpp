// The new-record dialog as the tax form opens it: the label line and the
// lists by tax type and period, the checks and the duplicate look-up of Add
// Record, what it hands back, and the layouts and checks of other forms.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <functional>
#include <memory>
#include <utility>

#include "KeyInput.h"
#include "NeighbourRows.h"
#include "RecordDialogFixture.h"
#include "frmNewRec.h"
#include "ScopeOfParams.h"
#include "modGlobals.h"
#include "modMainPickLists.h"
#include "vb/App.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

class NewRecord : public RecordDialogTest {
 protected:
  // Opens the dialog as the tax form's add step does; `user` plays the user
  // while the dialog is shown.
  void Open(const std::function<void(frmNewRec&)>& user) {
    modGlobals::glngNewResCountyID = 0;
    modGlobals::glngNewResDistrictID = 0;
    modGlobals::gstrNewRecSource = "Tax";
    auto dialog = std::make_unique<frmNewRec>();
    dialog->GParam = OpenersParameters();
    dialogs_.AnswerModal([&](QWidget& window) {
      user(dynamic_cast<frmNewRec&>(window));
      return 0;
    });
    dialog->ShowModal();
    dialog.reset();
    modGlobals::gstrNewRecSource.clear();
  }
  static std::pair<int, int> HandedBack() { return {modGlobals::glngNewResCountyID, modGlobals::glngNewResDistrictID}; }
  // A stored tax row of the agency for a pair of residence keys.
  void StoreTaxRow(int county, int district, int taxType) {
    Execute(
        "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
        " RES_SCHOOL_DISTRICT_ID, TaxType) VALUES (2019, 1, 62, 10620, 0, ?, ?, ?)",
        {Variant(county), Variant(district), Variant(taxType)});
  }
};

// The user picks the row that shows the text.
void Choose(ui::DataBoundList& box, const std::string& text) {
  const int index = box.findText(QString::fromStdString(text));
  ASSERT_GE(index, 0) << text << " is not offered";
  box.setCurrentIndex(index);
  emit box.activated(index);
}

// The user picks the county, which must list the districts, and the first of them.
void ChooseFirstDistrict(frmNewRec& dialog, const char* county, const Texts& districts) {
  Choose(*dialog.dcoRES_COUNTY_ID, county);
  EXPECT_EQ(ItemsOf(*dialog.dcoRES_SCHOOL_DISTRICT_ID), districts);
  Choose(*dialog.dcoRES_SCHOOL_DISTRICT_ID, districts.front());
}

TEST_F(NewRecord, TheLabelLineAndTheCountiesFollowThePeriodAndTheTaxType) {
  struct Case {
    int period;
    int taxType;
    const char* label;  // nullptr: the label line is hidden
    Texts counties;
  };
  const Case cases[] = {
      {1, 0, "disbursed to :", {"Alder County", "Birch County"}},
      {2, 0, "disbursed to :", {"Alder County", "Birch County"}},
      {3, 0, "received from :", {"Alder County", "Birch County", "Cindermoor County"}},
      {1, 1, nullptr, {"Alder County", "Birch County"}},
      {3, 1, nullptr, {"Birch County"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "period " << c.period << ", tax type " << c.taxType);
    gp().ReportPeriod = c.period;
    modGlobals::gintTaxType = static_cast<std::int16_t>(c.taxType);
    Open([&](frmNewRec& dialog) {
      EXPECT_EQ(dialog.windowTitle().toStdString(), "Add New Record");
      EXPECT_EQ(!dialog.Label5->isHidden(), c.label != nullptr);
      EXPECT_EQ(!dialog.Label6->isHidden(), c.label != nullptr);
      if (c.label) {
        EXPECT_EQ(dialog.Label5->text().toStdString() + dialog.Label6->text().toStdString(),
                  std::string("Report amount of taxes being ") + c.label);
        EXPECT_TRUE(dialog.Label6->font().bold());
      }
      EXPECT_EQ(ItemsOf(*dialog.dcoRES_COUNTY_ID), c.counties);
      EXPECT_EQ(dialog.dcoRES_COUNTY_ID->Text(), "") << "nothing is chosen";
      EXPECT_EQ(dialog.dcoRES_SCHOOL_DISTRICT_ID->count(), 0) << "no districts before a county";
      EXPECT_TRUE(dialog.dcoSCHOOL->isHidden());
      EXPECT_TRUE(dialog.Combo1->isHidden());
      dialog.cmdCancel_Click();
    });
  }
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(NewRecord, TheChosenCountyListsItsDistrictsOfResidence) {
  struct Case {
    int taxType;
    const char* county;
    Texts districts;
    const char* firstKey;
    const char* otherCounty;
  };
  const Case cases[] = {
      {0, "Alder County", {"Alder County Office of Education"}, "10610", "Birch County"},
      // The agency's own county lists its districts; another county the
      // districts that the tax tables pair with the agency's county.
      {1, "Birch County", {"Lanthorn Unified", "Northwend High", "Quillby Elementary"}, "62001", "Alder County"},
      {1, "Alder County", {"Fernhill Unified"}, "61003", "Birch County"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.county);
    modGlobals::gintTaxType = static_cast<std::int16_t>(c.taxType);
    Open([&](frmNewRec& dialog) {
      ChooseFirstDistrict(dialog, c.county, c.districts);
      EXPECT_EQ(dialog.dcoRES_SCHOOL_DISTRICT_ID->BoundText(), c.firstKey);
      // Another county empties the district choice and brings its own list.
      Choose(*dialog.dcoRES_COUNTY_ID, c.otherCounty);
      EXPECT_EQ(dialog.dcoRES_SCHOOL_DISTRICT_ID->Text(), "");
      EXPECT_NE(ItemsOf(*dialog.dcoRES_SCHOOL_DISTRICT_ID), c.districts);
      dialog.cmdCancel_Click();
    });
  }
  EXPECT_TRUE(TakeMessages().empty());
}

// The directory and the tax rows also hold rows of other years (earlier and
// later), another period and another agency: the lists and the look-up for
// a pair already stored take only the agency's rows of the year and period.
TEST_F(NewRecord, ListsAndTheStoredPairLookUpTakeOnlyTheYearAndPeriod) {
  db::Connection& conn = *modGlobals::SharedConnection();
  for (int year : {2017, 2021}) {
    const std::string name = "Directory of " + std::to_string(year);
    fixtures::AddNeighbours(conn, {{"KRN_LEAS", {{"FISCAL_YEAR", Variant(2019)}},
                                    {{"FISCAL_YEAR", Variant(year)}, {"SCHOOL_DISTRICT_NAME", Variant(name)}}}});
  }
  StoreTaxRow(62, 10620, 0);
  const fixtures::Cells stored = {
      {"FISCAL_YEAR", Variant(2019)}, {"PERIOD_ID", Variant(1)}, {"SCHOOL_DISTRICT_ID", Variant(10620)}};
  fixtures::AddNeighbours(conn, {{"Tax", stored, {{"FISCAL_YEAR", Variant(2018)}}},
                                 {"Tax", stored, {{"FISCAL_YEAR", Variant(2020)}}},
                                 {"Tax", stored, {{"PERIOD_ID", Variant(2)}}},
                                 {"Tax", stored, {{"SCHOOL_DISTRICT_ID", Variant(62001)}}}});
  Execute("DELETE FROM Tax WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 1 AND SCHOOL_DISTRICT_ID = 10620");

  struct Case {
    int taxType;
    const char* county;
    Texts districts;
  };
  const Case cases[] = {
      {1, "Birch County", {"Lanthorn Unified", "Northwend High", "Quillby Elementary"}},
      {0, "Alder County", {"Alder County Office of Education"}},
      {0, "Birch County", {"Birch County Office of Education"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.county);
    modGlobals::gintTaxType = static_cast<std::int16_t>(c.taxType);
    Open([&](frmNewRec& dialog) {
      ChooseFirstDistrict(dialog, c.county, c.districts);
      dialog.cmdAddNew_Click();
      EXPECT_FALSE(dialog.Loaded()) << "no pair of the year and period is stored";
    });
  }
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_EQ(HandedBack(), std::make_pair(62, 10620));
}

// A list grows to show its longest name whole, the other list and the
// window with it; a name wider than the screen leaves the window within it.
TEST_F(NewRecord, TheListsWidenToTheirLongestNameWithinTheScreen) {
  modGlobals::gintTaxType = 1;
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const std::string longName = "Lanthorn Valley Joint Unified and Union High School District of the Upper Birch Hills";
  std::string tooLong;
  while (QFontMetrics(QApplication::font()).horizontalAdvance(QString::fromStdString(tooLong)) < 2 * screen.width())
    tooLong += longName + " ";
  for (const std::string& name : {longName, tooLong}) {
    SCOPED_TRACE(name.size());
    Execute("UPDATE KRN_LEAS SET SCHOOL_DISTRICT_NAME = ? WHERE SCHOOL_DISTRICT_ID = 62001", {Variant(name)});
    Open([&](frmNewRec& dialog) {
      const int designWidth = dialog.width();
      const int margin = designWidth - (dialog.dcoRES_SCHOOL_DISTRICT_ID->x() + dialog.dcoRES_SCHOOL_DISTRICT_ID->width());
      const int cancelX = dialog.cmdCancel->x();
      Choose(*dialog.dcoRES_COUNTY_ID, "Birch County");
      const ui::DataBoundList& districts = *dialog.dcoRES_SCHOOL_DISTRICT_ID;
      const int grown = dialog.width() - designWidth;
      EXPECT_GT(grown, 0);
      EXPECT_LE(dialog.width(), screen.width());
      EXPECT_EQ(dialog.width() - (districts.x() + districts.width()), margin);
      EXPECT_EQ(dialog.dcoRES_COUNTY_ID->width(), districts.width());
      EXPECT_NEAR(dialog.cmdCancel->x(), cancelX + grown / 2, 1) << "the buttons stay centred";
      if (name == longName) {
        EXPECT_GE(districts.width(), districts.fontMetrics().horizontalAdvance(QString::fromStdString(name)));
      }
      dialog.cmdCancel_Click();
    });
  }
}

TEST_F(NewRecord, AddRecordAsksForCountyThenDistrictAndRefusesAPairStoredWithTheSameTaxType) {
  StoreTaxRow(62, 10620, 1);  // the same pair with the other tax type
  const long long written = WrittenChanges();
  Open([&](frmNewRec& dialog) {
    AcknowledgeMessages(2);
    dialog.cmdAddNew_Click();
    Choose(*dialog.dcoRES_COUNTY_ID, "Birch County");
    dialog.cmdAddNew_Click();
    EXPECT_EQ(TakeMessages(), (Texts{"Please select County of Residence", "Please select District of Residence"}));
    // The agency's own county office is a district of residence like any other.
    Choose(*dialog.dcoRES_SCHOOL_DISTRICT_ID, "Birch County Office of Education");
    dialog.show();
    fixtures::Key(*dialog.dcoRES_SCHOOL_DISTRICT_ID, Qt::Key_Return);
    EXPECT_TRUE(dialog.Loaded()) << "Add Record is not the default button";
    dialog.cmdAddNew_Click();
    EXPECT_FALSE(dialog.Loaded()) << "closed after handing the keys back";
    EXPECT_TRUE(dialog.isEnabled());
  });
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_EQ(HandedBack(), std::make_pair(62, 10620));

  StoreTaxRow(62, 10620, 0);
  Open([&](frmNewRec& dialog) {
    Choose(*dialog.dcoRES_COUNTY_ID, "Birch County");
    Choose(*dialog.dcoRES_SCHOOL_DISTRICT_ID, "Birch County Office of Education");
    AcknowledgeMessages(1);
    dialog.cmdAddNew_Click();
    EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbInformation);
    EXPECT_EQ(dialogs_.LastPrompt().title, vb::App::Title());
    EXPECT_EQ(TakeMessages(), Texts{"Record already exists for this selection"});
    EXPECT_TRUE(dialog.Loaded()) << "the dialog stays open with the choice";
    EXPECT_EQ(dialog.dcoRES_SCHOOL_DISTRICT_ID->Text(), "Birch County Office of Education");
    dialog.cmdCancel_Click();
  });
  EXPECT_EQ(HandedBack(), std::make_pair(0, 0));
  EXPECT_EQ(WrittenChanges(), written + 1) << "only the test's own row was written";
}

TEST_F(NewRecord, CancelAndTheCloseBoxHandNothingBack) {
  const std::function<void(frmNewRec&)> leaves[] = {
      [](frmNewRec& dialog) { dialog.cmdCancel_Click(); },
      [](frmNewRec& dialog) { dialog.close(); },
  };
  for (const auto& leave : leaves) {
    Open([&](frmNewRec& dialog) {
      Choose(*dialog.dcoRES_COUNTY_ID, "Alder County");
      Choose(*dialog.dcoRES_SCHOOL_DISTRICT_ID, "Alder County Office of Education");
      leave(dialog);
      EXPECT_FALSE(dialog.Loaded());
    });
    EXPECT_EQ(HandedBack(), std::make_pair(0, 0));
  }
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(NewRecord, ADistrictWithoutACountyIsTakenBack) {
  Open([&](frmNewRec& dialog) {
    ui::DataBoundList& district = *dialog.dcoRES_SCHOOL_DISTRICT_ID;
    district.Bind(modMain::getRS_Districts(modGlobals::SharedConnection(),
                                           forms::ScopeOf(modGlobals::GlobalParam()), Variant(62)),
                  "DISTRICT", "DISTRICT_ID");
    AcknowledgeMessages(1);
    Choose(district, "Quillby Elementary");
    EXPECT_EQ(TakeMessages(), Texts{"County not selected"});
    EXPECT_EQ(district.Text(), "");
    EXPECT_EQ(district.count(), 3) << "the list is read again";
    district.Text("");
    EXPECT_TRUE(TakeMessages().empty()) << "both boxes empty: nothing to say";
    dialog.cmdCancel_Click();
  });
}

TEST_F(NewRecord, OtherFormsLayTheDialogOutAndCheckItByTheirRules) {
  struct Case {
    int form;
    const char* caption;
    const char* districtLabel;
    bool countyShown;
    const char* countyText;
    bool countyEnabled;
    bool extraShown;  // the school box, or the type list of form 45
    const char* message;  // of Add Record with nothing chosen
  };
  const Case cases[] = {
      {7, "Add New Record", "District of Residence ", true, "Birch County", false, false,
       "Please select District of Residence"},
      {23, "Add New Record", "District of Residence ", true, "Birch County", true, false,
       "Please select District of Residence"},
      {26, "Add New record for each participating district", "District of Residence ", true, "Birch County", false,
       false, "Please select District of Residence"},
      {30, "Add New Record", "District of Residence ", true, "Birch County", false, false,
       "Please select District of Residence"},
      {45, "Add New Record", "District of Residence ", false, "Birch County", false, true, "Please select a Type"},
      {94, "Add New Record", "School District", true, "", true, false, "Please select a ROC/P"},
      {95, "Add New Record", "School District", true, "", true, true, "Please select a ROC/P"},
      {88, "Add New Record", "SELPA", false, "", true, false, "Please select a SELPA"},
      {89, "Add New Record", "SELPA", false, "", true, false, "Please select a SELPA AU"},
      {891, "Add New Record", "SELPA", false, "", true, false, "Please select a SELPA"},
      {102, "Add New Record", "District of Residence ", true, "", true, false, "Please select District of Residence"},
      {50, "Add New Record", "District of Residence ", true, "", true, false, "Please select County of Residence"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "form " << c.form);
    gp().FormNo = c.form;
    Open([&](frmNewRec& dialog) {
      EXPECT_EQ(dialog.windowTitle().toStdString(), c.caption);
      EXPECT_EQ(dialog.Label1->text().toStdString(), c.districtLabel);
      EXPECT_EQ(!dialog.dcoRES_COUNTY_ID->isHidden(), c.countyShown);
      EXPECT_EQ(dialog.dcoRES_COUNTY_ID->Text(), c.countyText);
      EXPECT_EQ(dialog.dcoRES_COUNTY_ID->isEnabled(), c.countyEnabled);
      EXPECT_EQ(!dialog.dcoSCHOOL->isHidden() || !dialog.Combo1->isHidden(), c.extraShown);
      EXPECT_EQ(dialog.Combo1->count(), 0) << "the type list is for unified districts";
      AcknowledgeMessages(1);
      dialog.cmdAddNew_Click();
      EXPECT_EQ(TakeMessages(), Texts{c.message});
      dialog.cmdCancel_Click();
    });
  }
}

TEST_F(NewRecord, TheSelpaFormsHandTheSelpaBackAsDistrictAndSchool) {
  for (int form : {88, 89, 891}) {
    SCOPED_TRACE(testing::Message() << "form " << form);
    gp().FormNo = form;
    modGlobals::glngNewSchoolID = 0;
    Open([&](frmNewRec& dialog) {
      Choose(*dialog.dcoRES_SCHOOL_DISTRICT_ID, form == 891 ? "Alder Foothills SELPA" : "Birch-Cindermoor Regional SELPA");
      dialog.cmdAddNew_Click();
      EXPECT_FALSE(dialog.Loaded());
    });
    EXPECT_EQ(HandedBack(), form == 891 ? std::make_pair(0, 61901) : std::make_pair(0, 62901));
    EXPECT_EQ(modGlobals::glngNewSchoolID, form == 891 ? 6190101 : 6290101) << "a school code of seven digits";
  }
  EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
