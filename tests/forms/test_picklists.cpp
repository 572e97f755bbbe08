// The organisation pick lists on the sample database: the contact window's
// county list, the tax forms' county and district lists by form, tax type and
// period, and the lists of the other products' forms.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "clsMyAdoUtils.h"
#include "ScopeOfParams.h"
#include "modGlobals.h"
#include "modMainPickLists.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

// The rows of a list as "col1|col2|..." texts, in the list's order.
std::vector<std::string> Rows(const db::RecordsetPtr& rs, std::initializer_list<const char*> columns) {
  std::vector<std::string> rows;
  if (!rs || rs->State() != db::ObjectState::Open) return rows;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    std::string row;
    for (const char* column : columns) row += (row.empty() ? "" : "|") + vb::TextOf(rs->Value(column));
    rows.push_back(row);
  }
  return rows;
}

using List = std::vector<std::string>;

class PickLists : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    gp().ReportYear = 2019;
    modGlobals::gintTaxType = 0;
  }
  void TearDown() override {
    modGlobals::gintTaxType = 0;
    ProgramTest::TearDown();
  }
  clsGlobalParam& gp() { return *modGlobals::gobjGlobalParam; }
  // The program's connection (none without the database object) and the
  // scope of the current form, as a window hands them to the lists.
  static db::ConnectionPtr Conn() {
    return modGlobals::gobjAdoUtils ? modGlobals::gobjAdoUtils->Conn() : nullptr;
  }
  forms::FormScope Scope() { return forms::ScopeOf(gp(), modGlobals::gintTaxType); }
  void Execute(const std::string& sql) { modGlobals::gobjAdoUtils->Conn()->Execute(sql); }
  void TaxForm(int form, int taxType, int period, int county) {
    gp().FormNo = form;
    modGlobals::gintTaxType = static_cast<std::int16_t>(taxType);
    gp().ReportPeriod = period;
    gp().CountyID = county;
  }
};

TEST_F(PickLists, ContactCountyListHoldsEveryOpenCountyOfficeOfTheYearOnce) {
  // A closed county office and a county office of another year only.
  Execute(
      "INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, LEA_TYPE, STAT_TYPE)"
      " VALUES (2019, 65, 10650, 0, 'Elmstead County', 2, 'CLOSED'), (2018, 66, 10660, 0, 'Fallow County', 2, 'OPEN')");
  for (int form : {0, 29, 30}) {
    gp().FormNo = form;
    auto rs = modMain::getRS_Counties(Conn(), Scope());
    EXPECT_EQ(Rows(rs, {"COUNTY_ID", "COUNTY"}),
              (List{"61|Alder County", "62|Birch County", "63|Cindermoor County", "64|Dunmerrow County"}))
        << "form " << form;
    EXPECT_EQ(rs->ActiveConnection(), modGlobals::gobjAdoUtils->Conn()) << "the list stays attached";
  }
}

TEST_F(PickLists, CountyListsOfOtherFormsNarrowTheCountyOffices) {
  gp().CountyID = 62;
  gp().DistrictID = 62001;
  gp().FormNo = 80;
  EXPECT_EQ(Rows(modMain::getRS_Counties(Conn(), Scope()), {"county_id"}), (List{"61", "63", "64"}));
  gp().FormNo = 25;  // the offices on the attendance-supplement list
  EXPECT_EQ(Rows(modMain::getRS_Counties(Conn(), Scope()), {"county_id"}), (List{"61", "62"}));
  // Form 22: a district that chose the court-order county sees only the
  // county office of the first court-order district's county.
  gp().FormNo = 22;
  EXPECT_EQ(Rows(modMain::getRS_Counties(Conn(), Scope()), {"county_id"}).size(), 4u);
  Execute("UPDATE KRN_LEAS SET IS_BASIC_AID_CHOICE = 2 WHERE SCHOOL_DISTRICT_ID = 62001 AND SCHOOL_ID = 0");
  EXPECT_EQ(Rows(modMain::getRS_Counties(Conn(), Scope()), {"county_id"}), (List{"61"}));
}

TEST_F(PickLists, TaxCountyListFollowsTaxTypeAndPeriod) {
  struct Case {
    int taxType, period, county;
    List rows;
  };
  const Case cases[] = {
      // County tax type: counties disbursed to in P-1 and P-2, received from in Annual.
      {0, 1, 63, {"62|Birch County", "63|Cindermoor County"}},
      {0, 2, 63, {"62|Birch County", "63|Cindermoor County"}},
      {0, 3, 63, {"63|Cindermoor County"}},
      {0, 3, 62, {"61|Alder County", "62|Birch County", "63|Cindermoor County"}},
      // District tax type: counties paired by loc_county_id in P-1 and P-2, by county_id in Annual.
      {1, 1, 61, {"61|Alder County", "62|Birch County"}},
      {1, 2, 61, {"61|Alder County", "62|Birch County"}},
      {1, 3, 61, {"61|Alder County"}},
  };
  for (const Case& c : cases) {
    TaxForm(29, c.taxType, c.period, c.county);
    auto rs = modMain::getRS_CountiesForTax(Conn(), Scope());
    ASSERT_TRUE(rs) << "tax type " << c.taxType << " period " << c.period;
    const char* key = c.taxType == 0 ? "COUNTYID" : "COUNTY_ID";
    const char* name = c.taxType == 0 ? "COUNTY" : "COUNTY_NAME";
    EXPECT_EQ(Rows(rs, {key, name}), c.rows) << "tax type " << c.taxType << " period " << c.period;
    EXPECT_EQ(rs->ActiveConnection(), nullptr) << "the tax county list comes back detached";
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(PickLists, CountyOfficeFormListsTheOwnCountyAlone) {
  TaxForm(30, 0, 2, 62);
  EXPECT_EQ(Rows(modMain::getRS_CountiesForTax(Conn(), Scope()), {"COUNTY_ID", "COUNTY_NAME"}), (List{"62|Birch County"}));
  TaxForm(30, 0, 2, 65);  // no open county office row
  auto rs = modMain::getRS_CountiesForTax(Conn(), Scope());
  ASSERT_TRUE(rs);
  EXPECT_EQ(rs->RecordCount(), 0);
}

TEST_F(PickLists, TaxCountyListWithoutAStatementIsReportedByTheFetch) {
  TaxForm(7, 0, 2, 61);
  dialogs_.AnswerMsgBox(5);  // Ignore
  EXPECT_EQ(modMain::getRS_CountiesForTax(Conn(), Scope()), nullptr);
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.LastPrompt().title, "Exception");
  EXPECT_NE(dialogs_.LastPrompt().text.find("Source: clsDataAccess"), std::string::npos);
}

TEST_F(PickLists, TaxDistrictListFollowsTheChosenCounty) {
  struct Case {
    int form, taxType;
    Variant county;
    const char* key;
    const char* name;
    List rows;
  };
  const Case cases[] = {
      // County tax type: the open county office of the chosen county.
      {29, 0, Variant(62), "DISTRICT_ID", "DISTRICT", {"10620|Birch County Office of Education"}},
      {29, 0, Variant("63"), "DISTRICT_ID", "DISTRICT", {"10630|Cindermoor County Office of Education"}},
      // District tax type, own county: its open districts by name (the closed one left out).
      {29,
       1,
       Variant(61),
       "SCHOOL_DISTRICT_ID",
       "SCHOOL_DISTRICT_NAME",
       {"61002|Alder Valley High", "61001|Birchwood Elementary", "61003|Fernhill Unified"}},
      // District tax type, another county: the taxsd rows pairing it with the own county.
      {29,
       1,
       Variant("62"),
       "SCHOOL_DISTRICT_ID",
       "SCHOOL_DISTRICT_NAME",
       {"62001|Lanthorn Unified", "62003|Northwend High"}},
      // Form 30: the own county's office and districts, whatever county was chosen.
      {30,
       0,
       Variant(64),
       "DISTRICT_ID",
       "DISTRICT",
       {"10610|Alder County Office of Education", "61002|Alder Valley High", "61001|Birchwood Elementary",
        "61003|Fernhill Unified"}},
      // No county chosen matches nothing.
      {29, 0, Variant(vb::NullValue{}), "DISTRICT_ID", "DISTRICT", {}},
      {29, 1, Variant(""), "SCHOOL_DISTRICT_ID", "SCHOOL_DISTRICT_NAME", {}},
  };
  for (const Case& c : cases) {
    TaxForm(c.form, c.taxType, 2, 61);
    auto rs = modMain::getRS_DistrictsForCOETax(Conn(), Scope(), c.county);
    ASSERT_EQ(rs->State(), db::ObjectState::Open) << c.form << "/" << c.taxType << "/" << vb::CStr(c.county);
    EXPECT_EQ(Rows(rs, {c.key, c.name}), c.rows) << c.form << "/" << c.taxType << "/" << vb::CStr(c.county);
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(PickLists, TaxDistrictListOfAnotherFormComesBackClosedWithoutAReport) {
  for (auto [form, taxType] : {std::pair{7, 0}, std::pair{29, 2}}) {
    TaxForm(form, taxType, 2, 61);
    auto rs = modMain::getRS_DistrictsForCOETax(Conn(), Scope(), Variant(61));
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->State(), db::ObjectState::Closed);
  }
  TaxForm(29, 0, 2, 61);  // a county text that is no number
  EXPECT_EQ(modMain::getRS_DistrictsForCOETax(Conn(), Scope(), Variant("Alder"))->State(), db::ObjectState::Closed);
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(PickLists, WithoutTheDatabaseObjectListsComeBackEmptyOrReportError91) {
  modGlobals::gobjAdoUtils.reset();
  TaxForm(29, 0, 2, 61);
  // Lists that pass failures over answer nothing usable, silently.
  for (const auto& list : {modMain::getRS_Counties(Conn(), Scope()), modMain::getRS_DistrictsForCOETax(Conn(), Scope(), Variant(61)),
                           modMain::getRS_Districts(Conn(), Scope(), Variant(61)), modMain::getRS_ROCPCounties(Conn(), Scope(), false),
                           modMain::getRS_DistrictsForROCP(Conn(), Scope(), "61950", 94), modMain::getRS_SchoolForROCP(Conn(), Scope(), "1", "2", 95)})
    EXPECT_TRUE(!list || list->State() == db::ObjectState::Closed);
  EXPECT_TRUE(dialogs_.Prompts().empty());
  // The others report it.
  dialogs_.AnswerMsgBox(5);
  EXPECT_EQ(modMain::getRS_CountiesForTax(Conn(), Scope()), nullptr);
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Error No: 91"), std::string::npos);
}

TEST_F(PickLists, ListsFollowTheGlobalParametersAtEachCall) {
  TaxForm(29, 0, 1, 63);
  auto p1 = modMain::getRS_CountiesForTax(Conn(), Scope());
  gp().ReportPeriod = 3;
  auto annual = modMain::getRS_CountiesForTax(Conn(), Scope());
  EXPECT_EQ(Rows(p1, {"COUNTYID"}), (List{"62", "63"}));
  EXPECT_EQ(Rows(annual, {"COUNTYID"}), (List{"63"}));
}

TEST_F(PickLists, DistrictListsOfOtherForms) {
  gp().CountyID = 61;
  gp().DistrictID = 61001;
  gp().FormNo = 7;
  EXPECT_EQ(Rows(modMain::getRS_Districts(Conn(), Scope(), Variant(61)), {"district_id"}), (List{"61002", "61001", "61003"}));
  EXPECT_EQ(Rows(modMain::getRS_Districts(Conn(), Scope(), Variant(vb::NullValue{})), {"district_id"}).size(), 9u) << "every county";
  gp().FormNo = 45;  // county offices, districts and schools
  EXPECT_EQ(Rows(modMain::getRS_Districts(Conn(), Scope(), Variant(63)), {"district_id"}), (List{"10630", "63001", "63002"}));
  gp().FormNo = 50;  // a school without a denied district may choose any
  gp().SchoolId = 6100102;
  EXPECT_EQ(Rows(modMain::getRS_Districts(Conn(), Scope(), Variant(61)), {"district_id"}), (List{"61002", "61001", "61003"}));
  Execute("UPDATE KRN_LEAS SET DeniedLEA = 61003 WHERE SCHOOL_ID = 6100102");
  EXPECT_EQ(Rows(modMain::getRS_Districts(Conn(), Scope(), Variant(61)), {"district_id"}), (List{"61002", "61001"}));
  gp().FormNo = 22;         // districts whose grades overlap the own K-8
  gp().DistrictID = 61002;  // a 9-12 high school district
  EXPECT_EQ(Rows(modMain::getRS_Districts(Conn(), Scope(), Variant(0)), {"district_id"}),
            (List{"61002", "61003", "62001", "63001", "62003", "64001"}));
}

TEST_F(PickLists, SelpaListsAreKeyedByDistrictAndSchoolAndAnswerNoneWhenEmpty) {
  auto members = modMain::getRS_SELPADistricts(Conn(), "R2", false);
  ASSERT_TRUE(members);
  EXPECT_EQ(Rows(members, {"SELPA_DISTRICT_NAME", "HashedValue"}),
            (List{"Birch-Cindermoor Regional SELPA| 62901: 6290101", "Lanthorn Unified| 62001: 0"}));
  EXPECT_EQ(modMain::getRS_SELPADistricts(Conn(), "R9", false), nullptr);
  EXPECT_EQ(Rows(modMain::getRS_SELPADistricts(Conn(), "R2", true), {"SELPA_DISTRICT_ID", "SELPA_DistrictRegion"}),
            (List{"62901|", "62001|R2"}));
  EXPECT_EQ(Rows(modMain::getRS_SELPADistricts(Conn(), "R1", true), {"SELPA_DISTRICT_ID", "SELPA_AU_Region"}),
            (List{"10610|R1", "61901|R1"}));

  gp().FormNo = 891;  // SELPAs of other regions, by district name
  EXPECT_EQ(Rows(modMain::getRS_SELPAAus(Conn(), Scope(), "R1"), {"SELPA_AU_NAME", "HashedValue"}),
            (List{"Birch-Cindermoor Regional SELPA| 62901: 6290101"}));
  gp().FormNo = 89;  // the own county's SELPAs, by SELPA name
  gp().CountyID = 61;
  EXPECT_EQ(Rows(modMain::getRS_SELPAAus(Conn(), Scope(), ""), {"SELPA_AU_NAME"}), (List{"Alder Foothills SELPA"}));
  gp().CountyID = 64;
  EXPECT_EQ(modMain::getRS_SELPAAus(Conn(), Scope(), ""), nullptr);
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(PickLists, RocpListsFollowTheUserGroup) {
  gp().CountyID = 61;
  gp().DistrictID = 61001;
  gp().RocpId = 61950;
  for (int group : {2, 3}) {
    gp().UserGroup = group;
    EXPECT_EQ(Rows(modMain::getRS_ROCPCounties(Conn(), Scope(), false), {"school_district_id", "school_district_name"}),
              (List{"61950|Alder Valley Regional Occupational Program"}))
        << "user group " << group;
  }
  gp().UserGroup = 4;
  EXPECT_EQ(modMain::getRS_ROCPCounties(Conn(), Scope(), false)->State(), db::ObjectState::Closed);

  gp().UserGroup = 3;
  EXPECT_EQ(Rows(modMain::getRS_DistrictsForROCP(Conn(), Scope(), "61950", 94), {"school_district_id"}),
            (List{"10610", "61002", "61001", "61003"}));
  gp().UserGroup = 2;
  EXPECT_EQ(Rows(modMain::getRS_DistrictsForROCP(Conn(), Scope(), "61950", 95), {"school_district_id"}), (List{"61002"}));
  EXPECT_EQ(Rows(modMain::getRS_SchoolForROCP(Conn(), Scope(), "61002", "61950", 95), {"school_id", "school_name"}),
            (List{"6100201|Kestrel Ridge High"}));
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

}  // namespace
