#pragma once
// The logon window: the contacts recorded in the database, each with its
// county, and the commands to log on as one of them (no password), to
// register a new contact, to refresh the reference tables from a text file,
// and to end the program. Logging on copies the contact and its agency into
// the global parameters and opens the main window.

#include <functional>
#include <string>

#include "db/Recordset.h"
#include "modCOECorrection.h"
#include "ui/Form.h"
#include "ui_frmLogon.h"
#include "vb/Variant.h"

class frmLogon : public ui::Form, public Ui::frmLogon {
  Q_OBJECT

 public:
  explicit frmLogon(QWidget* parent = nullptr);

  // A new logon window, shown modeless, that deletes itself when it closes
  // (after a log-out, or after a contact has been registered).
  static frmLogon* ShowNew();

  // The name of the open district with that identifier; "" when there is
  // none.
  std::string getDistrictName(const vb::Variant& DistrictID);

  void cmdLogon_Click();
  void cmdNewUser_Click();
  void cmdGetLatest_Click();
  void cmdExit_Click();

  // The main window's shared instance, which a logon opens; installed by
  // the main window's module.
  static void SetMainWindow(std::function<ui::FormLife&()> maker);
  // A new Get Latest import window for each use; installed by the import's
  // module. Get Latest is offered only once it is installed.
  static void SetGetLatestWindow(modCOE::WindowMaker maker);

 protected:
  void Form_Load() override;
  void Form_Unload() override;

 private:
  // Shows the contact registration window (its mode is in
  // gstrUserFormMode).
  void ShowContactRegistration();
  // The contact list's bound value: the chosen row's COUNTY_ID, Null when no
  // contact is chosen.
  vb::Variant BoundValue() const;
  // The contact list's rows, owned while the window is loaded.
  db::RecordsetPtr rsUser_;
};
