// The tax-type dialog: its caption, its answers, and the choice it asks for.

#include <gtest/gtest.h>

#include <QRadioButton>

#include "PrintingFixture.h"
#include "frmTaxSummary.h"
#include "modGlobals.h"

namespace {

using Texts = std::vector<std::string>;

TEST_F(PrintingTest, TheTaxDialogAnswersThroughTheChoice) {
  struct Case {
    const char* name;
    const char* option;  // chosen first: "District", "COE" or none
    const char* press;   // "Print", "Cancel" or "Close" (the close box)
    int choice;
  };
  for (const Case& c : {Case{"district", "District", "Print", 1}, Case{"county office", "COE", "Print", 0},
                        Case{"cancel", "", "Cancel", 999}, Case{"cancel after a choice", "COE", "Cancel", 999},
                        Case{"close box", "District", "Close", 999}}) {
    modGlobals::gintTaxSummaryChoice = 5;
    std::string caption;
    bool chosenAtStart = true;
    dialogs_.AnswerModal([&](QWidget& window) {
      auto& dialog = dynamic_cast<frmTaxSummary&>(window);
      caption = dialog.windowTitle().toStdString();
      chosenAtStart = dialog.optDistrict->isChecked() || dialog.optCOE->isChecked();
      if (std::string(c.option) == "District") dialog.optDistrict->setChecked(true);
      if (std::string(c.option) == "COE") dialog.optCOE->setChecked(true);
      if (std::string(c.press) == "Print") dialog.cmdView->click();
      if (std::string(c.press) == "Cancel") dialog.cmdClose->click();
      if (std::string(c.press) == "Close") dialog.close();
      EXPECT_FALSE(dialog.isVisible()) << c.name;
      return dialog.result();
    });
    frmTaxSummary dialog;
    dialog.ShowModal();
    EXPECT_EQ(caption, "Taxes") << c.name;
    EXPECT_FALSE(chosenAtStart) << c.name;
    EXPECT_EQ(modGlobals::gintTaxSummaryChoice, c.choice) << c.name;
  }
}

TEST_F(PrintingTest, PrintWithoutAChoiceAsksForOneAndStays) {
  modGlobals::gintTaxSummaryChoice = 7;
  dialogs_.AcknowledgeMessages(1);
  dialogs_.AnswerModal([&](QWidget& window) {
    auto& dialog = dynamic_cast<frmTaxSummary&>(window);
    dialog.cmdView->click();
    EXPECT_EQ(dialogs_.TakeMessages(), Texts{"Please make a selection"});
    EXPECT_TRUE(dialog.Loaded()) << "the dialog stays";
    EXPECT_EQ(modGlobals::gintTaxSummaryChoice, 7) << "the choice is unchanged";
    dialog.optCOE->setChecked(true);
    dialog.cmdView->click();
    return dialog.result();
  });
  frmTaxSummary dialog;
  dialog.ShowModal();
  EXPECT_EQ(modGlobals::gintTaxSummaryChoice, 0);
  EXPECT_FALSE(dialog.Loaded());
}

}  // namespace
