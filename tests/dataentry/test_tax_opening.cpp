// The tax form opened from the main window's entry-screen list, as a county
// office uses it: a row added and saved, and the list showing the form's new
// certificate and record count once the form has closed.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "MainWindowFixture.h"
#include "NumFieldHost.h"
#include "ScriptedSeams.h"
#include "clsMyCRC32.h"
#include "ctlTax_1.h"
#include "frmNewRec.h"
#include "frmTax.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "numbox/CNumCtrl.h"
#include "vb/Conversions.h"

namespace {

class TaxOpeningTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    NumFieldHost::Install();
    frmTax::Install();
    UseFormCatalogue();
    Execute("INSERT INTO taxcoe (county_id, loc_county_id, county_name) VALUES (7, 7, 'Cedar County')");
    AddStatus(7, 10070, 0, 2, 29);
    LogOn({});
    modGlobals::gobjGlobalParam->CountyName = "Cedar County";  // the logon's county
    modGlobals::gstrConnectionString = ConnectionString();
    ASSERT_TRUE(modMain::ComponentsAvailable(2019, 2));
  }
  void TearDown() override {
    NumFieldHost::Uninstall();
    modGlobals::gintTaxType = 0;
    modGlobals::glngNewResCountyID = 0;
    modGlobals::glngNewResDistrictID = 0;
    MainWindowTest::TearDown();
  }
};

TEST_F(TaxOpeningTest, ARowSavedOnTheOpenedFormShowsInTheListWhenItCloses) {
  ScriptedClock clock;
  frmMain& w = Open();
  ClickRecordSelector(*w.dgLEA, 0);

  std::int32_t key = 0;
  dialogs_.AnswerModal([&](QWidget& window) {
    auto& f = dynamic_cast<frmTax&>(window);
    EXPECT_EQ(f.windowTitle().toStdString(),
              "Screen Tax \\ " + f.GParam->FiscalYearText + " \\ P-2 \\ Cedar County \\ Cedar County Office of Education");
    EXPECT_EQ(f.GParam->DistrictID, 10070);
    EXPECT_EQ(f.cboTaxType->currentIndex(), -1);
    for (QPushButton* button : {f.cmdAddNew, f.cmdDelete, f.cmdRecalculate, f.cmdCancel, f.cmdMoveFirst})
      EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_TRUE(f.Menus().Item("mnuCopy").Enabled()) << "P-2";
    EXPECT_FALSE(w.isEnabled()) << "the main window waits";

    dialogs_.AnswerMsgBox(ui::vbOK);  // "Click Add New to add a new record"
    f.cboTaxType->setCurrentIndex(0);
    emit f.cboTaxType->activated(0);
    dialogs_.AnswerModal([](QWidget& shown) {
      auto& dialog = dynamic_cast<frmNewRec&>(shown);
      dialog.dcoRES_COUNTY_ID->Text("Cedar County");
      dialog.dcoRES_SCHOOL_DISTRICT_ID->Text("Cedar County Office of Education");
      dialog.cmdAddNew_Click();
      return 0;
    });
    f.cmdAddNew->click();
    f.ctlTax_11->Field("Secured")->SetText("1000");
    f.cmdRecalculate->click();
    const std::string stored = Scalar("SELECT CERT_KEY FROM Tax WHERE COUNTY_ID = 7 AND SCHOOL_DISTRICT_ID = 10070");
    key = stored.empty() ? 0 : std::stoi(stored);
    f.cmdClose->click();
    EXPECT_FALSE(f.Loaded());
    return 1;
  });
  ClickRecordSelector(*w.dgForms, FormRow(29));

  ASSERT_NE(key, 0) << "the row was saved and keyed";
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(clsMyCRC32().GetCRC32(std::to_string(key))));
  EXPECT_EQ(w.dgForms->Columns("CERTIFICATE_NUMBER").Text(), hex);
  EXPECT_EQ(w.dgForms->Columns("NUM_RECORD").Text(), "1");
  EXPECT_TRUE(w.isEnabled());
  EXPECT_EQ(WaitMessage(), "");
  dialogs_.ExpectAllUsed();
}

}  // namespace
