// Menus as data: the table builds the menu bar, item states are mirrored
// into it, and a click runs the command without touching check marks.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/MenuModel.h"
#include "vb/VbError.h"

namespace {

const ui::MenuItemSpec kMenus[] = {
    {"mnuFile", "&File", nullptr},
    {"mnuImport", "&Import", "mnuFile"},
    {"mnuImportASCII", "&ASCII File", "mnuImport"},
    {"mnuSep1", "-", "mnuFile", false},
    {"mnuReconcile", "&Reconciliation", "mnuFile", false, false},
    {"mnuExit", "E&xit", "mnuFile"},
    {"mnuPeriod", "&Period", nullptr},
    {"mnuPeriod_P1", "P-&1", "mnuPeriod"},
    {"mnuPeriod_P2", "P-&2", "mnuPeriod"},
    {"mnuHelp", "&Help", nullptr},
    {"mnuHelp_Help", "&Help", "mnuHelp", true, true, "F1"},
};

class MenuModelTest : public ::testing::Test {
 protected:
  QMenuBar bar_;
  ui::MenuModel menus_{bar_, kMenus};
};

TEST_F(MenuModelTest, BuildsTheBarFromTheTableWithItsDesignStates) {
  ASSERT_EQ(bar_.actions().size(), 3);
  EXPECT_EQ(bar_.actions()[0]->text(), "&File");
  QMenu* file = bar_.actions()[0]->menu();
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(file->actions().size(), 4);
  EXPECT_NE(file->actions()[0]->menu(), nullptr) << "an item with items opens a submenu";
  EXPECT_TRUE(file->actions()[1]->isSeparator());
  EXPECT_FALSE(file->actions()[1]->isVisible());
  EXPECT_FALSE(menus_.Item("mnuReconcile").Action()->isVisible());
  EXPECT_FALSE(menus_.Item("mnuReconcile").Action()->isEnabled());
  EXPECT_EQ(menus_.Item("mnuhelp_help").Action()->shortcut(), QKeySequence(Qt::Key_F1)) << "names ignore case";
  EXPECT_EQ(menus_.Item("mnuPeriod_P2").Caption(), "P-&2");
  EXPECT_FALSE(menus_.Item("mnuPeriod_P2").Checked());
  EXPECT_FALSE(menus_.Has("mnuNothing"));
  try {
    menus_.Item("mnuNothing");
    FAIL() << "an unknown item is an error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), vb::err::SubscriptOutOfRange);
  }
}

TEST_F(MenuModelTest, StatesAreMirroredIntoTheMenuBar) {
  ui::MenuItem& period = menus_.Item("mnuPeriod");
  period.Enabled(false);
  EXPECT_FALSE(period.Action()->isEnabled()) << "a menu on the bar greys";
  menus_.Item("mnuImport").Visible(false);
  EXPECT_FALSE(menus_.Item("mnuImport").Action()->isVisible());
  ui::MenuItem& p2 = menus_.Item("mnuPeriod_P2");
  p2.Checked(true);
  EXPECT_TRUE(p2.Action()->isChecked());
  p2.Checked(false);
  EXPECT_FALSE(p2.Action()->isChecked());
  EXPECT_FALSE(p2.Action()->isCheckable()) << "an unchecked item shows no empty box";
}

TEST_F(MenuModelTest, AClickRunsTheCommandAndLeavesTheMarksToIt) {
  std::vector<std::string> ran;
  menus_.OnClick("mnuPeriod_P1", [&] { ran.push_back("P1 refused"); });
  menus_.OnClick("mnuPeriod_P2", [&] {
    ran.push_back("P2");
    menus_.Item("mnuPeriod_P1").Checked(false);
    menus_.Item("mnuPeriod_P2").Checked(true);
  });

  menus_.Item("mnuPeriod_P1").Checked(true);
  menus_.Click("mnuPeriod_P1");
  EXPECT_TRUE(menus_.Item("mnuPeriod_P1").Checked()) << "a click on a checked item keeps its mark";
  EXPECT_TRUE(menus_.Item("mnuPeriod_P1").Action()->isChecked());

  menus_.Click("mnuPeriod_P2");
  EXPECT_TRUE(menus_.Item("mnuPeriod_P2").Action()->isChecked()) << "the command set its own mark";
  EXPECT_FALSE(menus_.Item("mnuPeriod_P1").Action()->isChecked());

  menus_.Item("mnuPeriod_P2").Checked(false);
  menus_.OnClick("mnuPeriod_P2", [&] { ran.push_back("P2 refused"); });
  menus_.Click("mnuPeriod_P2");
  EXPECT_FALSE(menus_.Item("mnuPeriod_P2").Action()->isChecked()) << "a click on an unchecked item does not tick it";

  menus_.Item("mnuPeriod_P1").Enabled(false);
  menus_.Click("mnuPeriod_P1");
  EXPECT_EQ(ran, (std::vector<std::string>{"P1 refused", "P2", "P2 refused"})) << "a disabled item runs nothing";
}

}  // namespace
