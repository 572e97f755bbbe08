// The record navigator over a record set connected to its table: the
// position it shows, the buttons that follow it, adding, committing,
// cancelling and deleting rows, and its stored properties.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <memory>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "ctlAdoNav.h"
#include "vb/Conversions.h"

namespace {

using vb::Variant;

class NavigatorTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    db_ = OpenDatabase();
    db_->ExecuteScript(R"(
      CREATE TABLE Payment (ID INTEGER PRIMARY KEY, PAYEE VARCHAR(30) NOT NULL, KIND SMALLINT, RATE DOUBLE,
                            AMOUNT CURRENCY);
    )");
    nav_ = std::make_unique<ctlAdoNav>();
  }

  void TearDown() override {
    nav_.reset();
    db_.reset();
    ProgramTest::TearDown();
  }

  // Stores `rows` payments and hands the navigator a set of them that
  // writes each committed row at once.
  db::Recordset& Open(int rows) {
    for (int i = 1; i <= rows; ++i)
      db_->Execute("INSERT INTO Payment (ID, PAYEE, KIND, RATE, AMOUNT) VALUES (?, ?, 1, 0.5, 100)",
                   {Variant(i * 10), Variant("Payee " + std::to_string(i))});
    db::RecordsetPtr set = nav_->newRecordSet();
    set->Open("SELECT * FROM Payment ORDER BY ID", db_);
    nav_->rs(set);
    return *set;
  }

  struct Buttons {
    bool first, previous, next, last, remove;
    bool operator==(const Buttons&) const = default;
  };
  Buttons Moves() const {
    return {nav_->cmdMoveFirst->isEnabled(), nav_->cmdMovePrevious->isEnabled(), nav_->cmdMoveNext->isEnabled(),
            nav_->cmdMoveLast->isEnabled(), nav_->cmdDelete->isEnabled()};
  }
  std::string Position() const { return nav_->Text2->text().toStdString(); }
  long StoredRows() const { return vb::CLng(db_->Scalar("SELECT COUNT(*) FROM Payment")); }

  db::ConnectionPtr db_;
  std::unique_ptr<ctlAdoNav> nav_;
};

TEST_F(NavigatorTest, ShowsThePositionAndEnablesTheMovesItAllows) {
  struct Case {
    const char* what;
    int rows;
    bool canDelete;
    void (*move)(db::Recordset&);
    const char* position;
    Buttons buttons;
  };
  const Case cases[] = {
      {"no rows", 0, true, [](db::Recordset&) {}, "0 of 0", {false, false, false, false, false}},
      {"one row", 1, true, [](db::Recordset&) {}, "1 of 1", {false, false, false, false, true}},
      {"one row, no deleting", 1, false, [](db::Recordset&) {}, "1 of 1", {false, false, false, false, false}},
      {"the first row", 3, true, [](db::Recordset& rs) { rs.MoveFirst(); }, "1 of 3", {false, false, true, true, true}},
      {"a middle row", 3, true, [](db::Recordset& rs) { rs.Move(1); }, "2 of 3", {true, true, true, true, true}},
      {"the last row", 3, true, [](db::Recordset& rs) { rs.MoveLast(); }, "3 of 3", {true, true, false, false, true}},
      {"a row being added", 3, true, [](db::Recordset& rs) { rs.AddNew(); }, "4 of 4", {true, true, false, false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    db_->Execute("DELETE FROM Payment");
    nav_ = std::make_unique<ctlAdoNav>();
    nav_->CanDelete(c.canDelete);
    db::Recordset& rs = Open(c.rows);
    c.move(rs);
    EXPECT_EQ(Position(), c.position);
    EXPECT_EQ(Moves(), c.buttons);
  }

  // With no rows, Delete says so.
  db_->Execute("DELETE FROM Payment");
  nav_ = std::make_unique<ctlAdoNav>();
  Open(0);
  dialogs_.AnswerMsgBox(ui::vbOK);
  nav_->cmdDelete_Click();
  EXPECT_EQ(dialogs_.LastPrompt().text, "No record(s) to delete");
  EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbInformation);
}

TEST_F(NavigatorTest, MovesRaiseTheirEventsAndAnEditTurnsNavigationOff) {
  db::Recordset& rs = Open(3);
  QSignalSpy next(nav_.get(), &ctlAdoNav::NextRecord);
  QSignalSpy last(nav_.get(), &ctlAdoNav::LastRecord);
  nav_->cmdMoveNext_Click();
  nav_->cmdMoveLast_Click();
  EXPECT_EQ(next.count(), 1);
  EXPECT_EQ(last.count(), 1);
  EXPECT_EQ(Position(), "3 of 3");

  rs.SetValue("PAYEE", Variant("Renamed"));
  EXPECT_TRUE(nav_->Dirty());
  EXPECT_TRUE(nav_->cmdUpdate->isEnabled());
  EXPECT_TRUE(nav_->cmdCancel->isEnabled());
  EXPECT_EQ(Moves(), (Buttons{false, false, false, false, false}));

  nav_->Update();
  EXPECT_FALSE(nav_->Dirty());
  EXPECT_FALSE(nav_->cmdUpdate->isEnabled());
  EXPECT_EQ(vb::TextOf(db_->Scalar("SELECT PAYEE FROM Payment WHERE ID = 30")), "Renamed");
  EXPECT_EQ(Moves(), (Buttons{true, true, false, false, false}));
}

TEST_F(NavigatorTest, UpdateTurnsNumericNullsIntoZeroButLeavesCurrencyNull) {
  db::Recordset& rs = Open(1);
  std::vector<db::Recordset*> added;
  QObject::connect(nav_.get(), &ctlAdoNav::OnAddNew, [&](db::RecordsetPtr& set) { added.push_back(set.get()); });
  nav_->cmdAddNew_Click();
  EXPECT_EQ(added, std::vector<db::Recordset*>{&rs}) << "the host hears of the new row with the set";
  EXPECT_EQ(Position(), "2 of 2");
  EXPECT_TRUE(nav_->cmdUpdate->isEnabled());
  rs.SetValue("ID", Variant(20));
  rs.SetValue("PAYEE", Variant("New payee"));

  nav_->Update();
  EXPECT_FALSE(nav_->Dirty());
  EXPECT_EQ(vb::CLng(db_->Scalar("SELECT KIND FROM Payment WHERE ID = 20")), 0);
  EXPECT_EQ(vb::CDbl(db_->Scalar("SELECT RATE FROM Payment WHERE ID = 20")), 0);
  EXPECT_TRUE(db_->Scalar("SELECT AMOUNT FROM Payment WHERE ID = 20").IsNull());
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(NavigatorTest, ACommitThatFailsIsReportedAndLeavesTheRowDirty) {
  db::Recordset& rs = Open(2);
  nav_->cmdAddNew_Click();
  rs.SetValue("ID", Variant(30));  // PAYEE, which may not be Null, is left out
  ASSERT_TRUE(nav_->Dirty());

  dialogs_.AnswerMsgBox(ui::vbIgnore);
  nav_->Update();
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Source: ctlAdoNav"), std::string::npos);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: Update"), std::string::npos);
  EXPECT_TRUE(nav_->Dirty());
  EXPECT_TRUE(nav_->cmdUpdate->isEnabled());
  EXPECT_TRUE(nav_->cmdCancel->isEnabled());
  EXPECT_EQ(StoredRows(), 2);

  // Mended, the same row commits.
  rs.SetValue("PAYEE", Variant("Third payee"));
  nav_->Update();
  EXPECT_FALSE(nav_->Dirty());
  EXPECT_EQ(StoredRows(), 3);
}

TEST_F(NavigatorTest, CancelReturnsToTheRowBeforeTheAddOrTheEdit) {
  struct Case {
    const char* what;
    long startRow;
    bool add;
    const char* position;
  };
  const Case cases[] = {
      {"an add from the second row", 2, true, "2 of 3"},
      {"an add from the first row", 1, true, "1 of 3"},
      {"an edit of the third row", 3, false, "3 of 3"},
  };
  db::Recordset& rs = Open(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    rs.AbsolutePosition(c.startRow);
    if (c.add) nav_->cmdAddNew_Click();
    rs.SetValue("PAYEE", Variant("Pending"));
    nav_->Cancel();
    EXPECT_EQ(Position(), c.position);
    EXPECT_FALSE(nav_->Dirty());
    EXPECT_FALSE(nav_->cmdCancel->isEnabled());
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_NE(vb::TextOf(rs.Value("PAYEE")), "Pending");
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(NavigatorTest, DeletingAsksFirstAndLandsOnARowThatIsLeft) {
  db::Recordset& rs = Open(3);
  nav_->CanDelete(true);
  QSignalSpy deleted(nav_.get(), &ctlAdoNav::OnDeleteRecord);

  dialogs_.AnswerMsgBox(ui::vbNo);
  nav_->cmdDelete_Click();
  EXPECT_EQ(dialogs_.LastPrompt().text, "Do you really want to delete?");
  EXPECT_EQ(dialogs_.LastPrompt().title, "Delete?");
  EXPECT_EQ(StoredRows(), 3);

  // A pending new row is all that goes.
  nav_->cmdAddNew_Click();
  dialogs_.AnswerMsgBox(ui::vbYes);
  nav_->cmdDelete_Click();
  EXPECT_EQ(deleted.count(), 1);
  EXPECT_EQ(StoredRows(), 3);
  EXPECT_EQ(rs.RecordCount(), 3);

  rs.MoveLast();
  dialogs_.AnswerMsgBox(ui::vbYes);
  nav_->cmdDelete_Click();
  EXPECT_EQ(Position(), "2 of 2") << "the last row went: on the new last row";
  rs.MoveFirst();
  dialogs_.AnswerMsgBox(ui::vbYes);
  nav_->cmdDelete_Click();
  EXPECT_EQ(Position(), "1 of 1");
  EXPECT_EQ(Moves(), (Buttons{false, false, false, false, true}));
  EXPECT_EQ(deleted.count(), 3);
  EXPECT_EQ(StoredRows(), 1);
}

TEST_F(NavigatorTest, ADeletionTheTableRefusesIsReportedAndChangesNothing) {
  Open(2);
  nav_->CanDelete(true);
  QSignalSpy deleted(nav_.get(), &ctlAdoNav::OnDeleteRecord);
  db_->Execute("DELETE FROM Payment WHERE ID = 10");  // another user was first
  dialogs_.AnswerMsgBox(ui::vbYes);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  nav_->cmdDelete_Click();
  ASSERT_EQ(dialogs_.Prompts().size(), 2u);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: cmdDelete_Click"), std::string::npos);
  EXPECT_EQ(deleted.count(), 0);
  EXPECT_EQ(StoredRows(), 1);
  EXPECT_EQ(Position(), "1 of 2") << "the navigator stays where it was";
}

TEST_F(NavigatorTest, PermissionsAreStoredApartFromTheirDefaults) {
  EXPECT_TRUE(nav_->CanAdd());
  EXPECT_FALSE(nav_->CanDelete());
  EXPECT_TRUE(nav_->WriteProperties().isEmpty());

  QSignalSpy changed(nav_.get(), &ctlAdoNav::PropertyChanged);
  nav_->CanAdd(false);
  EXPECT_FALSE(nav_->cmdAddNew->isEnabled());
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(nav_->WriteProperties(), (QVariantMap{{"CanAdd", false}}));

  ctlAdoNav loaded;
  loaded.ReadProperties({{"CanAdd", false}, {"CanDelete", true}});
  EXPECT_FALSE(loaded.cmdAddNew->isEnabled());
  EXPECT_TRUE(loaded.cmdDelete->isEnabled());
  EXPECT_EQ(loaded.WriteProperties(), (QVariantMap{{"CanAdd", false}, {"CanDelete", true}}));
}

}  // namespace
