#pragma once
// The tax form's tests: a fresh program folder and sample database
// (ProgramTest) with a small agency directory (Juniper County: its office
// 10199 and Larkspur Unified 64733, which has a supplemental tax line;
// Fenwick County: its office 10600 and one district 61500), the
// form-status row of Larkspur
// Unified's tax form in P-2 of 2019, the global parameters as the main
// window leaves them when it opens the form for Larkspur Unified, the real
// calculation component, a clock that moves only by hand, scripted
// dialogs, and a stand-in main window whose agency list has Larkspur
// Unified current.

#include <QComboBox>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedSeams.h"
#include "TaxAgencies.h"
#include "TestEnvironment.h"
#include "clsGlobalParam.h"
#include "frmTax.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "vb/Variant.h"

using Texts = std::vector<std::string>;

class TaxFormTest : public ProgramTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The agency and the residence keys of the fixture.
  static constexpr int kCounty = fixtures::taxagencies::kCounty;
  static constexpr int kAgency = fixtures::taxagencies::kAgency;
  static constexpr int kOffice = fixtures::taxagencies::kOffice;

  clsGlobalParam& gp() { return *modGlobals::gobjGlobalParam; }
  // Makes the tax form as the main window does, loaded; its parameters are
  // the global parameters at that moment.
  frmTax& Open();
  frmTax& form() { return *form_; }

  // The user picks "County" or "District" from the tax-type list.
  void ChooseType(const char* type);
  // Add New, with the new-record dialog handing back the keys (0, 0: the
  // dialog cancelled).
  void AddNew(int resCounty, int resDistrict);
  // The user types a number into an amount line, or a text into the
  // explanation.
  void Enter(const char* line, const std::string& number);
  void Explain(const std::string& text);
  // The amount line as it shows.
  std::string Shown(const char* line);

  // The program's connection.
  void Execute(const std::string& sql, const std::vector<vb::Variant>& params = {});
  vb::Variant Scalar(const std::string& sql, const std::vector<vb::Variant>& params = {});
  // A stored tax row of the agency in P-2.
  void StoreTaxRow(int resCounty, int resDistrict, int taxType, double secured, const char* explanation = " ");
  // The agency's P-2 tax rows in key order, one text per row: "residence
  // county/district/type: Secured Unsecured HOX Total".
  Texts TaxRows();
  // The CERT_KEY of the agency's P-2 row of those keys.
  std::int32_t CertKeyOf(int resCounty, int resDistrict, int taxType);
  // The status row's certificate, record, error and warning counts,
  // modification and edit-check dates, and correction columns, as texts
  // ("Null" for Null).
  Texts StatusRow();
  // The agency's tax note of P-2, and how many it has.
  void StoreNote();
  long Notes();

  // The next `count` message boxes are answered OK.
  void AcknowledgeMessages(int count);
  // The texts of the message boxes shown since the last call.
  Texts TakeMessages();

  ScriptedClock clock_;
  RecordingShell shell_;

 private:
  std::unique_ptr<QWidget> mainWindow_;
  std::unique_ptr<QWidget> window_;
  frmTax* form_ = nullptr;
};

// The texts of the status row after a save at the fixture clock's time.
std::string ClockText(const vb::Date& date);
