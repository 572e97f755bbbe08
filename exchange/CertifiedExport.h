#pragma once
// The certified-data export run: turns the export window's choice into one
// certified-data file in the program's Export folder, and records the
// export in the working database.
//
//   CertifiedExport run(window.Selection(), *window.GParam, mainWindowLink, intEmptyRunCount,
//                       [&](bool on) { window.setEnabled(on); });
//   run.ExportCertified(formNumbers, selpaExport, partialSelection, priorYearMode, programExportType);
//
// The run copies the working database (a private copy in memory, read
// through a read-only connection of its own, while the main window has
// let go of its lists and the main connection is closed), decides each pair
// of a chosen program and agency, prunes the copy to the exported pairs'
// status rows and the data, notes, answers and contacts that go with them,
// seals it as "<program folder>/Export/<name>" with the file password and
// shows the run's report. The working database receives LAST_EXPORT_DATE of
// the exported pairs and the file's EXPORT_FILE_INFO rows in one
// transaction, committed once the file has its final name: an export
// without a file leaves no trace there.
//
// Failures go to the guard of frmExport.ExportCertified: Retry repeats the
// failed step; any other way on ends the run without a file, without a
// temporary and with the working database as before ("Export process
// failed. No file was written."), since each step needs the one before (a
// pruning step passed over would seal other agencies' rows into the file).
// The stretches that always passed failures over silently still do: the
// block-grant family's and the work tables' clean-up, the charter
// re-keying's updates and, when that did not run, the answers' clean-up.
//
// The run reads the window's choice (ExportSelection), the window's
// parameters object (GParam), the program-wide parameters, the clock
// (ui::Now, read once) and modGlobals::gstrVersion, so that it needs no
// window of its own; the window hands in how it is disabled and enabled.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ExportSelection.h"
#include "MainWindowLink.h"
#include "clsGlobalParam.h"
#include "db/Connection.h"
#include "db/SealedFile.h"
#include "vb/Trap.h"
#include "vb/Variant.h"

class CertifiedExport {
 public:
  // The password of every certified-data file.
  static constexpr const char* kFilePassword = "ZJX";
  // Beyond this many terms a condition over key tuples goes into a key table
  // of the copy's connection instead of the statement's text: SQLite parses
  // no expression past its depth of about 1,000 terms, and a join with the
  // key table prunes a large table several times faster than a long OR.
  static constexpr std::size_t kTextTerms = 20;

  CertifiedExport(ExportSelection& selection, const clsGlobalParam& GParam, MainWindowLink& mainWindow,
                  std::int16_t& intEmptyRunCount, std::function<void(bool)> windowEnabled = {});
  ~CertifiedExport();
  CertifiedExport(const CertifiedExport&) = delete;
  CertifiedExport& operator=(const CertifiedExport&) = delete;

  // The run. An empty run is repeated once at once (intEmptyRunCount, which
  // lives with the window, counts them).
  void ExportCertified(std::string& strFormNumbers, bool blnSelpaExport, bool blnPartialSelection,
                       bool blnPriorYearMode, std::int16_t intProgramExportType);

  // The file the last run wrote (empty when none) and the report it showed
  // (empty when none).
  const std::filesystem::path& WrittenFile() const { return writtenFile_; }
  const std::string& Report() const { return report_; }
  // The key derivation cost of the seal (tests lower it).
  void SealKeyCost(db::KeyCost cost) { sealCost_ = cost; }

  // --- The file name. -----------------------------------------------------------------
  // "VuzO", the version ("19.00" gives 19_00), "SELPA" for a SELPA export,
  // "_", the period, "C" when corrected, "_", the county as two digits at
  // least, the agency part of the logon group and "_" with the start time
  // as "Dec_09_2026_14_33_57".
  static std::string FileName(const std::string& version, bool selpaExport, std::int32_t period, bool corrected,
                              std::int32_t county, std::int32_t logonGroup, std::int32_t district,
                              std::int32_t school, const vb::Date& start);

  // --- The decision on a pair of a program and an agency. -----------------------------
  // The copy's status row of the pair, as the decision reads it.
  struct StatusFacts {
    vb::Variant numRecord, numError, editCheck, modified, corrected;
  };
  struct PairFacts {
    bool priorYearMode = false;     // the run's argument
    bool correctionMarked = false;  // the main window's correction items
    bool differentSelpaLocation = false;
    bool partialSelection = false;
    std::int32_t logonGroup = 0;
    std::int32_t C = 0, DW = 0;  // the window's county and district
    std::int32_t F = 0;          // the program's form and program type (text)
    std::string PT;
    std::string T, R, A;  // the agency's type, SELPA district region and AU county (texts)
    std::int64_t D = 0, S = 0, K = 0;
    // Read when a test needs them: the working database's status row of the
    // pair is marked corrected; the shared-program test; the copy's row.
    std::function<bool()> workingCorrected;
    std::function<bool()> sharedProgramInvalid;
    std::function<std::optional<StatusFacts>()> copyRow;
  };
  enum class CopyRow { Kept, Deleted, Missing };
  enum class LineForm { None, Standard, Selpa };
  struct Decision {
    int test = 0;  // the test of the table that decided, 1 to 11
    std::string message;
    LineForm line = LineForm::None;
    CopyRow copyRow = CopyRow::Kept;
    bool exported = false;
  };
  static Decision Decide(const PairFacts& facts);
  // A pair's report line: two tabs, "LEA: ", the district, then by its form
  // the school or the SELPA region, the message and CR LF ("" for none).
  static std::string ReportLine(const Decision& decision, const std::string& D, const std::string& S,
                                const std::string& R);

  // --- The selection conditions of the exported pairs. --------------------------------
  struct Pair {
    std::int32_t form = 0;
    std::int64_t district = 0, school = 0, county = 0;
  };
  struct Conditions {
    std::string formExclusion;  // "FORM_NO <> 101 AND  FORM_NO <> 102"
    std::string formInclusion;  // "FORM_NO in (101,102)"
    std::string negatedAgency;  // "NOT ( (  school_district_id = 612 AND ... ) )"
    std::string countyExclusion, districtExclusion, schoolExclusion;  // "( county_id <> 7 )"
  };
  // From the pairs in their order (a first pair of form 508 or 509 is
  // recorded as 49). Beyond kTextTerms pairs the agency condition reads a
  // key table of `copy` (for the table the run puts in), and long exclusion
  // lists become NOT IN lists.
  static Conditions BuildConditions(std::vector<Pair>& pairs, db::Connection& copy);

  // One row of the status-row list: a status row of the copy with its
  // form's group and its agency's names.
  struct StatusListRow {
    std::string group;
    std::int64_t year = 0, period = 0, county = 0, district = 0, school = 0;
    vb::Variant schoolName, districtName, certificate;
  };

 private:
  struct Run;
  void RunOnce(std::string& strFormNumbers, bool blnSelpaExport, bool blnPartialSelection, bool blnPriorYearMode,
               std::int16_t intProgramExportType);

  ExportSelection& selection_;
  const clsGlobalParam& GParam_;
  MainWindowLink& mainWindow_;
  std::int16_t& intEmptyRunCount_;
  std::function<void(bool)> windowEnabled_;
  db::KeyCost sealCost_ = db::kSealKeyCost;
  std::filesystem::path writtenFile_;
  std::string report_;
};
