#include "CertifiedExportFixture.h"

#include <algorithm>

#include "NeighbourRows.h"
#include "SealedDatabase.h"
#include "clsMyAdoUtils.h"
#include "db/Recordset.h"
#include "frmWait.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "vb/Conversions.h"

namespace {

constexpr const char* kRows = R"(
INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, SCHOOL_DISTRICT_NAME,
  SCHOOL_NAME, LEA_TYPE, STAT_TYPE, CHARTER_ID, CS_BA_CHARTER_FILL_BY_DIST, AU_COUNTY) VALUES
 (2019, 19, 64733, 0, 'Vale County', 'Vale County Office of Education', '', 2, 'OPEN', 'N', 0, 19),
 (2019, 19, 612, 0, 'Vale County', 'Oak "Grove" Unified', '', 3, 'OPEN', 'N', 0, 19),
 (2019, 19, 612, 734, 'Vale County', 'Oak "Grove" Unified', 'Acorn Charter', 4, 'OPEN', 'Y', -1, 19),
 (2019, 20, 64750, 0, 'Wren County', 'Quenmarsh County Office of Education', '', 2, 'OPEN', 'N', 0, 20);
INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, FORM_DISPLAY_NAME, FORM_TITLE1, CATEGORY, COE, SCHD, CHARTER, SELPA,
  REPORTING_PERIOD, FY_2019, OrderNo, Program_Type) VALUES
 (29, 'Tax', 'Property Tax', 'Property Tax', 'T', 'Y', 'N', 'N', 'N', 'P-1, P-2, Annual', 'Y', 1, 2),
 (27, 'EDS_CS', 'Excess Debt Service - Charter School', 'EDS', 'T', 'Y', 'N', 'N', 'N', 'P-1, P-2', 'Y', 3, 3);
INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,
  CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE) VALUES
 (2019, 2, 19, 64733, 0, 29, 1111, 2, 0, 0, '2026-12-01 10:00:00', '2026-12-01 10:00:00'),
 (2019, 2, 19, 64733, 0, 27, 2222, 1, 1, 0, '2026-12-01 10:00:00', '2026-12-01 10:00:00'),
 (2019, 2, 19, 612, 0, 29, 3333, 1, 0, 0, '2026-12-02 10:00:00', '2026-12-02 11:00:00'),
 (2019, 2, 20, 64750, 0, 29, 4444, 1, 0, 0, '2026-12-02 10:00:00', '2026-12-02 11:00:00');
INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,
  RES_SCHOOL_DISTRICT_ID, TaxType, ResSchoolDistName, Secured, Total) VALUES
 (2019, 2, 19, 64733, 0, 19, 64733, 0, 'Vale County Office of Education', 100, 100),
 (2019, 2, 19, 64733, 0, 19, 612, 1, 'Oak "Grove" Unified', 200, 200),
 (2019, 2, 19, 612, 0, 19, 612, 1, 'Oak "Grove" Unified', 300, 300),
 (2019, 2, 20, 64750, 0, 20, 64750, 0, 'Quenmarsh County Office of Education', 400, 400);
INSERT INTO TORB_FORM_NOTES (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, FORM_NAME, FORM_NOTE)
  VALUES (19, 612, 0, 2019, 2, 'Tax', 'Checked with the auditor.');
INSERT INTO TorbLeaNotes (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TYPE, Qn1) VALUES
 (2019, 2, 19, 64733, 0, 'COUNTY', 1), (2019, 1, 19, 64733, 0, 'COUNTY', 1), (2019, 2, 20, 64750, 0, 'COUNTY', 1);
INSERT INTO ImportContactInfo (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, CONTACT,
  SCHOOL_DISTRICT_NAME) VALUES (20, 64750, 0, 2019, 2, 'W Reed', 'Quenmarsh County Office of Education');
INSERT INTO EXPORT_FILE_INFO (FORM_GROUP_NAME, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,
  CONTACT) VALUES ('Tax', 2019, 2, 20, 64750, 0, 'W Reed');
CREATE VIEW TaxTotals AS SELECT COUNTY_ID, sum(Total) AS Total FROM Tax GROUP BY COUNTY_ID;
CREATE TABLE Scratch (Note TEXT);
CREATE TRIGGER NoteKept AFTER UPDATE ON TORB_FORM_NOTES BEGIN SELECT 1; END;
INSERT INTO Scratch VALUES ('Quenmarsh');
)";

}  // namespace

void CertifiedExportTest::SetUp() {
  ProgramTest::SetUp();
  fixtures::BuildDatabase(DatabasePath(), false);
  Execute(kRows);
  {
    // The county office's rows of another year and another period.
    const db::ConnectionPtr conn = OpenDatabase();
    for (const char* table : {"LEA_FORMS_STATUS", "Tax"}) {
      const fixtures::Cells office = {{"COUNTY_ID", vb::Variant(19)}, {"SCHOOL_DISTRICT_ID", vb::Variant(64733)},
                                      {"FISCAL_YEAR", vb::Variant(2019)}, {"PERIOD_ID", vb::Variant(2)}};
      fixtures::AddNeighbours(*conn, table, office, {{"FISCAL_YEAR", vb::Variant(2018)}});
      fixtures::AddNeighbours(*conn, table, office, {{"PERIOD_ID", vb::Variant(1)}});
    }
  }
  clock_ = std::make_unique<ScriptedClock>(
      vb::Date{vb::DateSerial(2026, 12, 9).serial + vb::TimeSerial(14, 33, 57).serial});
  clsGlobalParam& G = *modGlobals::gobjGlobalParam;
  G.ReportYear = 2019;
  G.ReportPeriod = 2;
  G.PeriodText = "P-2";
  G.Username = "J O'Brien";
  G.UserPhone = "9165550142";
  G.UserFax = "";
  G.UserEMail = "jobrien@vale.example";
  G.BasePath = ProgramFolder().string();
  LogOn(2, 19, 64733);
  modGlobals::gstrVersion = "19.00";
  modGlobals::gblnExportRunning = false;
}

void CertifiedExportTest::TearDown() {
  run_.reset();
  plain_.clear();
  modMain::ShowWaitMsg("");
  clock_.reset();
  ProgramTest::TearDown();
}

void CertifiedExportTest::LogOn(std::int32_t group, std::int32_t county, std::int32_t district, std::int32_t school,
                                bool selpaAu, std::int32_t kindShown) {
  clsGlobalParam& G = *modGlobals::gobjGlobalParam;
  G.LogonUserGroup = group;
  G.UserGroup = kindShown ? kindShown : group;
  G.CountyID = county;
  G.DistrictID = G.LogonDistrictID = district;
  G.SchoolId = school;
  G.bSelpaAu = selpaAu;
  G.DistrictName = "Vale County Office of Education";
  G.SchoolName = school ? "Acorn Charter" : "";
  params_ = G;
}

void CertifiedExportTest::Choose(const std::vector<Agency>& agencies, const std::vector<int>& forms,
                                 const std::vector<int>& unchosen) {
  selection_ = ExportSelection();
  SelectionTree& lea = selection_.tvwLEA;
  const int root = lea.Add(0, ExportSelection::kRootKey, "LEA(s)", true);
  const int kind = lea.Add(root, "County Offices of Education", "County Offices of Education");
  selection_.arrLeaTree.Grow(9, 1);
  for (int r : {0, 1}) {
    selection_.arrLeaTree.At(0, r) = "DUMMY";
    selection_.arrLeaTree.At(9, r) = "0";
  }
  for (const Agency& a : agencies) {
    const int node = lea.Add(kind, std::to_string(100 + lea.Count()) + ":County Offices of Education:" +
                                       std::to_string(a.district), std::to_string(a.district));
    selection_.arrLeaTree.Grow(9, node - 1);
    const std::string row[] = {std::to_string(a.district), vb::Format(vb::Variant(a.school), "0000000"), "", "",
                               std::to_string(a.county), a.corrected, std::to_string(a.leaType), a.region,
                               a.auCounty, "1"};
    for (int c = 0; c <= 9; ++c) selection_.arrLeaTree.At(c, node - 1) = row[c];
    selection_.intLeaRowCount = static_cast<std::int16_t>(node - 1);
  }
  SelectionTree& programs = selection_.tvwProgram;
  const int top = programs.Add(0, ExportSelection::kRootKey, "Program(s)", true);
  const int office = programs.Add(top, "County Offices of Education", "County Offices of Education", true);
  const int tax = programs.Add(office, "County Offices of Education-Tax", "Tax");
  for (int form : forms) {
    const int node = programs.Add(tax, vb::Format(vb::Variant(form), "000") + ":County Offices of Education:F", "F");
    programs.Node(node).state =
        std::find(unchosen.begin(), unchosen.end(), form) == unchosen.end() ? NodeState::All : NodeState::None;
  }
}

CertifiedExport& CertifiedExportTest::Export(bool partial, bool priorYear, bool selpa, std::int16_t programType,
                                             bool report) {
  if (report) dialogs_.AnswerModal([](QWidget&) { return 0; });
  run_ = std::make_unique<CertifiedExport>(selection_, params_, *mainWindow_, emptyRuns_, [this](bool on) {
    windowStates_.push_back(std::string(on ? "enabled" : "disabled") +
                            (frmWait::Default().isVisible() ? " under the wait box" : ""));
  });
  run_->SealKeyCost(fixtures::kTestKeyCost);
  std::string forms = ExportSelection::GetSelectedFormNos(selection_.tvwProgram);
  run_->ExportCertified(forms, selpa, partial, priorYear, programType);
  return *run_;
}

db::ConnectionPtr CertifiedExportTest::OpenFile(const std::filesystem::path& file) {
  plain_.push_back(db::unseal(file, CertifiedExport::kFilePassword));
  return db::Connection::OpenNew(db::Connection::ConnectionStringFor(plain_.back().Path().string()));
}

std::vector<std::string> CertifiedExportTest::Rows(const db::ConnectionPtr& conn, const std::string& sql) {
  std::vector<std::string> rows;
  const db::RecordsetPtr rs = db::Recordset::Query(sql, conn);
  for (; !rs->Eof(); rs->MoveNext()) {
    std::string text;
    for (int i = 0; i < rs->FieldCount(); ++i) text += (i ? "|" : "") + vb::TextOf(rs->Value(i));
    rows.push_back(text);
  }
  return rows;
}

std::map<std::string, std::set<std::string>> CertifiedExportTest::Dump() {
  const db::ConnectionPtr conn = OpenDatabase();
  std::map<std::string, std::set<std::string>> tables;
  for (const std::string& table : Rows(conn, "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name")) {
    const std::vector<std::string> rows = Rows(conn, "SELECT * FROM \"" + table + "\"");
    tables[table] = std::set<std::string>(rows.begin(), rows.end());
  }
  return tables;
}

std::vector<std::string> CertifiedExportTest::ExportFolder() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(ProgramFolder() / "Export"))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}
