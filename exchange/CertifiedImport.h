#pragma once
// The import of a certified-data file that another office exported: the
// checks that decide whether the file may be merged (bDatabaseValid), and
// the merge itself (ImportCertified), which walks the file's table of
// contents group by group and writes the report lines of each group.
//
// The file is never opened where the user keeps it: the import window
// unseals it into a private temporary copy, and that copy is attached to
// the program's shared connection under the schema "other" for the checks
// and the merge (ImportFile). Names from the file enter SQL only through
// the catalogue (other.T for the copy's table T), values are always bound.
//
//   ImportFile file(conn, copy.Path());          // attaches; detaches at its end
//   CertifiedImport import(conn, scope);
//   if (!import.bDatabaseValid()) ...           // the four-line refusal
//   if (!import.ImportCertified(report, now)) ...  // nothing was imported
//
// The merge is one change of the working database: one db::Transaction on
// the shared connection from its first step to its last, each step a
// savepoint of it under the guard Trap("frmImport", "ImportCertified").
// Retry runs the failed step again from its start; Ignore (or leaving the
// procedure) rolls everything back and answers false; Abort ends the
// program, which rolls back as well. The overwrite question is asked inside
// the transaction.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ImportGroupRules.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/SqlText.h"
#include "vb/Trap.h"
#include "vb/Variant.h"

// What the import reads of the window that opens it and of the program.
struct ImportScope {
  // The opener's agency (the main window's own parameters): C, D, S and
  // the SELPA region R.
  std::int32_t county = 0;
  std::int32_t district = 0;
  std::int32_t school = 0;
  std::string auRegion;
  // The logged-on contact's user group and whether the logged-on district
  // is a SELPA administrative unit.
  std::int32_t logonUserGroup = 0;
  bool selpaAu = false;
  // The fiscal year Y and period P.
  std::int32_t year = 0;
  std::int32_t period = 0;
  // The main window's prior-year correction mode (P-2 or Annual under
  // Corrected carries its check mark).
  bool correctionMode = false;
};

// A database file attached to a connection under the schema
// CertifiedImport::kFileSchema while the object lives. SQLite attaches and
// detaches only outside a transaction, so the object must outlive every
// transaction that uses the file.
class ImportFile {
 public:
  // Attaches the file; raises the database's error when it cannot.
  ImportFile(db::ConnectionPtr conn, const std::filesystem::path& file);
  ~ImportFile();
  ImportFile(const ImportFile&) = delete;
  ImportFile& operator=(const ImportFile&) = delete;

 private:
  db::ConnectionPtr conn_;
};

class CertifiedImport {
 public:
  // The schema the file's copy is attached under.
  static constexpr const char* kFileSchema = "other";

  // `pump` lets window events run after each query (nothing by default).
  CertifiedImport(db::ConnectionPtr conn, ImportScope scope, std::function<void()> pump = {});

  // --- The checks, on the attached copy. False refuses the file: it is
  // damaged, holds no certified data this program can merge, or data of
  // another year, period or correction mode or of agencies outside the
  // user's rights. A file the checks cannot read is refused without a
  // report; a failing query is reported (frmImport, bDatabaseValid) and
  // refuses the file too. Only the copy is ever changed: a district that
  // fills in its charter schools' block-grant rows gets the county office's
  // form-50 rows re-keyed to its own district code in it.
  bool bDatabaseValid();

  // --- The merge of the checked copy. Appends each group's report lines to
  // `report` and keeps `importTime` for the status rows. False when a step
  // failed and the user answered Ignore: the working database is as before.
  bool ImportCertified(std::string& report, const vb::Date& importTime);

  // The group's incoming rows of the agency of a table-of-contents row (the
  // current row of `toc`, a set over the copy's EXPORT_FILE_INFO).
  db::RecordsetPtr IncomingRowsOf(const db::Recordset& toc) const;

  // --- Look-ups of the merge.
  // The display name of the catalogue form named `strFormName` (any letter
  // case, as the database compares names); "" when there is none. A failure
  // is reported (frmImport, getFormDetails) and answers what was read.
  static std::string getFormDetails(const db::ConnectionPtr& conn, const std::string& strFormName);
  // The group's entry-check type, 1, 2 or 3.
  static int GetFormECtype(const std::string& group);
  // Writes the current row of `rsMain` (the columns of table `mTableName`,
  // the agency key FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID,
  // SCHOOL_ID among them) into that table: the row is added when the
  // agency has none, and every column is set by name. One statement; a
  // failure raises.
  static void SplitAndUpdateTable(const db::ConnectionPtr& conn, db::Recordset& rsMain,
                                  const std::string& mTableName);

  // The certificate number of keys joined: the decimal texts of those that
  // are not 0, one after the other, checksummed from the second character.
  static std::int32_t JoinedKeysCertificate(const std::vector<std::int32_t>& keys);
  // The certificate number of a group kept in several tables, over its rows
  // (at least one) and the further tables' rows of the same agency in the
  // working database; sets `count` by the routine's rule.
  std::int32_t GroupKeysCertificate(const GroupKeys& routine, db::Recordset& groupRows, std::int32_t& count) const;

  // The four overwrite answers of the question.
  static constexpr std::int16_t kYes = 6;
  static constexpr std::int16_t kNo = 7;
  static constexpr std::int16_t kYesToAll = 1;
  static constexpr std::int16_t kNoToAll = 2;

 public:
  // A table copied after the form groups (defined where it is used).
  struct ClosingTable;

 private:
  // --- The checks (CertifiedImportCheck.cpp).
  // Whether the copy is whole and holds what the merge reads, as the
  // working database lays it out; raises for a file it cannot read.
  bool FileIsReadable();
  // A check under the guard (frmImport, bDatabaseValid): false when it
  // failed or refused.
  bool Guarded(const std::function<bool()>& check);
  // The status rows of another year or period.
  db::SqlText OtherPeriodRows() const;
  bool PeriodIsCurrent();
  // The agency rights by the logon group; false refuses the file.
  bool AgenciesAreInRights();
  bool CountyOfficeRights();
  bool SelpaUnitDistrictRights();
  // The other districts' rights; may re-key the copy. `settled` false
  // leaves the district's foreign rows for the last check.
  bool DistrictRights(bool& settled);
  bool SelpaRights();
  // Every status row of another district than the opener's has an allowed
  // agency code and a SELPA form.
  bool OtherDistrictsAllowed(const std::vector<std::string>& allowedCodes);
  bool CorrectionStateFits();

  // --- The merge (CertifiedImport.cpp).
  // Runs one step as a savepoint under the guard; false when it failed.
  bool Step(Trap& trap, const std::function<void()>& body);
  // Runs a step that only reads under the guard: it has nothing to undo, so
  // it takes no savepoint.
  bool ReadingStep(Trap& trap, const std::function<void()>& body);
  // One table-of-contents row: the delete, the incoming rows, the copy and
  // the group's closing work; then the advance and the group boundary.
  bool MergeTocRow(Trap& trap, std::string& report);
  void DeleteAgencyRows();
  void ReadIncomingRows();
  void ReadPriorRows();
  // The steps of one group's agency: its rows under the overwrite question,
  // its companion tables, its certificate and record count, its status row
  // and note; and after the walk the dependent forms' edit checks.
  void CopyIncomingRows();
  // The key of an incoming row over the working table's key columns, as
  // (column, value) pairs in `key`; `positions` are those columns' places
  // in `row` (-1 when it lacks one). A table without key columns fails the
  // import.
  void RowKeyOf(const db::Recordset& row, const std::string& table, const std::vector<int>& positions,
                std::vector<std::pair<std::string, vb::Variant>>& key) const;
  // A statement the merge runs for many rows: its text, and the statement
  // prepared at its first use and kept until the merge ends.
  struct Held {
    std::string sql;
    db::Statement stmt;
    void Run(const db::ConnectionPtr& conn, const std::vector<vb::Variant>& values);
  };
  // The look-up of a working table's row by some key columns, and where
  // each of them is among the table's fields (-1 when it is not).
  struct KeyLookup {
    std::string table;
    std::vector<std::string> columns;
    Held query;
    std::vector<int> fieldIndex;
  };
  // A working row that a key found: its rowid, and the key's values as the
  // row holds them, in the key's order.
  struct Stored {
    vb::Variant rowid;
    const KeyLookup* lookup = nullptr;
    std::vector<vb::Variant> key;
  };
  // The row of the working table `table` whose key columns hold `key`, if
  // there is one.
  std::optional<Stored> StoredRow(const std::string& table,
                                  const std::vector<std::pair<std::string, vb::Variant>>& key) const;
  // The look-up of `table` by the columns of `key`, made at its first use.
  KeyLookup& LookupOf(const std::string& table, const std::vector<std::pair<std::string, vb::Variant>>& key) const;
  // Writes the current row of `row` (the working table's columns in order)
  // into `table`: over the stored row `stored`, or as a new row. Each value
  // is converted as the working table's field holds it; a failure raises.
  void WriteRow(const std::string& table, const db::Recordset& row, const std::optional<Stored>& stored);
  // Writes the values into the fields of the working table `table`, as
  // WriteRow does; a new row's other columns take the table's defaults.
  void WriteValues(const std::string& table, const std::vector<std::pair<const db::FieldMeta*, vb::Variant>>& values,
                   const std::optional<Stored>& stored);
  // The field of a working table by its name (any letter case); raises when
  // the table has no such column.
  const db::FieldMeta& FieldOf(const std::string& table, const std::string& column) const;
  // The fields of a working table, read once per import.
  const std::vector<db::FieldMeta>& FieldsOf(const std::string& table) const;
  // The query of the group's rows of the table-of-contents row's agency in
  // `table` (a name for SQL text).
  void AgencyRowsOf(db::SqlText& q, const std::string& table, const db::Recordset& toc,
                    const std::string& columns = "*") const;
  // The columns of a working table that a certificate reads of its rows:
  // the agency, year and period, CERT_KEY and `keys`, in the table's order
  // ("*" when it has none of them).
  std::string CertificateColumns(const std::string& table, const std::vector<std::string>& keys) const;
  void MergeCompanionTables();
  void ComputeGroupCertificate();
  void WriteFormStatus();
  void ResetDependentForms();
  // After the walk, also when every group was skipped: the certification
  // answers, the county funding models and the contacts of the file.
  void CopyAnswers();
  void CopyCountyModel();
  void CopyContacts();
  // The rows of the copy's table `copy.table` (those whose `scopeColumn`
  // holds `scopeValue`, when a column is given) into the working table by
  // their key.
  void CopyClosingTable(const ClosingTable& copy, const char* scopeColumn = nullptr,
                        const vb::Variant& scopeValue = {});
  // The report lines of the finished group; the counts start again.
  void AppendGroupLines(std::string& report);
  // The current table-of-contents row's value of a column.
  vb::Variant Toc(const char* column) const;
  // The name of a table of the copy for SQL text ("other"."T").
  std::string FileTable(const std::string& table) const;
  std::string WorkingTable(const std::string& table) const;
  // The catalogue's answers, read once per import (the checks and the
  // merge change no table's layout): the SQL name of a table of either
  // schema ("" when there is none; RequiredName raises then), the key
  // columns and the sort keys of a working table.
  const std::string& NameOf(const std::string& qualifiedTable) const;
  const std::string& RequiredName(const std::string& qualifiedTable) const;
  const std::vector<std::string>& PrimaryKeyOf(const std::string& table) const;
  const std::vector<std::string>& SortKeysOf(const std::string& table) const;

  db::ConnectionPtr conn_;
  ImportScope scope_;
  std::function<void()> pump_;
  mutable std::map<std::string, std::string> sqlNames_;
  mutable std::map<std::string, std::vector<std::string>> primaryKeys_;
  mutable std::map<std::string, std::vector<std::string>> sortKeys_;
  mutable std::map<std::string, std::vector<db::FieldMeta>> fields_;
  mutable std::map<std::string, const db::FieldMeta*> fieldsByName_;  // "table.column" as asked
  mutable std::map<std::string, std::string> certificateColumns_;  // "table,key,..." as asked
  // The catalogue's form number of each group met (0 until found).
  std::map<std::string, std::int32_t> formNumbers_;
  // The statements that write a whole row, per working table: the insert,
  // and the update by rowid of the columns marked '1' (as the key allows).
  struct WholeRow {
    Held insert;
    std::map<std::string, Held> updates;
  };
  std::map<std::string, WholeRow> wholeRows_;
  // The row look-ups, per table and key columns ("table\x1fcolumn...").
  mutable std::map<std::string, KeyLookup> keyLookups_;
  mutable KeyLookup* lastLookup_ = nullptr;  // the one used last

  // --- The state of one merge.
  vb::Date importTime_;
  db::RecordsetPtr toc_;
  std::string groupName_;
  std::string upperGroupName_;  // as CopyIncomingRows found it
  std::string groupDisplayName_;
  std::int16_t overwriteAnswer_ = kYes;
  bool firstRow_ = true;
  std::int32_t copied_ = 0;
  std::int32_t overwritten_ = 0;
  int entryCheckType_ = 1;
  bool priorRows_ = false;
  db::RecordsetPtr incoming_;
  // The row key and the companion key of the last incoming row, as
  // (column, value) pairs.
  std::vector<std::pair<std::string, vb::Variant>> rowKey_;
  std::vector<std::pair<std::string, vb::Variant>> companionKey_;
  std::int32_t groupCertificate_ = 0;
  std::int32_t groupRecordCount_ = 0;
  db::RecordsetPtr groupRows_;
  // The table-of-contents rows whose status row was written (positions).
  std::vector<long> importedRows_;
};
