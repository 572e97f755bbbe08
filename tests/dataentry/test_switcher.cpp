// The tab and list switcher on a host window: stepping through entries in
// either presentation, showing the chosen entry's control, its layout and
// the failures it reports.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "ctlTabCombo.h"
#include "ui/Twips.h"

namespace {

class SwitcherTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    window_ = std::make_unique<QWidget>();
    window_->setObjectName("frmTax");
    switcher_ = new ctlTabCombo(window_.get());
    switcher_->setGeometry(0, 0, 400, 21);
    for (const char* name : {"pnlTaxes", "pnlNotes", "pnlTotals"}) {
      auto* panel = new QLineEdit(window_.get());
      panel->setObjectName(name);
      panel->setGeometry(0, 30 + 30 * static_cast<int>(panels_.size()), 200, 24);
      panels_.push_back(panel);
    }
    window_->resize(420, 140);
    // The host's own control has the focus when the window comes up (a tab
    // strip without tabs that took it would have no entry to show).
    panels_[0]->setFocus();
    window_->show();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  void TearDown() override {
    window_.reset();
    ProgramTest::TearDown();
  }

  // Adds the first `count` panels as entries.
  void AddEntries(int count) {
    const char* captions[] = {"Taxes", "Notes", "Totals"};
    for (int i = 0; i < count; ++i) switcher_->AddItem(captions[i], panels_[static_cast<std::size_t>(i)]->objectName().toStdString());
  }

  // The names of the visible panels.
  std::vector<std::string> Shown() const {
    std::vector<std::string> names;
    for (QLineEdit* panel : panels_)
      if (panel->isVisible()) names.push_back(panel->objectName().toStdString());
    return names;
  }

  std::unique_ptr<QWidget> window_;
  ctlTabCombo* switcher_ = nullptr;
  std::vector<QLineEdit*> panels_;
};

TEST_F(SwitcherTest, StepsThroughTheEntriesOfEitherPresentation) {
  struct Case {
    const char* what;
    int entries;
    std::function<void(ctlTabCombo&)> prepare;  // with ParentForm set and the entries added
    std::function<void(ctlTabCombo&)> act;
    int index;     // CurrentIndex afterwards
    int tab;       // TabNumber afterwards
    int position;  // the list's position afterwards
    std::vector<std::string> shown;  // controls that are not entries stay as they are
    int clicks;                      // TabClick raised
  };
  const std::vector<std::string> all = {"pnlTaxes", "pnlNotes", "pnlTotals"};
  auto none = [](ctlTabCombo&) {};
  auto next = [](ctlTabCombo& s) { s.NextControl(); };
  auto toList = [](ctlTabCombo& s) { s.cmdCombo_Click(); };
  auto onLastTab = [](ctlTabCombo& s) { s.tabCtl->setCurrentIndex(2); };
  auto onLastItem = [](ctlTabCombo& s) {
    s.cmdCombo_Click();
    s.NextControl();
    s.NextControl();
  };
  auto listEmptied = [](ctlTabCombo& s) {
    s.cmdCombo_Click();
    s.DelItem();
    s.AddItem("Taxes", "pnlTaxes");
    s.AddItem("Notes", "pnlNotes");
  };
  auto choose = [](int item) {
    return [item](ctlTabCombo& s) {
      s.cboCtl->setCurrentIndex(item);
      emit s.cboCtl->activated(item);
    };
  };
  const std::vector<Case> cases = {
      {"a new switcher", 0, none, none, 1, 0, -1, all, 0},
      {"one entry: the same tab again", 1, none, next, 1, 1, -1, all, 0},
      {"one entry in the list: the same item again", 1, toList, next, 1, 1, 0, all, 1},
      {"from the last tab to the first", 3, onLastTab, next, 1, 1, -1, all, 0},
      {"from the last item to the first", 3, onLastItem, next, 1, 1, 0, {"pnlTaxes"}, 1},
      {"no item chosen yet: the first", 2, listEmptied, next, 1, 1, 0, {"pnlTaxes", "pnlTotals"}, 1},
      {"the list shows the next entry", 3, toList, next, 2, 1, 1, {"pnlNotes"}, 1},
      {"a chosen item shows its entry", 3, none, choose(2), 3, 1, 2, {"pnlTotals"}, 1},
      {"enabling no entries does nothing", 0, none, [](ctlTabCombo& s) { s.EnableCtl(false); }, 1, 0, -1, all, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    delete switcher_;
    for (QLineEdit* panel : panels_) panel->show();
    switcher_ = new ctlTabCombo(window_.get());
    switcher_->ParentForm(window_.get());
    AddEntries(c.entries);
    c.prepare(*switcher_);
    for (QLineEdit* panel : panels_) panel->show();
    QSignalSpy clicks(switcher_, &ctlTabCombo::TabClick);
    c.act(*switcher_);
    EXPECT_EQ(switcher_->CurrentIndex(), c.index);
    EXPECT_EQ(switcher_->TabNumber(), c.tab);
    EXPECT_EQ(switcher_->cboCtl->currentIndex(), c.position);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(clicks.count(), c.clicks);
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(SwitcherTest, AChosenEntryIsShownAndFocusedBeforeTabClick) {
  switcher_->ParentForm(window_.get());
  AddEntries(3);
  std::vector<std::string> shownAtClick;
  QWidget* focusedAtClick = nullptr;
  QObject::connect(switcher_, &ctlTabCombo::TabClick, [&] {
    shownAtClick = Shown();
    focusedAtClick = QApplication::focusWidget();
  });
  switcher_->cmdCombo_Click();
  EXPECT_EQ(switcher_->Mode(), "Combo");
  EXPECT_TRUE(switcher_->cboCtl->isVisible());
  EXPECT_FALSE(switcher_->tabCtl->isVisible());
  EXPECT_EQ(shownAtClick, std::vector<std::string>{"pnlTaxes"});
  EXPECT_EQ(focusedAtClick, panels_[0]);
  EXPECT_EQ(switcher_->cbotext(), "Taxes");

  // Back to the tabs: the list's item is the selected tab, and the focus
  // given to the switcher reaches the tab strip, which shows that entry.
  switcher_->NextControl();
  switcher_->cmdTab_Click();
  EXPECT_EQ(switcher_->TabNumber(), 2);
  EXPECT_EQ(switcher_->CurrentIndex(), 2);
  panels_[0]->setFocus();
  switcher_->setFocus();
  EXPECT_EQ(switcher_->Mode(), "Tab");
  EXPECT_EQ(Shown(), std::vector<std::string>{"pnlNotes"});
  EXPECT_EQ(QApplication::focusWidget(), panels_[1]);
}

TEST_F(SwitcherTest, LaysItselfOutAlongItsWidthAndKeepsItsHeight) {
  // Places in pixels of the twips laid down for an inner width W.
  auto px = [](int twips) { return ui::TwipsToPixelsX(twips); };
  const int w = 6000;
  switcher_->resize(px(w), 80);
  EXPECT_EQ(switcher_->height(), ui::TwipsToPixelsY(315));
  for (QWidget* bar : {static_cast<QWidget*>(switcher_->cboCtl), static_cast<QWidget*>(switcher_->tabCtl)}) {
    EXPECT_EQ(bar->x(), px(50)) << bar->objectName().toStdString();
    EXPECT_EQ(bar->x() + bar->width(), px(w - 450)) << bar->objectName().toStdString();
  }
  for (QWidget* button : {switcher_->cmdTab, switcher_->cmdCombo}) {
    EXPECT_EQ(button->x(), px(w - 500)) << button->objectName().toStdString();
    EXPECT_EQ(button->x() + button->width(), px(w - 5)) << button->objectName().toStdString();
  }
}

TEST_F(SwitcherTest, ReportsAnEntryBeyondItsTableAndAHostItWasNotGiven) {
  dialogs_.AnswerMsgBox(5);  // Ignore
  AddEntries(1);
  switcher_->NextControl();
  switcher_->cmdCombo_Click();  // shows the entry: the host is not known
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Error No: 91"), std::string::npos);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Source: ctlTabCombo"), std::string::npos);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: VisibleCtl"), std::string::npos);

  switcher_->ParentForm(window_.get());
  for (int i = 1; i < ctlTabCombo::kMaxEntries; ++i) switcher_->AddItem("Panel", "pnlTaxes");
  dialogs_.ClearPrompts();
  dialogs_.AnswerMsgBox(5);
  switcher_->AddItem("One too many", "pnlNotes");
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Error No: 9"), std::string::npos);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: AddItem"), std::string::npos);
  EXPECT_EQ(switcher_->cboCtl->count(), ctlTabCombo::kMaxEntries + 1) << "the item and the tab are added";
  EXPECT_EQ(switcher_->tabCtl->count(), ctlTabCombo::kMaxEntries + 1);

  // The entries the table holds still show without further reports.
  dialogs_.ClearPrompts();
  switcher_->EnableCtl(false);
  EXPECT_FALSE(panels_[0]->isEnabled());
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

}  // namespace
