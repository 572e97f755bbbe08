// The export run's frame: the file name, the decision on each pair, the
// selection conditions, the copy of the working database, the seal and the
// working database's record of the export, and the report.

#include "CertifiedExport.h"

#include <algorithm>
#include <memory>

#include "CertifiedExportRun.h"
#include "Utilities.h"
#include "clsMyAdoUtils.h"
#include "db/Recordset.h"
#include "modCOEStatus.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Pump.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using vb::Variant;

namespace {

constexpr const char* kModule = "frmExport";
constexpr const char* kProcedure = "ExportCertified";

// The product code that begins every file name of this program.
constexpr const char* kProductCode = "VuzO";
constexpr const char* kExporting = "Exporting Certified Data...";
constexpr const char* kCorrectedPrograms = "LEA(s) have corrected programs. Cannot export in this mode";
constexpr const char* kLocked = " is currently open and locked by another process.";
constexpr const char* kFailed = "Export process failed. No file was written.";
using vb::kCrLf;

// --- The file name's agency part, by logon group: D the window's district,
// --- S the program-wide school.
struct AgencyPart {
  std::int32_t group;
  const char* pattern;
};
constexpr AgencyPart kAgencyParts[] = {{2, ""}, {7, ""}, {3, "_D"}, {5, "_D"}, {4, "_D_S"}};
constexpr const char* kOtherGroupsAgencyPart = "_D_D";

// The district-kind forms that a county office exports for itself.
constexpr std::int32_t kCountyOfficeDistrictForms[] = {27, 28, 94, 95, 96, 212, 506, 510};
// The correction checks: the exporting agency's own tax form, and the
// county's SELPA forms.
constexpr std::int32_t kTaxForm = 29;
const std::vector<std::int32_t> kSelpaCorrectionForms = {100, 102};

// A text of the selection that must be a whole number.
std::int64_t WholeNumber(const std::string& text, const char* what) {
  const std::string t = vb::Trim(text);
  const bool digits = !t.empty() && t.size() <= 18 &&
                      std::all_of(t.begin() + (t[0] == '-' ? 1 : 0), t.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
                      t != "-";
  if (!digits)
    throw vb::VbError(vb::err::TypeMismatch, std::string("The ") + what + " \"" + text + "\" of the export is no whole number.");
  return std::stoll(t);
}

bool Ready(const CertifiedExport::StatusFacts& r) {
  if (r.numRecord.IsNull() || r.numError.IsNull() || r.editCheck.IsNull() || r.modified.IsNull()) return false;
  return vb::CDbl(r.numRecord) > 0 && vb::CDbl(r.numError) == 0 &&
         vb::CDate(r.editCheck).serial >= vb::CDate(r.modified).serial;
}

double Number(const std::string& text) { return vb::CDbl(Variant(text)); }

bool OneOf(double value, std::initializer_list<double> set) {
  return std::find(set.begin(), set.end(), value) != set.end();
}

// --- The decision table: the first test that applies decides the pair. A
// --- test from 7 on reads the copy's status row of the pair.
using Facts = CertifiedExport::PairFacts;
using Row = std::optional<CertifiedExport::StatusFacts>;
using CopyRow = CertifiedExport::CopyRow;
struct Test {
  int number;
  bool (*applies)(const Facts&, const Row&);
  const char* message;  // nullptr: no report line
  bool selpaForm;       // the line takes the SELPA form for a SELPA program
  CopyRow copyRow;
  bool exported;
};
const Test kDecisionTable[] = {
    {1, [](const Facts& f, const Row&) { return !f.priorYearMode && f.workingCorrected(); },
     "-- Corrections Reported. Record Not Exported.", false, CopyRow::Kept, false},
    {2,
     [](const Facts& f, const Row&) {
       if (f.PT == f.T) return false;
       const bool selpaOfAuCounty = Number(f.PT) == 5 && vb::Len(f.R) == 4 && f.A == std::to_string(f.C);
       const bool elsewherePartial = f.differentSelpaLocation && f.partialSelection;
       const bool countyOfficeOwn =
           Number(f.T) == 2 && Number(f.PT) == 3 &&
           std::find(std::begin(kCountyOfficeDistrictForms), std::end(kCountyOfficeDistrictForms), f.F) !=
               std::end(kCountyOfficeDistrictForms);
       return !(selpaOfAuCounty || elsewherePartial || countyOfficeOwn);
     },
     nullptr, false, CopyRow::Kept, false},
    {3, [](const Facts& f, const Row&) { return OneOf(Number(f.PT), {2, 3, 4}) && f.K != f.C; }, nullptr, false,
     CopyRow::Kept, false},
    {4, [](const Facts& f, const Row&) { return f.logonGroup == 3 && OneOf(Number(f.PT), {3, 4}) && f.D != f.DW; },
     nullptr, false, CopyRow::Kept, false},
    {5, [](const Facts& f, const Row&) { return f.sharedProgramInvalid(); }, nullptr, false, CopyRow::Kept, false},
    {6, [](const Facts& f, const Row&) { return f.F == 96; }, "-- Not applicable for Export.", false, CopyRow::Kept,
     false},
    {7, [](const Facts&, const Row& r) { return !r.has_value(); }, "-- No Records to Export.", true, CopyRow::Missing,
     false},
    {8,
     [](const Facts& f, const Row& r) {
       return Ready(*r) && f.correctionMarked && !r->corrected.IsNull() && vb::TextOf(r->corrected) == "No";
     },
     "-- No Corrections Reported.", true, CopyRow::Deleted, false},
    {9, [](const Facts&, const Row& r) { return Ready(*r); }, "-- Number of Records Exported = ", true, CopyRow::Kept,
     true},
    {10, [](const Facts&, const Row& r) { return r->numRecord.IsNull(); }, "-- No Records to Export.", true,
     CopyRow::Deleted, false},
    {11, [](const Facts&, const Row&) { return true; }, "-- Export Failed due to Error(s) in Edit Check.", true,
     CopyRow::Deleted, false},
};

// The first row of a status query on the working database is marked
// corrected.
// The status row of an agency's form in the report year and period of
// `params`.
forms::FormScope StatusScope(const clsGlobalParam& params, std::int64_t county, std::int64_t district,
                             std::int64_t school, std::int32_t form) {
  forms::FormScope scope;
  scope.year = params.ReportYear;
  scope.period = params.ReportPeriod;
  scope.county = static_cast<std::int32_t>(county);
  scope.district = static_cast<std::int32_t>(district);
  scope.school = static_cast<std::int32_t>(school);
  scope.formNo = form;
  return scope;
}

bool FirstRowCorrected(const db::SqlText& q) {
  const db::RecordsetPtr rs = db::Recordset::Query(q.Sql(), modGlobals::SharedConnection(), q.Params());
  return !rs->Eof() && vb::UCase(vb::TextOf(rs->Value("PY_FORMS_CORRECTED"))) == "YES";
}

// "Export Date & Time: Dec-09-2026  14:33:57" and two line breaks.
std::string DateLine(const vb::Date& now) {
  return "Export Date & Time: " + vb::Format(Variant(now), "mmm-dd-yyyy") + "  " +
         vb::Format(Variant(now), "hh:mm:ss") + kCrLf + kCrLf;
}

}  // namespace

// --- The run's state ----------------------------------------------------------------------

CertifiedExport::Run::Run(CertifiedExport& owner_, std::string& formNumbers, bool selpaExport, bool partialSelection,
                          bool priorYearMode, std::int16_t programExportType)
    : owner(owner_),
      strFormNumbers(formNumbers),
      blnSelpaExport(selpaExport),
      blnPartialSelection(partialSelection),
      blnPriorYearMode(priorYearMode),
      intProgramExportType(programExportType),
      GParam(owner_.GParam_),
      G(modGlobals::GlobalParam()),
      trap(kModule, kProcedure) {}

void CertifiedExport::Run::Yield() { ui::DoEvents(); }

// --- The run ------------------------------------------------------------------------------

CertifiedExport::CertifiedExport(ExportSelection& selection, const clsGlobalParam& GParam, MainWindowLink& mainWindow,
                                 std::int16_t& intEmptyRunCount, std::function<void(bool)> windowEnabled)
    : selection_(selection),
      GParam_(GParam),
      mainWindow_(mainWindow),
      intEmptyRunCount_(intEmptyRunCount),
      windowEnabled_(std::move(windowEnabled)) {}

CertifiedExport::~CertifiedExport() = default;

void CertifiedExport::ExportCertified(std::string& strFormNumbers, bool blnSelpaExport, bool blnPartialSelection,
                                      bool blnPriorYearMode, std::int16_t intProgramExportType) {
  writtenFile_.clear();
  report_.clear();
  RunOnce(strFormNumbers, blnSelpaExport, blnPartialSelection, blnPriorYearMode, intProgramExportType);
}

void CertifiedExport::RunOnce(std::string& strFormNumbers, bool blnSelpaExport, bool blnPartialSelection,
                              bool blnPriorYearMode, std::int16_t intProgramExportType) {
  Run run(*this, strFormNumbers, blnSelpaExport, blnPartialSelection, blnPriorYearMode, intProgramExportType);
  const clsGlobalParam& P = GParam_;
  clsGlobalParam& G = run.G;
  auto enableWindow = [&](bool on) {
    if (windowEnabled_) windowEnabled_(on);
  };
  // The end of a run that a failed step stopped.
  auto failed = [&] {
    Trap quiet(kModule, kProcedure, Trap::Mode::Silent);
    quiet([&] { run.conExport.reset(); });
    quiet([] { modMain::ShowWaitMsg(""); });
    quiet([] { ui::MsgBox(kFailed, ui::vbInformation); });
  };

  // --- Start.
  const bool taxOrRevenueKind = intProgramExportType == 2 || intProgramExportType == 4;
  const bool attendanceKind = intProgramExportType == 3;
  run.Do([&] { selection_.intSelectedProgramCount = 0; });
  run.Do([&] { run.strNow = ui::Now(); });
  run.Do([&] {
    // Disabled first, so that the window is painted so while the box shows.
    enableWindow(false);
    modMain::ShowWaitMsg(kExporting);
  });
  run.Do([&] { run.arrSelectedLeas = selection_.GetSelectedALL(); });
  bool correctedSelected = false;
  run.Do([&] {
    for (int i = 0; i < selection_.intSelectedLeaCount && !correctedSelected; ++i)
      correctedSelected = vb::UCase(run.arrSelectedLeas.At(5, i)) == "YES";
  });

  // --- The correction checks.
  bool correctedMark = false, stop = false;
  run.Do([&] {
    forms::FormScope own;
    own.year = P.ReportYear;
    own.period = P.ReportPeriod;
    own.county = P.CountyID;
    own.district = P.DistrictID;
    own.school = 0;
    own.formNo = kTaxForm;
    if (blnPriorYearMode)
      correctedMark = correctedSelected;
    else if (correctedSelected && taxOrRevenueKind)
      stop = FirstRowCorrected(modCOE::StatusRowQuery(own));
    else if (correctedSelected && attendanceKind)
      stop = FirstRowCorrected(modCOE::CountyStatusRowsQuery(own, kSelpaCorrectionForms));
  });
  if (stop) {
    run.Do([&] {
      modMain::ShowWaitMsg("");
      ui::MsgBox(kCorrectedPrograms, ui::vbInformation);
      enableWindow(true);
    });
    return;
  }

  // --- The program list and the file name.
  run.Do([&] {
    Run::Yield();
    run.arrSelectedPrograms = selection_.GetSelectedProgramALL(strFormNumbers);
    Run::Yield();
  });
  run.Do([&] {
    run.strExportFileName = FileName(modGlobals::gstrVersion, blnSelpaExport, G.ReportPeriod, correctedMark,
                                     P.CountyID, G.LogonUserGroup, P.DistrictID, G.SchoolId, run.strNow);
  });
  if (run.ended) return failed();

  // --- The copy of the working database, while the program holds no
  // --- connection to it.
  bool locked = false;
  run.Do([&] { mainWindow_.DisconnectTopandBottomGrid(); });
  run.Do([&] { modGlobals::AdoUtils().CloseConn(); });
  run.Do([&] {
    try {
      run.conExport = db::CopyIntoMemory(G.RegMDBFile());
    } catch (const vb::VbError& e) {
      if (e.Number() != vb::err::FileInUse) throw;
      locked = true;
    }
  });
  if (locked) {
    run.Do([&] {
      modMain::ShowWaitMsg("");
      ui::MsgBox(G.RegMDBFile() + kLocked, ui::vbInformation);
    });
  }
  {
    // The main window gets its connection and lists back whatever happened.
    Trap back(kModule, kProcedure);
    auto again = [&](auto&& step) {
      if (!back(step)) run.ended = true;
    };
    again([] { modGlobals::AdoUtils().OpenConn(); });
    again([&] { mainWindow_.ConnectTopandBottomGrid(); });
    again([&] {
      struct Running {
        Running() { modGlobals::gblnExportRunning = true; }
        ~Running() { modGlobals::gblnExportRunning = false; }
      } running;
      mainWindow_.RefreshTopandBottomGrid(true);
    });
  }
  if (locked) return;
  if (run.ended) return failed();

  // --- The pairs.
  run.Do([&] {
    // A private copy in memory: its journal and work tables in memory too.
    // Deleted rows need not be overwritten: the sealed file is compacted
    // from the live rows.
    run.conExport->ExecuteScript(
        "PRAGMA journal_mode = MEMORY; PRAGMA synchronous = OFF; PRAGMA temp_store = MEMORY; "
        "PRAGMA secure_delete = OFF;");
  });
  std::vector<Pair> exportedKeys;  // the exported pairs with their own forms
  const std::int32_t programs = selection_.intSelectedProgramCount;
  const std::int32_t agencies = selection_.intSelectedLeaCount;
  std::string groupName;
  for (int p = 0; p < programs && !run.ended; ++p) {
    run.Do([&] {
      const std::string display = run.arrSelectedPrograms.At(0, p);
      if (p == 0)
        run.strLog += "Export Group: " + display + kCrLf;
      else if (display != groupName)
        run.strLog += std::string(kCrLf) + kCrLf + "Export Group: " + display + kCrLf;
    });
    for (int a = 0; a < agencies && !run.ended; ++a) {
      run.Do([&] {
        const SelectionArray& L = run.arrSelectedLeas;
        const SelectionArray& F = run.arrSelectedPrograms;
        PairFacts facts;
        facts.priorYearMode = blnPriorYearMode;
        facts.correctionMarked = mainWindow_.CorrectionMarked();
        facts.differentSelpaLocation = G.bDifferentSelpaLocation;
        facts.partialSelection = blnPartialSelection;
        facts.logonGroup = G.LogonUserGroup;
        facts.C = P.CountyID;
        facts.DW = P.DistrictID;
        facts.F = static_cast<std::int32_t>(WholeNumber(F.At(1, p), "form number"));
        facts.PT = F.At(4, p);
        facts.D = WholeNumber(L.At(0, a), "district");
        facts.S = WholeNumber(L.At(1, a), "school");
        facts.K = WholeNumber(L.At(4, a), "county");
        facts.T = L.At(6, a);
        facts.R = L.At(7, a);
        facts.A = L.At(8, a);
        const forms::FormScope working = StatusScope(P, P.CountyID, facts.D, facts.S, facts.F);
        facts.workingCorrected = [working] { return FirstRowCorrected(modCOE::StatusRowQuery(working)); };
        facts.sharedProgramInvalid = [&] {
          return selection_.InvalidLeaSharedProgram(static_cast<std::int16_t>(facts.F),
                                                    static_cast<std::int16_t>(Number(facts.T)));
        };
        // The pair's status row in the export copy.
        const forms::FormScope copied = StatusScope(G, facts.K, facts.D, facts.S, facts.F);
        facts.copyRow = [&]() -> std::optional<StatusFacts> {
          const db::SqlText q = modCOE::StatusRowQuery(copied);
          const db::RecordsetPtr rs = db::Recordset::Query(q.Sql(), run.conExport, q.Params());
          if (rs->Eof()) return std::nullopt;
          return StatusFacts{rs->Value("NUM_RECORD"), rs->Value("NUM_ERROR"), rs->Value("LAST_EDIT_CHECK_DATE"),
                             rs->Value("LAST_MODIFIED_DATE"), rs->Value("PY_FORMS_CORRECTED")};
        };
        const Decision decision = Decide(facts);
        if (decision.copyRow == CopyRow::Deleted) {
          const db::SqlText del = modCOE::DeleteStatusRowStatement(copied);
          run.OnCopy(del.Sql(), del.Params());
        }
        if (decision.exported) {
          Pair pair{facts.F, facts.D, facts.S, facts.K};
          exportedKeys.push_back(pair);
          if (G.LogonUserGroup != 3 && G.LogonUserGroup != 4 && (facts.F == kForm508 || facts.F == kForm509)) {
            (facts.F == kForm508 ? run.blnForm508Exported : run.blnForm509Exported) = true;
            pair.form = kRecordedAs;
          }
          run.strExportedPairs.push_back(pair);
        }
        run.strLog += ReportLine(decision, L.At(0, a), L.At(1, a), facts.R);
        Run::Yield();
      });
    }
    run.Do([&] { groupName = run.arrSelectedPrograms.At(0, p); });
  }
  if (run.ended) return failed();

  // --- A run that exported nothing.
  if (run.strExportedPairs.empty()) {
    run.Do([&] {
      Run::Yield();
      run.conExport.reset();
      modMain::ShowWaitMsg("");
      ++intEmptyRunCount_;
    });
    if (run.ended) return failed();
    if (intEmptyRunCount_ > 1) {
      run.Do([&] {
        intEmptyRunCount_ = 0;
        report_ = DateLine(run.strNow) + run.strLog;
        Utilities::TransferStatus(report_);
        enableWindow(true);
      });
      return;
    }
    return RunOnce(strFormNumbers, blnSelpaExport, blnPartialSelection, blnPriorYearMode, intProgramExportType);
  }

  // --- The file's key, derived on a worker thread while the copy is
  // --- pruned: only a run that writes a file spends the tenth of a second.
  run.Do([&] {
    if (!run.sealKey.valid())
      run.sealKey = std::async(std::launch::async | std::launch::deferred,
                               [cost = sealCost_] { return db::SealKey(kFilePassword, cost); });
  });

  // --- The file's content, on the copy.
  run.Do([&] { run.conditions = BuildConditions(run.strExportedPairs, *run.conExport); });
  run.Do([&] { run.DropUnkeptTables(); });
  run.Do([&] { run.PruneStatusRows(); });
  run.Do([&] { run.FillTableOfContents(); });
  run.Do([&] { run.PruneDataTables(); });
  run.PruneSideTables();
  run.Do([&] { run.WriteOwnContactRow(); });
  run.Do([&] { run.DropTriggers(); });
  if (run.ended) return failed();

  // --- The sealed file, and the working database's record of it: both or
  // --- neither.
  const std::filesystem::path target = std::filesystem::path(vb::App::Path()) / "Export" / run.strExportFileName;
  bool sealed = false;
  {
    std::unique_ptr<db::Transaction> trans;
    const db::ConnectionPtr working = modGlobals::SharedConnection();
    run.Do([&] { trans = std::make_unique<db::Transaction>(*working); });
    run.Do([&] {
      for (const Pair& pair : exportedKeys) {
        modCOE::WriteLastExportDate(working, StatusScope(G, pair.county, pair.district, pair.school, pair.form),
                                    run.strNow);
      }
    });
    run.Do([&] {
      for (const std::vector<Variant>& row : run.fileInfoRows) {
        working->Execute(
            "DELETE FROM EXPORT_FILE_INFO WHERE FORM_GROUP_NAME = ? AND FISCAL_YEAR = ? AND PERIOD_ID = ? AND "
            "COUNTY_ID = ? AND SCHOOL_DISTRICT_ID = ? AND SCHOOL_ID = ?",
            {row.begin(), row.begin() + 6});
        working->Execute("INSERT INTO EXPORT_FILE_INFO VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)", row);
      }
    });
    run.Do([&] {
      // A repeated step derives a key of its own: the first one is used up.
      db::SealKey key = run.sealKey.valid() ? run.sealKey.get() : db::SealKey(kFilePassword, sealCost_);
      db::seal(*run.conExport, target, std::move(key));
      sealed = true;
    });
    // The copy is done with: its memory goes back now.
    run.conExport.reset();
    run.Do([&] { trans->Commit(); });
    if (run.ended && sealed) {
      std::error_code ec;
      std::filesystem::remove(target, ec);
    }
  }
  if (run.ended) return failed();
  writtenFile_ = target;

  // --- The report.
  run.Do([] { modMain::ShowWaitMsg(""); });
  run.Do([&] {
    report_ = DateLine(run.strNow) + "Certified Data FileName: " + G.ExportPath() + run.strExportFileName + kCrLf +
              kCrLf + run.strLog;
    Utilities::TransferStatus(report_);
  });
}

// --- The file name ---------------------------------------------------------------------------

std::string CertifiedExport::FileName(const std::string& version, bool selpaExport, std::int32_t period,
                                      bool corrected, std::int32_t county, std::int32_t logonGroup,
                                      std::int32_t district, std::int32_t school, const vb::Date& start) {
  const char* pattern = kOtherGroupsAgencyPart;
  for (const AgencyPart& part : kAgencyParts)
    if (part.group == logonGroup) pattern = part.pattern;
  std::string agency;
  for (const char* c = pattern; *c; ++c) {
    if (*c == 'D')
      agency += std::to_string(district);
    else if (*c == 'S')
      agency += std::to_string(school);
    else
      agency += *c;
  }
  const Variant at(start);
  const std::string stamp = vb::Format(at, "mmm") + "_" + vb::Format(at, "dd") + "_" + vb::Format(at, "yyyy") + "_" +
                            vb::Replace(vb::Format(at, "hh:mm:ss"), ":", "_");
  return std::string(kProductCode) + vb::Replace(version, ".", "_") + (selpaExport ? "SELPA" : "") + "_" +
         std::to_string(period) + (corrected ? "C" : "") + "_" + vb::Format(Variant(county), "00") + agency + "_" +
         stamp;
}

// --- The decision ----------------------------------------------------------------------------

CertifiedExport::Decision CertifiedExport::Decide(const PairFacts& facts) {
  Row row;
  bool read = false;
  for (const Test& test : kDecisionTable) {
    if (test.number >= 7 && !read) {
      row = facts.copyRow();
      read = true;
    }
    if (!test.applies(facts, row)) continue;
    Decision d;
    d.test = test.number;
    d.copyRow = test.copyRow;
    d.exported = test.exported;
    if (test.message) {
      d.message = test.message;
      if (test.exported) d.message += vb::CStr(row->numRecord);
      const bool selpa = test.selpaForm && Number(facts.PT) == 5 && vb::Len(facts.R) == 4;
      d.line = selpa ? LineForm::Selpa : LineForm::Standard;
    }
    return d;
  }
  return {};
}

std::string CertifiedExport::ReportLine(const Decision& decision, const std::string& D, const std::string& S,
                                        const std::string& R) {
  if (decision.line == LineForm::None) return {};
  std::string line = "\t\tLEA: " + D;
  if (decision.line == LineForm::Selpa)
    line += "-" + R + "\t";
  else if (vb::CLng(Variant(S)) <= 0)
    line += "\t\t";
  else
    line += "-" + S + "\t";
  return line + decision.message + kCrLf;
}

// --- The selection conditions ---------------------------------------------------------------------

CertifiedExport::Conditions CertifiedExport::BuildConditions(std::vector<Pair>& pairs, db::Connection& copy) {
  Conditions c;
  if (pairs.empty()) return c;
  auto text = [](std::int64_t v) { return std::to_string(v); };
  std::string formExclusion = " FORM_NO <> " + text(pairs[0].form) + " AND ";
  if (pairs[0].form == kForm508 || pairs[0].form == kForm509) pairs[0].form = kRecordedAs;
  std::string formInclusion = "FORM_NO in (" + text(pairs[0].form) + ",";
  std::int32_t previous = pairs[0].form;
  std::string agencies;
  std::vector<std::int64_t> counties, districts, schools;
  auto distinct = [](std::vector<std::int64_t>& list, std::int64_t v) {
    if (std::find(list.begin(), list.end(), v) == list.end()) list.push_back(v);
  };
  for (std::size_t r = 0; r < pairs.size(); ++r) {
    const Pair& p = pairs[r];
    if (r != 0 && p.form != previous) {
      formExclusion += " FORM_NO <> " + text(p.form) + " AND ";
      if (p.form == kForm508 || p.form == kForm509) formInclusion += text(kRecordedAs) + ",";
      formInclusion += text(p.form) + ",";
      previous = p.form;
    }
    if (pairs.size() <= kTextTerms) {
      agencies += "( ";
      agencies += " school_district_id = " + text(p.district) + " AND " + " county_id = " + text(p.county) + " AND " +
                  " school_id = " + text(p.school) + " ) or ";
    }
    distinct(counties, p.county);
    distinct(districts, p.district);
    distinct(schools, p.school);
  }
  c.formExclusion = vb::Trim(formExclusion.substr(0, formExclusion.size() - 4));
  c.formInclusion = vb::Trim(formInclusion.substr(0, formInclusion.size() - 1)) + ")";
  if (pairs.size() <= kTextTerms) {
    c.negatedAgency = "NOT ( " + vb::Trim(agencies.substr(0, agencies.size() - 3)) + " )";
  } else {
    std::vector<std::vector<std::int64_t>> keys;
    for (const Pair& p : pairs) keys.push_back({p.district, p.county, p.school});
    c.negatedAgency = "NOT ( " + Run::KeyTable(copy, {"school_district_id", "county_id", "school_id"}, keys) + " )";
  }
  auto exclusion = [&](const char* column, const std::vector<std::int64_t>& values) {
    if (values.size() > kTextTerms) {
      std::string list;
      for (std::int64_t v : values) list += (list.empty() ? "" : ", ") + text(v);
      return "( " + std::string(column) + " NOT IN (" + list + ") )";
    }
    std::string condition = "( " + std::string(column) + " <> " + text(values[0]);
    for (std::size_t i = 1; i < values.size(); ++i) condition += " and " + std::string(column) + " <> " + text(values[i]);
    return condition + " )";
  };
  c.countyExclusion = exclusion("county_id", counties);
  c.districtExclusion = exclusion("school_district_id", districts);
  c.schoolExclusion = exclusion("school_id", schools);
  return c;
}
