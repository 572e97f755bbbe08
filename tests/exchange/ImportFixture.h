#pragma once
// The certified-data import on a small agency directory of its own: Juniper
// County (19) with its office 10199, the districts 612 and 613, district
// 614 (administered by county 20's SELPA unit) and 64733 (Larkspur
// Unified), a charter school 612-6120001 whose block-grant form its
// district fills in, and a SELPA (612) of region 'R1'; Fenwick County (20)
// with its office 10200 and district 2001; and county 21, whose district
// 2101 lies in Juniper's SELPA region ('R1'). Files are sealed as the
// export seals them, from a few statements, into the program's Import
// folder; the temporary folder is one of the test's own, which must be
// empty again after every import.
//
// The import window runs on an unloaded main window, whose menu marks hold
// the correction mode, and on the opener's parameters of the test (a
// county-office logon of Juniper County in P-2 of 2019 unless changed).

#include <QPointer>
#include <filesystem>
#include <memory>
#include <string>

#include "CertifiedImport.h"
#include "ScriptedSeams.h"
#include "TestEnvironment.h"
#include "frmImport.h"
#include "frmMain.h"

namespace importfixture {

// The statements of a status row (LEA_FORMS_STATUS) of 2019 and P-2 unless
// given, marked not corrected.
std::string Status(int county, int district, int school, int form, int year = 2019, int period = 2,
                   const std::string& corrected = "'No'");
// A table-of-contents row (EXPORT_FILE_INFO).
std::string Toc(const std::string& group, int county, int district, int school, int year = 2019, int period = 2);
// A tax row (Tax) of the agency for the district of residence.
std::string TaxRow(int county, int district, int school, int resDistrict, int taxType = 0);

// The scope of a logon (the logon group, the opener's codes), in P-2 of
// 2019, outside the correction mode.
ImportScope Scope(int group, int county, int district, int school = 0, const std::string& region = {},
                  bool selpaAu = false);

}  // namespace importfixture

// The import window as a user drives it: opened on a logon, Select File
// pressed with a file chosen, the overwrite question answered and the
// report window read. Any test fixture with scripted dialogs can hold one.
class ImportWindowUser {
 public:
  explicit ImportWindowUser(ScriptedDialogs& dialogs) : dialogs_(dialogs) {}

  // The import window on the logon of `scope` (the program's parameters
  // and the opener's), shown off screen.
  frmImport& Window(const ImportScope& scope = importfixture::Scope(2, 19, 10199));
  // One press of Select File choosing `file` (nullopt: the user cancels).
  void SelectFile(const std::optional<std::filesystem::path>& file);
  // Queues the user of the status window: keeps its text, closes it.
  void ExpectReport();
  // One import of the file from a fresh window on the county-office logon
  // (or `scope`); answers the report.
  std::string Import(const std::filesystem::path& file, const ImportScope& scope = importfixture::Scope(2, 19, 10199));
  // Queues an answer to the overwrite question (0 Yes, 1 No, 2 Yes to All,
  // 3 No to All), keeping the question's text and caption in `questions`.
  void Answer(int button);
  // Closes the window and its main window.
  void Close();

  std::vector<std::string> questions;
  std::string shownReport;

 private:
  ScriptedDialogs& dialogs_;
  clsGlobalParam opener_;
  std::unique_ptr<frmMain> main_;
  std::unique_ptr<frmImport> window_;
};

class ImportTest : public ProgramTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Seals a file made of the statements into the Import folder.
  std::filesystem::path File(const std::string& sql, const std::string& name = "VuzO19_00_2_19",
                             const std::string& password = "ZJX");
  // The checks on the file, attached as the import window attaches it.
  bool Accepts(const std::filesystem::path& file, const ImportScope& scope);

  // The import window, driven by user_ (see ImportWindowUser).
  frmImport& Window(const ImportScope& scope = importfixture::Scope(2, 19, 10199)) { return user_.Window(scope); }
  void SelectFile(const std::optional<std::filesystem::path>& file) { user_.SelectFile(file); }
  void ExpectReport() { user_.ExpectReport(); }
  std::string Import(const std::filesystem::path& file, const ImportScope& scope = importfixture::Scope(2, 19, 10199)) {
    return user_.Import(file, scope);
  }
  void Answer(int button) { user_.Answer(button); }
  // The rows of a query on the working database, "a|b|c" each, joined by
  // "; ".
  std::string Rows(const std::string& sql);

  // Every row of every table of the working database, as text.
  std::string Dump();
  // The files in the test's temporary folder.
  std::vector<std::string> Temporaries();
  static std::string Bytes(const std::filesystem::path& file);
  void Execute(const std::string& sql);

  ScriptedClock clock_{vb::Date{46365.60690972222}};  // Dec 9, 2026, 14:33:57
  db::ConnectionPtr conn_;
  ImportWindowUser user_{dialogs_};
  std::vector<std::string>& questions_ = user_.questions;
  std::string& shownReport_ = user_.shownReport;

 private:
  std::filesystem::path temporary_;
  std::string previousTmpdir_;
  bool hadTmpdir_ = false;
};
