#pragma once
// The state of one export run, shared by its steps: the frame
// (CertifiedExport.cpp) and the pruning of the copy (CertifiedExportCopy.cpp).
// Only those two files include it.

#include <cstdint>
#include <future>
#include <string>
#include <vector>

#include "CertifiedExport.h"
#include "SelectionArray.h"
#include "vb/Conversions.h"

// A whole number of the run as a value to bind.
inline vb::Variant Bound(std::int64_t v) { return vb::Variant(static_cast<int>(v)); }

// The forms recorded as "49" for users other than districts and charters;
// a county office's export keeps their status rows whatever it selected.
constexpr std::int32_t kForm508 = 508, kForm509 = 509, kRecordedAs = 49;

struct CertifiedExport::Run {
  Run(CertifiedExport& owner, std::string& strFormNumbers, bool blnSelpaExport, bool blnPartialSelection,
      bool blnPriorYearMode, std::int16_t intProgramExportType);

  // Runs one step under the run's guard; once a step was passed over (or
  // the procedure left) no further step runs. Answers whether it ran.
  template <class Step>
  bool Do(Step&& step) {
    if (ended) return false;
    if (!trap(std::forward<Step>(step))) ended = true;
    return !ended;
  }
  // A step whose failure is passed over without a word.
  template <class Step>
  void Quietly(Step&& step) {
    if (ended) return;
    Trap quiet("frmExport", "ExportCertified", Trap::Mode::Silent);
    quiet(std::forward<Step>(step));
  }
  // Lets the windows repaint.
  static void Yield();

  // --- The copy's pruning (CertifiedExportCopy.cpp), in the run's order.
  void DropUnkeptTables();        // kept tables and views
  void PruneStatusRows();         // the status rows by logon group
  void FillTableOfContents();     // EXPORT_FILE_INFO and the status-row list
  void PruneDataTables();         // the data tables by form group
  void PruneSideTables();         // block-grant family, work tables, charter re-key, answers, contacts
  void WriteOwnContactRow();
  void DropTriggers();            // the file carries none

  // Deletes the rows of the copy's table `name` outside `kept` (a condition
  // for ForTable).
  void KeepOnly(const std::string& name, const std::string& kept) const;
  // A statement on the copy.
  long long OnCopy(const std::string& sql, const std::vector<vb::Variant>& params = {}) const;
  // The table's name for SQL on the copy (a missing table is an error).
  std::string Table(std::string_view name) const;
  // Key tuples as a new key table of the connection's temporary schema,
  // answered as the condition that a row's key columns are one of them, for
  // the table that ForTable puts in: a condition of any length that SQLite
  // can parse.
  static std::string KeyTable(db::Connection& conn, const std::vector<std::string>& columns,
                              const std::vector<std::vector<std::int64_t>>& rows);
  static constexpr const char* kTableToken = "{TABLE}";
  static std::string ForTable(std::string condition, const std::string& sqlTable);

  CertifiedExport& owner;
  std::string& strFormNumbers;
  const bool blnSelpaExport, blnPartialSelection, blnPriorYearMode;
  const std::int16_t intProgramExportType;
  const clsGlobalParam& GParam;  // the window's
  clsGlobalParam& G;             // the program's
  Trap trap;
  bool ended = false;

  vb::Date strNow{};
  std::string strExportFileName;
  std::string strLog;
  SelectionArray arrSelectedLeas, arrSelectedPrograms;

  // The file's key, derived on a worker thread while the copy is pruned,
  // once the run has pairs to export.
  std::future<db::SealKey> sealKey;
  // The copy of the working database, in memory.
  db::ConnectionPtr conExport;
  std::vector<Pair> strExportedPairs;
  bool blnForm508Exported = false, blnForm509Exported = false;
  Conditions conditions;
  std::string auDistricts;  // the administrative-unit district list
  std::vector<StatusListRow> statusList;
  // The EXPORT_FILE_INFO rows as the file first receives them, for the
  // working database.
  std::vector<std::vector<vb::Variant>> fileInfoRows;
  std::string phone, fax, email;
};
