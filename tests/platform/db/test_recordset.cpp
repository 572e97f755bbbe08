// The record set: reading, navigation, filter and sort, clones, the move
// and will-change-field notifications, conversions on assignment and
// writing changes back.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include "../vb/VbTestSupport.h"
#include "TestEnvironment.h"
#include "db/Catalog.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "vb/Conversions.h"

using db::Recordset;
using vb::Variant;

namespace {

using vbtest::ErrorOf;

class RecordsetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fixtures::MakeTempFolder("levdb");
    conn_ = db::Connection::Create();
    conn_->Open(db::Connection::ConnectionStringFor((folder_ / "t.db").string()), true);
    conn_->ExecuteScript(R"(
      CREATE TABLE Agency (
        COUNTY_ID INTEGER NOT NULL, DISTRICT_ID INTEGER NOT NULL,
        NAME VARCHAR(20) COLLATE NOCASE, KIND SMALLINT, AMOUNT CURRENCY, RATE DOUBLE,
        OPENED DATETIME, ACTIVE BIT, SCHOOL_ID INTEGER NOT NULL DEFAULT 0,
        PRIMARY KEY (COUNTY_ID, DISTRICT_ID));
      CREATE TABLE Note (COUNTY_ID INTEGER NOT NULL, DISTRICT_ID INTEGER NOT NULL,
        NOTE TEXT COLLATE NOCASE, PRIMARY KEY (COUNTY_ID, DISTRICT_ID));
      INSERT INTO Agency VALUES (1, 10, 'Alder', 3, 1500, 0.5, '2019-07-01 00:00:00', -1, 0);
      INSERT INTO Agency VALUES (1, 20, 'birch', 2, 12.5, NULL, NULL, 0, 0);
      INSERT INTO Agency VALUES (2, 10, 'Cedar', 3, NULL, 2.25, '2020-01-05 15:04:05', -1, 0);
      INSERT INTO Agency VALUES (2, 30, 'alder Creek', 4, -250, 1, NULL, 0, 0);
      INSERT INTO Note VALUES (1, 10, 'first'), (2, 10, 'third');
    )");
  }
  void TearDown() override {
    conn_->Close();
    std::filesystem::remove_all(folder_);
  }

  db::RecordsetPtr Open(const std::string& sql) { return Recordset::Query(sql, conn_); }
  long Count(const std::string& sql) { return vb::CLng(conn_->Scalar(sql)); }

  std::filesystem::path folder_;
  db::ConnectionPtr conn_;
};

std::vector<std::string> Names(Recordset& rs) {
  std::vector<std::string> names;
  if (rs.RecordCount() == 0) return names;
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) names.push_back(vb::TextOf(rs.Value("NAME")));
  return names;
}

TEST_F(RecordsetTest, ReadsValuesAsTheirDeclaredTypes) {
  auto rs = Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID");
  EXPECT_EQ(rs->Value("county_id").Type(), vb::VarType::Long);
  EXPECT_EQ(rs->Value("KIND").Type(), vb::VarType::Integer);
  EXPECT_EQ(rs->Value("AMOUNT").Type(), vb::VarType::Currency);
  EXPECT_EQ(vb::CStr(rs->Value("AMOUNT")), "1500");
  EXPECT_EQ(rs->Value("RATE").Type(), vb::VarType::Double);
  EXPECT_EQ(vb::CStr(rs->Value("OPENED")), "7/1/2019");
  EXPECT_EQ(rs->Value("ACTIVE").Type(), vb::VarType::Boolean);
  EXPECT_EQ(vb::CStr(rs->Value("ACTIVE")), "True");
  rs->MoveNext();
  EXPECT_TRUE(rs->Value("RATE").IsNull());
  EXPECT_EQ(vb::CStr(rs->Value("AMOUNT")), "12.5");

  const db::FieldMeta& name = rs->FieldInfo(rs->FieldIndex("name"));
  EXPECT_EQ(name.type, db::DataType::VarWChar);
  EXPECT_EQ(name.definedSize, 20);
  EXPECT_EQ(name.baseTable, "Agency");
  EXPECT_EQ(ErrorOf([&] { rs->Value("NO_SUCH"); }), vb::err::ItemNotFound);
}

TEST_F(RecordsetTest, NavigatesAndReportsItsPosition) {
  auto rs = Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID");
  EXPECT_EQ(rs->RecordCount(), 4);
  EXPECT_FALSE(rs->Bof());
  EXPECT_EQ(rs->AbsolutePosition(), 1);
  rs->MoveLast();
  EXPECT_EQ(rs->AbsolutePosition(), 4);
  rs->MoveNext();
  EXPECT_TRUE(rs->Eof());
  EXPECT_EQ(rs->AbsolutePosition(), -3);
  EXPECT_EQ(ErrorOf([&] { rs->MoveNext(); }), vb::err::NoCurrentRecord);
  EXPECT_EQ(ErrorOf([&] { rs->Value("NAME"); }), vb::err::NoCurrentRecord);
  rs->MovePrevious();
  EXPECT_EQ(vb::CStr(rs->Value("NAME")), "alder Creek");
  rs->Move(-2);
  EXPECT_EQ(vb::CStr(rs->Value("NAME")), "birch");
  rs->Move(-5);
  EXPECT_TRUE(rs->Bof());
  EXPECT_EQ(ErrorOf([&] { rs->MovePrevious(); }), vb::err::NoCurrentRecord);

  rs->AbsolutePosition(3);
  EXPECT_EQ(vb::CStr(rs->Value("NAME")), "Cedar");
  for (long bad : {0L, 5L, -1L}) {
    EXPECT_EQ(ErrorOf([&] { rs->AbsolutePosition(bad); }), vb::err::ArgumentOutOfRange) << bad;
  }
  EXPECT_EQ(vb::CStr(rs->Value("NAME")), "Cedar") << "a refused position leaves the row where it was";

  auto empty = Open("SELECT * FROM Agency WHERE COUNTY_ID = 99");
  EXPECT_TRUE(empty->Bof());
  EXPECT_TRUE(empty->Eof());
  EXPECT_EQ(empty->RecordCount(), 0);
}

TEST_F(RecordsetTest, FiltersByCriteriaAndPredicate) {
  auto rs = Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID");
  struct Case {
    std::string criteria;
    std::vector<std::string> names;
  };
  const std::vector<Case> cases = {
      {"COUNTY_ID = 1", {"Alder", "birch"}},
      {"name = 'ALDER'", {"Alder"}},
      {"NAME LIKE 'alder*'", {"Alder", "alder Creek"}},
      {"NAME LIKE '%Cr%'", {"alder Creek"}},
      {"AMOUNT < 100", {"birch", "alder Creek"}},
      {"AMOUNT = Null", {"Cedar"}},
      {"RATE <> NULL AND KIND = 3", {"Alder", "Cedar"}},
      {"(COUNTY_ID = 2 AND KIND = 4) OR DISTRICT_ID = 20", {"birch", "alder Creek"}},
      {"OPENED >= #1/1/2020#", {"Cedar"}},
      {"NAME = 'O''Neil'", {}},
      {"KIND > '2'", {"Alder", "Cedar", "alder Creek"}},
      {"KIND <= 2", {"birch"}},
      {"KIND >= 4", {"alder Creek"}},
      {"AMOUNT >= 12.5 AND AMOUNT <= 12.5", {"birch"}},
  };
  for (const Case& c : cases) {
    rs->Filter(c.criteria);
    EXPECT_EQ(Names(*rs), c.names) << c.criteria;
    EXPECT_EQ(rs->RecordCount(), static_cast<long>(c.names.size())) << c.criteria;
  }
  rs->Filter("");
  EXPECT_EQ(rs->RecordCount(), 4);
  EXPECT_EQ(rs->AbsolutePosition(), 1);

  rs->Filter([](const db::RowView& row) { return vb::CLng(row.Value("DISTRICT_ID")) == 10; });
  EXPECT_EQ(Names(*rs), (std::vector<std::string>{"Alder", "Cedar"}));

  EXPECT_EQ(ErrorOf([&] { rs->Filter("NOPE = 1"); }), vb::err::ItemNotFound);
  EXPECT_EQ(ErrorOf([&] { rs->Filter("NAME = 'open"); }), vb::err::ArgumentOutOfRange);
}

TEST_F(RecordsetTest, ARowBeingAddedStaysInViewButANewFilterAppliesToItOnceAdded) {
  auto rs = Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID");
  rs->ActiveConnection(nullptr);
  rs->Filter("COUNTY_ID = 1");
  rs->AddNew();
  EXPECT_EQ(rs->RecordCount(), 3) << "the row being added is in view whatever the filter";
  rs->SetValue("COUNTY_ID", 7);
  rs->SetValue("DISTRICT_ID", 1);
  rs->SetValue("NAME", Variant("Elm"));
  rs->Update();
  rs->Filter("COUNTY_ID = 1");
  EXPECT_EQ(Names(*rs), (std::vector<std::string>{"Alder", "birch"}));
  rs->Filter("COUNTY_ID = 7");
  EXPECT_EQ(Names(*rs), (std::vector<std::string>{"Elm"}));
}

TEST_F(RecordsetTest, LikeWildcardsStandForWholeCharacters) {
  conn_->ExecuteScript(
      "CREATE TABLE Place (NAME VARCHAR(20) COLLATE NOCASE); "
      "INSERT INTO Place VALUES ('La Cañada'), ('La Canada'), ('Añ')");
  auto rs = Open("SELECT * FROM Place ORDER BY rowid");
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"NAME LIKE 'La Ca_ada'", {"La Cañada", "La Canada"}},
      {"NAME LIKE 'la ca?ada'", {"La Cañada", "La Canada"}},
      {"NAME LIKE '__'", {"Añ"}},
      {"NAME LIKE 'A_'", {"Añ"}},
      {"NAME LIKE '*Ñ*'", {"La Cañada", "Añ"}},
      {"NAME LIKE '*_a_a'", {"La Cañada", "La Canada"}},
  };
  for (const auto& [criteria, names] : cases) {
    rs->Filter(criteria);
    EXPECT_EQ(Names(*rs), names) << criteria;
  }
}

TEST_F(RecordsetTest, SortsStablyWithNullFirstAndClears) {
  auto rs = Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID");
  rs->Sort("AMOUNT");
  EXPECT_EQ(Names(*rs), (std::vector<std::string>{"Cedar", "alder Creek", "birch", "Alder"}));
  rs->Sort("KIND DESC, NAME");
  EXPECT_EQ(Names(*rs), (std::vector<std::string>{"alder Creek", "Alder", "Cedar", "birch"}));
  rs->Sort("name");  // texts ignore case
  EXPECT_EQ(Names(*rs), (std::vector<std::string>{"Alder", "alder Creek", "birch", "Cedar"}));
  rs->Filter("COUNTY_ID = 2");
  EXPECT_EQ(Names(*rs), (std::vector<std::string>{"alder Creek", "Cedar"})) << "filter and sort combine";
  rs->Sort("");
  rs->Filter("");
  EXPECT_EQ(Names(*rs), (std::vector<std::string>{"Alder", "birch", "Cedar", "alder Creek"}));
  EXPECT_EQ(ErrorOf([&] { rs->Sort("NOPE DESC"); }), vb::err::ItemNotFound);
}

TEST_F(RecordsetTest, ClonesShareRowsButNotPosition) {
  auto rs = Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID");
  rs->Filter("COUNTY_ID = 2");
  rs->MoveLast();
  auto clone = rs->Clone();
  EXPECT_EQ(clone->RecordCount(), 4) << "a clone has no filter";
  EXPECT_EQ(clone->AbsolutePosition(), 1);
  clone->SetValue("NAME", Variant("Aspen"));
  rs->Filter("");
  EXPECT_EQ(vb::CStr(rs->Value("NAME")), "Aspen");
  clone->AddNew();
  clone->SetValue("COUNTY_ID", 3);
  clone->SetValue("DISTRICT_ID", 5);
  clone->Update();
  EXPECT_EQ(rs->RecordCount(), 5) << "rows added through a clone appear in the original";
}

TEST_F(RecordsetTest, MoveNotificationFiresOnEveryChangeOfTheCurrentRow) {
  auto rs = Recordset::Create();
  std::vector<db::MoveReason> fired;
  rs->AddMoveHandler([&](Recordset&, db::MoveReason reason) { fired.push_back(reason); });
  rs->Open("SELECT * FROM Agency", conn_);
  ASSERT_EQ(fired.size(), 1u) << "opening fires once";

  struct Step {
    std::function<void()> action;
    bool fires;
    const char* what;
  };
  const std::vector<Step> steps = {
      {[&] { rs->MoveFirst(); }, true, "MoveFirst on the first row"},
      {[&] { rs->MoveNext(); }, true, "MoveNext"},
      {[&] { rs->AbsolutePosition(3); }, true, "AbsolutePosition"},
      {[&] { rs->Filter("KIND = 3"); }, true, "Filter"},
      {[&] { rs->Sort("NAME DESC"); }, true, "Sort"},
      {[&] { rs->Requery(); }, true, "Requery"},
      {[&] { rs->AddNew(); }, true, "AddNew"},
      {[&] { rs->SetValue("NAME", Variant("x")); }, false, "a field assignment"},
      {[&] { rs->CancelUpdate(); }, true, "cancelling an added row returns to the previous row"},
      {[&] { rs->Clone(); }, false, "Clone"},
      {[&] { rs->RecordCount(); }, false, "RecordCount"},
  };
  for (const Step& step : steps) {
    std::size_t before = fired.size();
    step.action();
    EXPECT_EQ(fired.size() > before, step.fires) << step.what;
  }
  int handle = rs->AddMoveHandler([](Recordset&, db::MoveReason) {});
  rs->RemoveMoveHandler(handle);
}

TEST_F(RecordsetTest, WillChangeFieldFiresBeforeAnAcceptedValueAndAHandlerCanRefuseIt) {
  auto rs = Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID");
  std::vector<std::pair<int, std::string>> fired;  // field, value the row still held
  const int handle = rs->AddWillChangeFieldHandler([&](Recordset& set, int field) {
    fired.emplace_back(field, vb::TextOf(set.Value(field)));
  });
  rs->SetValue("NAME", Variant("Aspen"));
  rs->Fields("KIND") = Variant(5);
  EXPECT_EQ(fired, (std::vector<std::pair<int, std::string>>{{rs->FieldIndex("NAME"), "Alder"},
                                                             {rs->FieldIndex("KIND"), "3"}}));
  fired.clear();
  EXPECT_EQ(ErrorOf([&] { rs->SetValue("KIND", Variant("many")); }), vb::err::TypeMismatch);
  EXPECT_TRUE(fired.empty()) << "a value the field refuses announces no change";
  rs->MoveNext();
  rs->AddNew();
  rs->SetValue("NAME", Variant("Elm"));
  EXPECT_EQ(fired.size(), 1u) << "a new row's fields too";
  rs->CancelUpdate();

  rs->RemoveWillChangeFieldHandler(handle);
  rs->AddWillChangeFieldHandler([](Recordset&, int) { throw vb::VbError(vb::err::FieldNotUpdatable, "refused"); });
  EXPECT_EQ(ErrorOf([&] { rs->SetValue("NAME", Variant("Fir")); }), vb::err::FieldNotUpdatable);
  EXPECT_EQ(vb::TextOf(rs->Value("NAME")), "birch") << "a refused change leaves the row as it was";
  EXPECT_EQ(rs->EditMode(), db::EditMode::None);
}

TEST_F(RecordsetTest, ReadsAnyRowInViewWithoutMovingAndTellsWhenTheRowsChange) {
  auto rs = Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID");
  rs->Sort("NAME DESC");
  rs->Filter("KIND = 3");
  rs->MoveLast();
  const int name = rs->FieldIndex("NAME");
  EXPECT_EQ(vb::TextOf(rs->ValueAt(1, name)), "Cedar") << "rows in sorted, filtered order";
  EXPECT_EQ(vb::TextOf(rs->ValueAt(2, name)), "Alder");
  EXPECT_TRUE(rs->ValueAt(3, name).IsNull()) << "past the last row";
  EXPECT_TRUE(rs->ValueAt(0, name).IsNull());
  EXPECT_EQ(rs->AbsolutePosition(), 2) << "reading moved nothing";
  EXPECT_EQ(ErrorOf([&] { rs->ValueAt(1, 99); }), vb::err::ItemNotFound);

  struct Step {
    std::function<void()> action;
    bool changesRows;
    const char* what;
  };
  const std::vector<Step> steps = {
      {[&] { rs->MoveFirst(); }, false, "a move"},
      {[&] { rs->SetValue("NAME", Variant("Cypress")); }, false, "a field assignment"},
      {[&] { rs->Filter(""); }, true, "a filter"},
      {[&] { rs->Sort("NAME"); }, true, "a sort"},
      {[&] { rs->Requery(); }, true, "a requery"},
      {[&] { rs->AddNew(); }, true, "a new row"},
      {[&] { rs->CancelUpdate(); }, true, "the new row cancelled"},
      {[&] { rs->Close(); }, true, "closing"},
  };
  for (const Step& step : steps) {
    const std::uint64_t before = rs->RowsVersion();
    step.action();
    EXPECT_EQ(rs->RowsVersion() != before, step.changesRows) << step.what;
  }
  EXPECT_TRUE(rs->ValueAt(1, 0).IsNull()) << "a closed record set has no rows";
}

TEST_F(RecordsetTest, ConvertsValuesOnAssignment) {
  auto rs = Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID");
  rs->SetValue("COUNTY_ID", Variant("1,234"));
  EXPECT_EQ(rs->Value("COUNTY_ID").Type(), vb::VarType::Long);
  EXPECT_EQ(vb::CLng(rs->Value("COUNTY_ID")), 1234);
  rs->SetValue("AMOUNT", Variant(" 12.25 "));
  EXPECT_EQ(vb::CStr(rs->Value("AMOUNT")), "12.25");
  rs->SetValue("NAME", Variant(42));
  EXPECT_EQ(rs->Value("NAME").AsString(), "42");
  rs->SetValue("OPENED", Variant("1/5/2020 3:04:05 PM"));
  EXPECT_EQ(vb::ToIsoText(rs->Value("OPENED").AsDate()), "2020-01-05 15:04:05");
  rs->SetValue("RATE", Variant());
  EXPECT_TRUE(rs->Value("RATE").IsNull()) << "Empty is stored as Null";

  struct Bad {
    const char* field;
    Variant value;
    long error;
  };
  const std::vector<Bad> bad = {
      {"NAME", Variant("a name far longer than twenty"), vb::err::MultipleStepError},
      {"COUNTY_ID", Variant("twelve"), vb::err::TypeMismatch},
      {"AMOUNT", Variant(""), vb::err::TypeMismatch},
      {"KIND", Variant(40000), vb::err::Overflow},
      {"OPENED", Variant("not a date"), vb::err::TypeMismatch},
  };
  for (const Bad& b : bad) {
    Variant before = rs->Value(b.field);
    EXPECT_EQ(ErrorOf([&] { rs->SetValue(b.field, b.value); }), b.error) << b.field;
    EXPECT_TRUE(rs->Value(b.field).Identical(before)) << "a refused value leaves the field as it was: " << b.field;
  }
}

TEST_F(RecordsetTest, FabricatedRecordSetsEnforceTextSizes) {
  Recordset rs;
  rs.AppendField("CODE", db::DataType::VarWChar, 3);
  rs.AppendField("COUNT", db::DataType::Integer);
  rs.Open();
  EXPECT_TRUE(rs.Eof());
  rs.AddNew();
  rs["CODE"] = "ABC";
  rs["COUNT"] = "7";
  rs.Update();
  EXPECT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(vb::CLng(rs.Value("count")), 7);
  EXPECT_EQ(ErrorOf([&] { rs["CODE"] = "ABCD"; }), vb::err::MultipleStepError);
  EXPECT_EQ(ErrorOf([&] { rs.UpdateBatch(); }), vb::err::NoConnection) << "nothing to write to";
}

TEST_F(RecordsetTest, DisconnectedSubmitIsAllOrNothing) {
  auto rs = Open("SELECT * FROM Agency WHERE 0");
  rs->ActiveConnection(nullptr);
  rs->AddNew();
  rs->SetValue("COUNTY_ID", 5);
  rs->SetValue("DISTRICT_ID", 1);
  rs->SetValue("NAME", Variant("New one"));
  rs->SetValue("ACTIVE", Variant(true));
  rs->AddNew();
  rs->SetValue("COUNTY_ID", 1);
  rs->SetValue("DISTRICT_ID", 10);  // the key of an existing row
  rs->Update();
  EXPECT_EQ(ErrorOf([&] { rs->UpdateBatch(); }), vb::err::NoConnection);

  rs->ActiveConnection(conn_);
  EXPECT_EQ(ErrorOf([&] { rs->UpdateBatch(); }), vb::err::IntegrityViolation);
  EXPECT_EQ(Count("SELECT count(*) FROM Agency"), 4) << "the first row must not be written either";
  EXPECT_EQ(rs->PendingCount(), 2) << "the changes stay pending";

  rs->SetValue("DISTRICT_ID", 11);  // correct the refused row and submit again
  rs->UpdateBatch();
  EXPECT_EQ(Count("SELECT count(*) FROM Agency"), 6);
  EXPECT_EQ(rs->PendingCount(), 0);
  EXPECT_EQ(vb::CLng(rs->Value("SCHOOL_ID")), 0) << "an unassigned field gets the table's default";
  EXPECT_EQ(Count("SELECT SCHOOL_ID FROM Agency WHERE COUNTY_ID = 5"), 0);
  EXPECT_EQ(Count("SELECT ACTIVE FROM Agency WHERE COUNTY_ID = 5"), -1) << "True is stored as -1";
}

TEST_F(RecordsetTest, BatchWritesUpdatesAndDeletesByOriginalKey) {
  auto rs = Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID");
  rs->ActiveConnection(nullptr);
  // From a deleted row, the next row is the one after it however the move is made.
  for (const auto& [how, move] : std::vector<std::pair<const char*, std::function<void(Recordset&)>>>{
           {"MoveNext", [](Recordset& r) { r.MoveNext(); }}, {"Move 1", [](Recordset& r) { r.Move(1); }}}) {
    auto other = Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID");
    other->ActiveConnection(nullptr);
    other->MoveNext();
    other->Delete();
    move(*other);
    EXPECT_EQ(vb::CStr(other->Value("NAME")), "Cedar") << how;
  }
  rs->SetValue("DISTRICT_ID", 15);  // a key change finds the row by its old key
  rs->SetValue("NAME", Variant("Alder Two"));
  rs->MoveNext();
  rs->Delete();
  EXPECT_EQ(ErrorOf([&] { rs->Value("NAME"); }), vb::err::NoCurrentRecord) << "a deleted row has no values";
  rs->MoveNext();
  EXPECT_EQ(vb::CStr(rs->Value("NAME")), "Cedar") << "the next row follows the deleted one";
  EXPECT_EQ(rs->RecordCount(), 3);
  EXPECT_EQ(Count("SELECT count(*) FROM Agency"), 4) << "nothing is written before the submit";

  rs->ActiveConnection(conn_);
  rs->UpdateBatch();
  EXPECT_EQ(Count("SELECT count(*) FROM Agency"), 3);
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT NAME FROM Agency WHERE DISTRICT_ID = 15")), "Alder Two");
  EXPECT_EQ(Count("SELECT count(*) FROM Agency WHERE DISTRICT_ID = 20"), 0);

  // A row changed by someone else in the meantime is not overwritten.
  auto second = Open("SELECT * FROM Agency WHERE DISTRICT_ID = 15");
  second->ActiveConnection(nullptr);
  conn_->Execute("UPDATE Agency SET DISTRICT_ID = 16 WHERE DISTRICT_ID = 15");
  second->SetValue("NAME", Variant("stale"));
  second->ActiveConnection(conn_);
  EXPECT_EQ(ErrorOf([&] { second->UpdateBatch(); }), vb::err::RowNotFound);
}

TEST_F(RecordsetTest, ARecordSetOnAJoinWritesEachColumnToItsTable) {
  auto rs = Open(
      "SELECT a.COUNTY_ID, a.DISTRICT_ID, a.NAME, n.NOTE FROM Agency a "
      "JOIN Note n ON n.COUNTY_ID = a.COUNTY_ID AND n.DISTRICT_ID = a.DISTRICT_ID ORDER BY a.COUNTY_ID");
  EXPECT_EQ(rs->FieldInfo(rs->FieldIndex("NOTE")).baseTable, "Note");
  rs->ActiveConnection(nullptr);
  rs->SetValue("NOTE", Variant("changed note"));
  rs->SetValue("NAME", Variant("changed name"));
  rs->ActiveConnection(conn_);
  rs->UpdateBatch();
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT NOTE FROM Note WHERE COUNTY_ID = 1")), "changed note");
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT NAME FROM Agency WHERE COUNTY_ID = 1 AND DISTRICT_ID = 10")),
            "changed name");
}

TEST_F(RecordsetTest, ATableOfAnAttachedFileIsWrittenByItsOwnKey) {
  // The attached file's Agency is keyed by name and has defaults of its own.
  {
    db::Connection other;
    other.Open(db::Connection::ConnectionStringFor((folder_ / "other.db").string()), true);
    other.ExecuteScript(
        "CREATE TABLE Agency (COUNTY_ID INTEGER, DISTRICT_ID INTEGER, NAME VARCHAR(20) COLLATE NOCASE, "
        "SCHOOL_ID INTEGER DEFAULT 7, PRIMARY KEY (NAME)); "
        "INSERT INTO Agency VALUES (1, 10, 'Alder', 0), (1, 10, 'Birch', 0)");
  }
  conn_->Attach((folder_ / "other.db").string(), "other");
  EXPECT_EQ(db::catalog::PrimaryKey(*conn_, "OTHER.agency"), (std::vector<std::string>{"NAME"}));
  EXPECT_EQ(db::catalog::TableName(*conn_, "other.AGENCY"), "other.Agency");
  EXPECT_EQ(db::catalog::SqlName(*conn_, "other.agency"), "\"other\".\"Agency\"");
  EXPECT_EQ(db::catalog::SqlName(*conn_, "nowhere.Agency"), "");

  auto rs = Open("SELECT * FROM other.Agency ORDER BY NAME");
  rs->ActiveConnection(nullptr);
  rs->SetValue("COUNTY_ID", 5);
  rs->AddNew();
  rs->SetValue("NAME", Variant("Cedar"));
  rs->ActiveConnection(conn_);
  rs->UpdateBatch();
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT group_concat(COUNTY_ID || NAME || SCHOOL_ID, ',') FROM other.Agency")),
            "5Alder0,1Birch0");
  EXPECT_EQ(vb::CLng(rs->Value("SCHOOL_ID")), 7) << "the attached table's default";
  EXPECT_EQ(Count("SELECT count(*) FROM main.Agency WHERE COUNTY_ID = 5"), 0);
  conn_->Detach("other");
}

TEST_F(RecordsetTest, ConnectedRecordSetsWriteOnUpdateOrMove) {
  auto rs = Recordset::Create();
  rs->LockType(db::LockType::Pessimistic);
  rs->Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID", conn_);
  rs->SetValue("NAME", Variant("Moved"));
  EXPECT_EQ(rs->EditMode(), db::EditMode::InProgress);
  rs->MoveNext();  // leaving the row writes it
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT NAME FROM Agency WHERE DISTRICT_ID = 10 AND COUNTY_ID = 1")), "Moved");
  rs->AddNew();
  rs->SetValue("COUNTY_ID", 9);
  rs->SetValue("DISTRICT_ID", 9);
  rs->Update();
  EXPECT_EQ(Count("SELECT count(*) FROM Agency WHERE COUNTY_ID = 9"), 1);
  rs->Delete();
  EXPECT_EQ(Count("SELECT count(*) FROM Agency WHERE COUNTY_ID = 9"), 0);

  rs->MoveFirst();
  rs->SetValue("DISTRICT_ID", 20);  // the key of the second row
  EXPECT_EQ(ErrorOf([&] { rs->Update(); }), vb::err::IntegrityViolation);
  EXPECT_EQ(rs->EditMode(), db::EditMode::InProgress) << "a refused row stays in edit for correction";
  rs->CancelUpdate();
  EXPECT_EQ(vb::CLng(rs->Value("DISTRICT_ID")), 10);
}

TEST_F(RecordsetTest, AQueryReadAgainAfterTheTableChangedShowsTheNewLayout) {
  const std::string sql = "SELECT * FROM Shape";
  auto other = db::Connection::OpenNew(conn_->ConnectionString());
  conn_->ExecuteScript("CREATE TABLE Shape (A VARCHAR(5) COLLATE NOCASE, B DOUBLE); INSERT INTO Shape VALUES ('one', 1.5)");
  for (const auto& conn : {conn_, other}) Recordset::Query(sql, conn);  // both keep the statement
  conn_->ExecuteScript(
      "DROP TABLE Shape; CREATE TABLE Shape (B DOUBLE, C INTEGER, A VARCHAR(5) COLLATE NOCASE); "
      "INSERT INTO Shape VALUES (2.5, 7, 'two')");
  for (const auto& conn : {conn_, other}) {
    auto rs = Recordset::Query(sql, conn);
    ASSERT_EQ(rs->FieldCount(), 3);
    EXPECT_EQ(rs->FieldInfo(0).name, "B");
    EXPECT_EQ(vb::CStr(rs->Value("A")), "two");
    EXPECT_EQ(vb::CStr(rs->Value("B")), "2.5");
    EXPECT_EQ(vb::CLng(rs->Value("C")), 7);
  }
  other->Close();
}

TEST_F(RecordsetTest, ARefusedDeleteKeepsTheRowAndItsEdit) {
  conn_->ExecuteScript("CREATE TRIGGER keep_alder BEFORE DELETE ON Agency WHEN old.NAME = 'Alder' "
                       "BEGIN SELECT RAISE(ABORT, 'Alder stays'); END");
  auto rs = Recordset::Create();
  rs->LockType(db::LockType::Optimistic);
  rs->Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID", conn_);
  rs->SetValue("RATE", 9);
  EXPECT_EQ(ErrorOf([&] { rs->Delete(); }), vb::err::IntegrityViolation);
  EXPECT_EQ(vb::CStr(rs->Value("RATE")), "9") << "the edit is still there";
  EXPECT_EQ(rs->RecordCount(), 4);
  rs->Update();
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT RATE FROM Agency WHERE NAME = 'Alder'")), "9");

  rs->Filter("NAME = 'nobody'");
  EXPECT_EQ(rs->AbsolutePosition(), -1) << "no rows, no position";
}

TEST_F(RecordsetTest, RequeryReadsTheTableAgainAndDropsChanges) {
  auto rs = Recordset::Create();
  rs->Open("SELECT * FROM Agency WHERE COUNTY_ID = ? ORDER BY DISTRICT_ID", conn_, {Variant(1)});
  rs->SetValue("NAME", Variant("pending"));
  conn_->Execute("INSERT INTO Agency (COUNTY_ID, DISTRICT_ID, NAME) VALUES (1, 40, 'Dogwood')");
  rs->Sort("NAME DESC");
  rs->Requery();
  EXPECT_EQ(Names(*rs), (std::vector<std::string>{"Dogwood", "birch", "Alder"})) << "the sort is kept";
  rs->ActiveConnection(nullptr);
  EXPECT_EQ(ErrorOf([&] { rs->Requery(); }), vb::err::NoConnection);
}

TEST_F(RecordsetTest, CatalogueAnswersColumnsInOrderAndKeysInKeyOrder) {
  conn_->ExecuteScript(
      "CREATE TABLE Keyed (A INTEGER, B VARCHAR(4) COLLATE NOCASE, C INTEGER, CERT_KEY INTEGER, "
      "PRIMARY KEY (C, A))");
  EXPECT_EQ(db::catalog::ColumnNames(*conn_, "keyed"), (std::vector<std::string>{"A", "B", "C", "CERT_KEY"}));
  EXPECT_EQ(db::catalog::PrimaryKey(*conn_, "KEYED"), (std::vector<std::string>{"C", "A"}));
  EXPECT_TRUE(db::catalog::PrimaryKey(*conn_, "NoSuchTable").empty());
  EXPECT_TRUE(db::catalog::ColumnNames(*conn_, "NoSuchTable").empty());
  EXPECT_EQ(db::catalog::TableName(*conn_, "agency"), "Agency");
}

TEST_F(RecordsetTest, TheTransactionGuardRollsBackUnlessCommittedNestedOrNot) {
  auto amounts = [&] { return vb::CStr(conn_->Scalar("SELECT group_concat(AMOUNT, ',') FROM Agency ORDER BY rowid")); };
  const std::string before = amounts();
  auto failing = [&] {
    db::Transaction trans(*conn_);
    conn_->Execute("UPDATE Agency SET AMOUNT = 1");
    throw vb::VbError(vb::err::Unspecified, "refused");
  };

  // Alone, and as the inner level of a transaction that goes on and commits.
  EXPECT_EQ(ErrorOf(failing), vb::err::Unspecified);
  EXPECT_EQ(amounts(), before);
  EXPECT_EQ(conn_->TransactionLevel(), 0);
  {
    db::Transaction outer(*conn_);
    conn_->Execute("DELETE FROM Note");
    EXPECT_EQ(ErrorOf(failing), vb::err::Unspecified);
    EXPECT_EQ(conn_->TransactionLevel(), 1);
    outer.Commit();
  }
  EXPECT_EQ(amounts(), before) << "the inner level's work is gone";
  EXPECT_EQ(Count("SELECT count(*) FROM Note"), 0) << "the outer level's work is kept";

  // An inner level that commits is undone with the outer one.
  {
    db::Transaction outer(*conn_);
    db::Transaction inner(*conn_);
    conn_->Execute("UPDATE Agency SET AMOUNT = 2");
    inner.Commit();
  }
  EXPECT_EQ(amounts(), before);
  EXPECT_EQ(conn_->TransactionLevel(), 0);
}

TEST_F(RecordsetTest, ASubmitWaitsForAnotherWriterToFinish) {
  auto rs = Open("SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID");
  rs->ActiveConnection(nullptr);
  rs->SetValue("NAME", Variant("waited"));
  rs->ActiveConnection(conn_);

  // Another connection holds the write lock for two seconds.
  std::promise<void> locked;
  std::thread writer([&] {
    auto other = db::Connection::OpenNew(conn_->ConnectionString());
    db::Transaction trans(*other);
    other->Execute("INSERT INTO Note VALUES (9, 9, 'other')");
    locked.set_value();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    trans.Commit();
  });
  locked.get_future().wait();
  const auto start = std::chrono::steady_clock::now();
  const long error = ErrorOf([&] { rs->UpdateBatch(); });
  const auto waited = std::chrono::steady_clock::now() - start;
  writer.join();
  EXPECT_EQ(error, 0);
  EXPECT_GE(waited, std::chrono::milliseconds(1500)) << "the submit waited for the lock";
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT NAME FROM Agency WHERE COUNTY_ID = 1 AND DISTRICT_ID = 10")), "waited");
  EXPECT_EQ(Count("SELECT count(*) FROM Note WHERE COUNTY_ID = 9"), 1);
}

TEST_F(RecordsetTest, BadInputsAreRefusedWithTheirErrorAndChangeNothing) {
  auto contents = [&] {
    return vb::CStr(conn_->Scalar(
        "SELECT group_concat(quote(COUNTY_ID) || quote(DISTRICT_ID) || quote(NAME) || quote(AMOUNT) || quote(RATE) || "
        "quote(OPENED), ';') FROM (SELECT * FROM Agency ORDER BY COUNTY_ID, DISTRICT_ID)"));
  };
  db::RecordsetPtr stale;
  const std::string nulPath = (folder_ / "bad").string() + std::string(1, '\0') + "name.db";
  struct Case {
    const char* what;
    std::function<void()> setUp;
    std::function<void()> act;
    long error;
  };
  const std::vector<Case> cases = {
      {"a filter nested 30,000 deep", [] {},
       [&] { Open("SELECT * FROM Agency")->Filter(std::string(30000, '(') + "KIND = 3" + std::string(30000, ')')); },
       vb::err::ArgumentOutOfRange},
      {"a database path holding NUL", [] {},
       [&] { db::Connection().Open(db::Connection::ConnectionStringFor(nulPath), true); }, vb::err::Unspecified},
      {"a disconnected update of a row that another user changed meanwhile",
       [&] {
         stale = Open("SELECT * FROM Agency WHERE COUNTY_ID = 1 AND DISTRICT_ID = 10");
         stale->ActiveConnection(nullptr);
         conn_->Execute("UPDATE Agency SET NAME = 'Alder Grove' WHERE COUNTY_ID = 1 AND DISTRICT_ID = 10");
         stale->SetValue("NAME", Variant("Alder Two"));
         stale->ActiveConnection(conn_);
       },
       [&] { stale->UpdateBatch(); }, vb::err::RowNotFound},
      {"a number far past the dates in a date column",
       [&] { conn_->Execute("UPDATE Agency SET OPENED = 1e30 WHERE DISTRICT_ID = 20"); },
       [&] { Open("SELECT * FROM Agency"); }, vb::err::Overflow},
      {"infinity in a date column", [&] { conn_->Execute("UPDATE Agency SET OPENED = 9e999 WHERE DISTRICT_ID = 20"); },
       [&] { Open("SELECT OPENED FROM Agency"); }, vb::err::Overflow},
      {"a day after the year 9999", [&] { conn_->Execute("UPDATE Agency SET OPENED = 3000000 WHERE DISTRICT_ID = 20"); },
       [&] { Open("SELECT * FROM Agency WHERE DISTRICT_ID = 20"); }, vb::err::Overflow},
  };
  for (const Case& c : cases) {
    c.setUp();
    const std::string before = contents();
    EXPECT_EQ(ErrorOf(c.act), c.error) << c.what;
    EXPECT_EQ(contents(), before) << c.what;
  }
  EXPECT_FALSE(std::filesystem::exists(folder_ / "bad")) << "no shorter name was opened";
  EXPECT_EQ(stale->PendingCount(), 1) << "the refused change stays pending";

  // Cancelled, the row holds what was read again; a change to other columns
  // of the row is no conflict.
  stale->CancelBatch();
  EXPECT_EQ(stale->PendingCount(), 0);
  EXPECT_EQ(vb::CStr(stale->Value("NAME")), "Alder");
  stale->SetValue("RATE", 4);
  stale->UpdateBatch();
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT NAME || ' ' || RATE FROM Agency WHERE COUNTY_ID = 1 AND DISTRICT_ID = 10")),
            "Alder Grove 4.0");
}

TEST_F(RecordsetTest, NumbersThatNoDecimalHoldsAreDoublesAndFiltersStayFlat) {
  conn_->ExecuteScript(
      "CREATE TABLE Big (ID INTEGER PRIMARY KEY, N DECIMAL(30,0)); "
      "INSERT INTO Big VALUES (1, '1234567890123456789012345678901'), (2, 12.5)");
  auto rs = Open("SELECT * FROM Big ORDER BY ID");
  EXPECT_EQ(rs->Value("N").Type(), vb::VarType::Double);
  EXPECT_EQ(vb::CDbl(rs->Value("N")), 1234567890123456789012345678901.0);
  rs->MoveNext();
  EXPECT_EQ(rs->Value("N").Type(), vb::VarType::Decimal) << "a number the decimal holds stays exact";
  rs->Filter("N > 1e30");
  EXPECT_EQ(rs->RecordCount(), 1);
  rs->Filter("N < 1E30 AND N >= 12.5");
  EXPECT_EQ(rs->RecordCount(), 1);

  // A chain of 100,000 conditions is one level deep, not 100,000.
  std::string chain = "ID > 0";
  for (int i = 0; i < 100000; ++i) chain += " AND N <> 7";
  rs->Filter(chain);
  EXPECT_EQ(rs->RecordCount(), 2);
  EXPECT_EQ(ErrorOf([&] { rs->Filter(std::string(101, '(') + "ID = 1" + std::string(101, ')')); }),
            vb::err::ArgumentOutOfRange);
  rs->Filter(std::string(100, '(') + "ID = 1" + std::string(100, ')'));
  EXPECT_EQ(rs->RecordCount(), 1);

  // Infinity no number holds.
  conn_->Execute("INSERT INTO Big VALUES (3, 9e999)");
  EXPECT_EQ(ErrorOf([&] { Open("SELECT * FROM Big"); }), vb::err::Overflow);
}

TEST(ConnectionTest, ConnectionStringsCarryAnyPath) {
  auto folder = fixtures::MakeTempFolder("levpath");
  for (const std::string name : {"plain.db", "semi;colon.db", "it's.db", "say \"hi\".db", " blank.db "}) {
    const std::string path = (folder / name).string();
    const std::string text = db::Connection::ConnectionStringFor(path);
    EXPECT_EQ(db::Connection::DataSourceOf(text), path) << text;
    db::Connection conn;
    conn.Open(text, true);
    conn.ExecuteScript("CREATE TABLE T (N INTEGER)");
    EXPECT_EQ(conn.Path(), path);
    conn.Close();
    EXPECT_TRUE(std::filesystem::exists(path)) << path;
  }
  EXPECT_EQ(db::Connection::ConnectionStringFor("/data/RUDOVA.mdb"),
            "Provider=SQLite;Data Source=/data/RUDOVA.mdb;Persist Security Info=False");
  std::filesystem::remove_all(folder);
}

TEST(ConnectionTest, OpensOnlyExistingDatabasesAndRegistersItsFunctions) {
  EXPECT_EQ(db::Connection::DataSourceOf("Provider=X;Data Source= /tmp/a b.mdb ;Persist Security Info=False"),
            "/tmp/a b.mdb");
  db::Connection missing;
  EXPECT_EQ(ErrorOf([&] { missing.Open("Data Source=/nonexistent/RUDOVA.mdb"); }), vb::err::Unspecified);
  EXPECT_EQ(ErrorOf([&] { missing.Open("Provider=X"); }), vb::err::NoConnection);

  auto folder = fixtures::MakeTempFolder("levconn");
  db::Connection conn;
  conn.Open(db::Connection::ConnectionStringFor((folder / "f.db").string()), true);
  const std::string opened = conn.ConnectionString();
  EXPECT_EQ(ErrorOf([&] { conn.Open("Data Source=/elsewhere/other.mdb"); }), vb::err::ArgumentOutOfRange);
  EXPECT_EQ(conn.ConnectionString(), opened) << "an open connection keeps naming its own file";
  EXPECT_EQ(vb::CStr(conn.Scalar("SELECT hex8(?)", {Variant(-2033101442)})), "86D1557E");
  EXPECT_EQ(vb::CStr(conn.Scalar("SELECT hex8(255)")), "000000FF");
  EXPECT_TRUE(conn.Scalar("SELECT hex8(NULL)").IsNull());
  EXPECT_EQ(vb::CStr(conn.Scalar("SELECT cdscode(64733, 0)")), "64733 0000000");
  EXPECT_EQ(vb::CStr(conn.Scalar("SELECT decsum(x) FROM (SELECT 0.1 AS x UNION ALL SELECT 0.2)")), "0.3");

  conn.ExecuteScript("CREATE TABLE T (N INTEGER)");
  conn.BeginTrans();
  conn.Execute("INSERT INTO T VALUES (1)");
  conn.BeginTrans();
  conn.Execute("INSERT INTO T VALUES (2)");
  conn.RollbackTrans();
  conn.CommitTrans();
  EXPECT_EQ(vb::CLng(conn.Scalar("SELECT sum(N) FROM T")), 1) << "an inner rollback keeps the outer work";
  conn.Close();
  std::filesystem::remove_all(folder);
}

}  // namespace
