#pragma once
// The import window ("Importing Certified Data"): where a user picks a
// certified-data file that another office exported and merges it into the
// working database. Select File asks for the file, opens a private copy of
// it (the chosen file is only read), has the copy checked and merged
// (CertifiedImport) and shows the import report in the status window; the
// window stays open for another import until Close, which lets the main
// window rebuild the list of the agency kind it shows.
//
// The main window opens it modally through the maker that Install puts in
// place, handing it its own parameters object (GlobeParam: the object
// itself, not a copy, which the window only reads) and itself, whose
// correction marks the checks read and whose lists Close rebuilds.

#include <QPointer>
#include <string>

#include "CertifiedImport.h"
#include "clsGlobalParam.h"
#include "ui/Form.h"
#include "ui_frmImport.h"

class frmMain;

class frmImport : public ui::Form, public Ui::frmImport {
  Q_OBJECT

 public:
  explicit frmImport(frmMain& mainWindow, QWidget* parent = nullptr);
  ~frmImport() override;

  // The opener's parameters object, read and never written; set through
  // GlobeParam before the window is shown.
  clsGlobalParam* GParam = nullptr;
  void GlobeParam(clsGlobalParam& NewGParam) { GParam = &NewGParam; }

  // Makes the main window's import command open a new import window,
  // loaded, on the main window's own parameters.
  static void Install();

  // --- Commands.
  // One import: the file, its copy, the checks, the merge and the report.
  void cmdfile_Click();
  // Closes the window and rebuilds the main window's district or charter
  // school list when that kind is shown.
  void cmdClose_Click();

  // The text of the last import report shown ("" before the first).
  const std::string& LastReport() const { return report_; }

  // The four lines that refuse a file.
  static const std::string& RefusalMessage();

 protected:
  void Form_Load() override;

 private:
  // What the checks and the merge read: the opener's agency, the program's
  // logon, year and period, and the main window's correction mode.
  ImportScope Scope() const;
  // The window usable again after a run, window events let run.
  void EndRun();

  QPointer<frmMain> mainWindow_;
  std::string report_;
};
