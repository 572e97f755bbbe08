#pragma once
// The contact registration window: keeps the rows of CONTACTS, the contacts
// as whom users log on. Whoever opens it puts its mode into
// gstrUserFormMode first:
//
// - "New User" (from the logon window): registers a new contact of a
//   county office or a county auditor, chosen through cascading group,
//   county, district and school lists; closing it in any way brings up a
//   new logon window, which has a contact just registered chosen.
// - "Edit" (from the main window): changes the name, phone, fax and e-mail
//   of the logged-on contact; a new name is carried into the contents of
//   the certified-data files.
// - "ImportContact" (from the main window): shows, read-only, the contact
//   that came with imported certified data, handed in through the eight
//   write-only properties.

#include <QPointer>
#include <cstdint>
#include <memory>
#include <string>

#include "clsGlobalParam.h"
#include "ui/Form.h"
#include "ui_frmNewUser.h"
#include "vb/Variant.h"

class frmNewUser : public ui::Form, public Ui::frmNewUser {
  Q_OBJECT

 public:
  explicit frmNewUser(QWidget* parent = nullptr);

  // The program-wide instance, created on first use; after it has been
  // unloaded the next use makes a fresh one.
  static frmNewUser& Default();

  // The window's own global parameters (modes "New User" and "Edit").
  std::shared_ptr<clsGlobalParam> GParam;

  // What mode "ImportContact" shows, each kept as text (Null is error 94).
  void ContactName(const vb::Variant& value);
  void UserGroup(const vb::Variant& value);  // a user-group code
  void County(const vb::Variant& value);
  void SDist(const vb::Variant& value);
  void School(const vb::Variant& value);
  void Phone(const vb::Variant& value);
  void Fax(const vb::Variant& value);
  void Email(const vb::Variant& value);

  // The mailing list that the link lblJoin subscribes to.
  static const char* const kMailingList;

  void cboUserGroup_Click();
  void cboCounty_Click();
  void cboSDistId_Click();
  void txtContact_KeyPress(std::int16_t& KeyAscii);
  void txtPhone_KeyPress(std::int16_t& KeyAscii);
  void txtFax_KeyPress(std::int16_t& KeyAscii);
  void txtEmail_KeyPress(std::int16_t& KeyAscii);
  void txtPhone_GotFocus();
  void txtFax_GotFocus();
  void txtEmail_GotFocus();
  void lblJoin_Click();
  void cmdCancel_Click();
  void cmdOK_Click();
  // Checks the fields and saves the contact (closing the window when done).
  void cmdSave_Click();

 protected:
  void Form_Load() override;
  void Form_Unload() override;

 private:
  void LoadEdit();
  void LoadImportContact();
  // The end of loading for a new contact (and for an edit whose contact is
  // missing): the county list, the window's parameters and the locked lists.
  void LoadCommonEnd();
  // The user groups by text and code: "County Office" 2, "School District"
  // 3, "Charter School" 4, "SELPA" 5, "County Auditor" 7; nullptr, or 0, for
  // anything else.
  static const char* GroupText(long code);
  static int GroupCode(const std::string& text);
  // Makes the group of a user-group code the group list's only entry and its
  // text; false for a code that is no group.
  bool ShowOnlyGroup(long code);
  // Enter in the phone, fax or e-mail field moves on to the next field.
  void EnterMovesOn(const char* procedure, std::int16_t KeyAscii);
  // Selects the field's text from its start, over the given length.
  void SelectFrom0(const char* procedure, ui::QuorMaskText& field, int length);

  // The field checks and the save.
  bool bValidateFields();
  void SaveEdit();
  void SaveNew();
  void CloseForm();

  // The contact name as loaded in mode "Edit".
  std::string mstrOldContact;
  // The property texts of mode "ImportContact".
  std::string contactName_, userGroup_, county_, sDist_, school_, phone_, fax_, email_;
  // The program-wide instance releases itself when unloaded.
  bool releaseOnUnload_ = false;
};
