// The value collection, the checksum, table metadata and the data-access
// classes.

#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "clsDataAccess.h"
#include "clsMyAdoUtils.h"
#include "clsMyCollection.h"
#include "clsTableCols.h"
#include "clsTableInfoUtil.h"
#include "db/Catalog.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "ui/Settings.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

MyCollectionPtr ListOf(std::initializer_list<Variant> items) {
  auto list = clsMyCollection::New();
  for (const Variant& v : items) list->Add(v);
  return list;
}

std::vector<std::string> TextsOf(const MyCollectionPtr& list) { return list->Texts(); }

// --- The value collection ----------------------------------------------------

class CollectionTest : public ProgramTest {};

TEST_F(CollectionTest, NewListAndPositionsFromOne) {
  clsMyCollection list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.Item(1).IsNull());
  EXPECT_EQ(list.Join(","), "");
  EXPECT_FALSE(list.ContainData(Variant("a")));

  list.Add(Variant("a"));
  list.Add(Variant("b"));
  list.Add(Variant("c"));
  EXPECT_EQ(list.Join(","), "a,b,c");
  EXPECT_EQ(vb::CStr(list.Item(1)), "a");
  EXPECT_TRUE(list.Item(4).IsNull()) << "a position above Count answers Null";
  list.Item(Variant(8), Variant("d"));
  EXPECT_EQ(list.Count(), 4) << "writing above Count appends";
  EXPECT_EQ(vb::CStr(list.Item(4)), "d");
  list.Item(Variant(2), Variant("B"));
  EXPECT_EQ(list.Join("-"), "a-B-c-d");
  EXPECT_EQ(ListOf({Variant("only")})->Join(","), "only");
  EXPECT_EQ(ListOf({Variant("a"), vb::Null, Variant("c")})->Join(","), "a,,c");
}

TEST_F(CollectionTest, MatchingIgnoresCaseAndNeverMatchesNull) {
  auto list = ListOf({Variant("FISCAL_YEAR"), Variant(5), vb::Null});
  EXPECT_TRUE(list->ContainData(Variant("fiscal_year")));
  EXPECT_TRUE(list->ContainData(Variant("5"))) << "the text 5 matches the number 5";
  EXPECT_FALSE(list->ContainData(vb::Null));
  list->AddUnique(Variant("Fiscal_Year"));
  EXPECT_EQ(list->Count(), 3);
}

TEST_F(CollectionTest, SetOperationsKeepTheirOrders) {
  EXPECT_EQ(TextsOf(ListOf({Variant("a"), Variant("B"), Variant("a")})->Union(*ListOf({Variant("b"), Variant("c")}))),
            (std::vector<std::string>{"a", "B", "c"}));
  auto abc = ListOf({Variant("a"), Variant("b"), Variant("c"), Variant("b")});
  auto cbx = ListOf({Variant("C"), Variant("b"), Variant("x"), Variant("c")});
  EXPECT_EQ(TextsOf(abc->Intersect(*cbx)), (std::vector<std::string>{"C", "b"}));
  EXPECT_EQ(TextsOf(abc->Subtract(*cbx)), (std::vector<std::string>{"a"}));
  EXPECT_TRUE(ListOf({Variant("a"), Variant("a")})->SameData(*ListOf({Variant("a"), Variant("b")})));
  EXPECT_TRUE(ListOf({Variant("a")})->SameData(*ListOf({Variant("A")})));
  EXPECT_FALSE(ListOf({Variant("a")})->SameDataAndOrder(*ListOf({Variant("A")})));
  EXPECT_TRUE(ListOf({Variant("a"), vb::Null})->SameDataAndOrder(*ListOf({Variant("a"), Variant("z")})));

  clsMyCollection emptied, other;
  emptied.removeAll();
  other.removeAll();
  EXPECT_EQ(emptied.i1(), 1);
  EXPECT_EQ(emptied.i2(), 0);
  EXPECT_EQ(emptied.Union(other)->Count(), 0);
  EXPECT_EQ(emptied.Intersect(other)->Count(), 0);
  EXPECT_EQ(emptied.Subtract(other)->Count(), 0);
  EXPECT_TRUE(emptied.SameData(other));
  EXPECT_TRUE(emptied.SameDataAndOrder(other));
}

TEST_F(CollectionTest, FailuresAreReportedUnderTheProcedureName) {
  clsMyCollection list;
  list.Add(Variant("a"));
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  Variant item = list.Item(0);
  EXPECT_TRUE(item.IsEmpty()) << "after Ignore the item read answers Empty";
  EXPECT_NE(dialogs_.LastPrompt().text.find("Error No: 9\r\n"), std::string::npos);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Source: clsMyCollection\r\nProcedure: Item[Get]"), std::string::npos);

  clsMyCollection fresh;
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  EXPECT_EQ(fresh.i1(), 0) << "a list that never held an item has no store";

  dialogs_.AnswerMsgBox(ui::vbIgnore);
  EXPECT_EQ(ListOf({vb::Null, Variant("b")})->Join(","), "");
  EXPECT_NE(dialogs_.LastPrompt().text.find("Error No: 94"), std::string::npos);
  dialogs_.ExpectAllUsed();
}

// --- Table metadata ----------------------------------------------------------

class MetadataTest : public ProgramTest {};

TEST_F(MetadataTest, ColumnsInOrdinalOrderAndKeysInKeyOrder) {
  auto conn = OpenDatabase();
  conn->ExecuteScript(
      "CREATE TABLE Sample (FISCAL_YEAR INTEGER, B VARCHAR(5) COLLATE NOCASE, COUNTY_ID INTEGER, PERIOD_ID INTEGER, "
      "CERT_KEY INTEGER, PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID)); CREATE TABLE NoKey (A INTEGER)");
  clsTableCols cols;
  EXPECT_EQ(TextsOf(cols.getCols("sample")),
            (std::vector<std::string>{"FISCAL_YEAR", "B", "COUNTY_ID", "PERIOD_ID", "CERT_KEY"}));
  EXPECT_EQ(TextsOf(cols.getPKeys("SAMPLE")), (std::vector<std::string>{"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID"}));
  EXPECT_EQ(cols.getPKeys("NoKey")->Count(), 0);
  EXPECT_EQ(cols.getCols("NoSuchTable")->Count(), 0);
  EXPECT_EQ(cols.getPKeys("NoSuchTable")->Count(), 0);
  EXPECT_EQ(TextsOf(modGlobals::gobjAdoUtils->getPKFields("Sample")),
            (std::vector<std::string>{"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID"}));
}

TEST_F(MetadataTest, LayoutLookupsUpperCaseTheirKey) {
  auto conn = OpenDatabase();
  conn->Execute("DELETE FROM TABLE_INFO");
  conn->Execute(
      "INSERT INTO TABLE_INFO (PAGE_NO, Line_No, LINE_ORDER, COLUMN_NO, LINE_NAME, FIELD_NAME, table_name, CT_FIELDS) "
      "VALUES (1, 3, 1, 'A', 'Secured', 'Secured', 'Tax', 'A1+A2'), (1, 4, 2, 'A', 'Total', 'Total', 'Tax', NULL)");
  clsTableInfoUtil info;
  std::string table, field;
  info.getTableFieldName("1:3:a", table, field);
  EXPECT_EQ(table, "Tax");
  EXPECT_EQ(field, "Secured");
  EXPECT_EQ(info.getCTFormula("1:3:A"), "A1+A2");

  {
    // The lookups read on the program's connection: a change pending in its
    // transaction is seen.
    db::Transaction pending(*modGlobals::SharedConnection());
    modGlobals::SharedConnection()->Execute("UPDATE TABLE_INFO SET CT_FIELDS = 'A1-A2' WHERE LINE_NO = 3");
    EXPECT_EQ(info.getCTFormula("1:3:A"), "A1-A2");
  }
  EXPECT_EQ(info.getCTFormula("1:3:A"), "A1+A2");

  dialogs_.AnswerMsgBox(ui::vbIgnore);  // a cell without a formula
  EXPECT_EQ(info.getCTFormula("1:4:A"), "");
  dialogs_.AnswerMsgBox(ui::vbIgnore);  // a key of two parts
  EXPECT_EQ(info.getTableInfo("1:3"), nullptr);
  dialogs_.ExpectAllUsed();
}

// --- Database utility object and data access ---------------------------------

class DataAccessTest : public ProgramTest {};

TEST_F(DataAccessTest, ConnectionStringFollowsTheDatabaseSetting) {
  EXPECT_EQ(modGlobals::gstrConnectionString,
            "Provider=SQLite;Data Source=" + DatabasePath().string() + ";Persist Security Info=False");
  ui::SaveSetting("VHO-KRN", "Setting", "Database", "/elsewhere/other.mdb");
  clsMyAdoUtils second;
  EXPECT_EQ(second.ConnectionString, "Provider=SQLite;Data Source=/elsewhere/other.mdb;Persist Security Info=False");
  EXPECT_EQ(modGlobals::gstrConnectionString, second.ConnectionString) << "every instance rewrites the global";

  auto& utils = *modGlobals::gobjAdoUtils;
  auto conn = utils.Conn();
  utils.CloseConn();
  EXPECT_EQ(conn->State(), db::ObjectState::Closed);
  EXPECT_NE(utils.Conn(), conn) << "a closed connection reopens as a new one";
  EXPECT_EQ(utils.Conn()->State(), db::ObjectState::Open);
}

TEST_F(DataAccessTest, TypeClassesOfColumnsAndFields) {
  auto& utils = *modGlobals::gobjAdoUtils;
  EXPECT_EQ(utils.getFieldDataType("", "X"), "NA");
  EXPECT_EQ(utils.getFieldDataType("Tax", ""), "NA");
  EXPECT_EQ(utils.getFieldDataType("Tax", "Secured"), "NUMBER");
  EXPECT_EQ(utils.getFieldDataType("tax", "explanation"), "STRING");
  EXPECT_EQ(utils.getFieldDataType("LEA_FORMS_STATUS", "LAST_MODIFIED_DATE"), "DATE");
  EXPECT_EQ(clsMyAdoUtils::TypeClass(db::DataType::Boolean), "OTHER");
  EXPECT_EQ(clsMyAdoUtils::TypeClass(db::DataType::Currency), "NUMBER");

  auto rs = db::Recordset::Query("SELECT NULL AS N, 1 AS X", utils.Conn());
  EXPECT_EQ(utils.getFieldDataTypeNew(rs->Fields("N")), "NA");
}

TEST_F(DataAccessTest, GetAndSubmitRecordsets) {
  clsDataAccess data;
  auto& utils = *modGlobals::gobjAdoUtils;
  auto rs = data.GetRecordset("SELECT * FROM Tax WHERE COUNTY_ID = -1", modGlobals::gstrConnectionString, utils.Conn());
  ASSERT_NE(rs, nullptr);
  EXPECT_EQ(rs->ActiveConnection(), nullptr) << "answered disconnected";
  rs->AddNew();
  for (const char* key : {"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID", "SCHOOL_DISTRICT_ID", "SCHOOL_ID",
                          "RES_COUNTY_ID", "RES_SCHOOL_DISTRICT_ID", "TaxType"})
    rs->SetValue(key, Variant(std::string(key) == "FISCAL_YEAR" ? 2019 : 1));
  rs->SetValue("COUNTY_ID", -1);
  rs->SetValue("Secured", 1500);
  data.SubmitRecordset(*rs, modGlobals::gstrConnectionString);
  EXPECT_EQ(rs->ActiveConnection(), nullptr);
  auto check = OpenDatabase();
  EXPECT_EQ(vb::CStr(check->Scalar("SELECT Secured FROM Tax WHERE COUNTY_ID = -1")), "1500");

  // A refused batch is raised to the caller and nothing of it is written.
  rs->SetValue("Secured", 2000);
  rs->AddNew();
  for (const char* key : {"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID", "SCHOOL_DISTRICT_ID", "SCHOOL_ID",
                          "RES_COUNTY_ID", "RES_SCHOOL_DISTRICT_ID", "TaxType"})
    rs->SetValue(key, Variant(std::string(key) == "FISCAL_YEAR" ? 2019 : 1));
  rs->SetValue("COUNTY_ID", -1);  // the same key again
  EXPECT_THROW(data.SubmitRecordset(*rs, modGlobals::gstrConnectionString, utils.Conn()), vb::VbError);
  EXPECT_EQ(vb::CStr(check->Scalar("SELECT Secured FROM Tax WHERE COUNTY_ID = -1")), "1500");
  EXPECT_EQ(rs->PendingCount(), 2);
  EXPECT_EQ(rs->ActiveConnection(), nullptr);

  dialogs_.AnswerMsgBox(ui::vbIgnore);
  EXPECT_EQ(data.GetRecordset("SELECT * FROM NoSuchTable", modGlobals::gstrConnectionString), nullptr);
  dialogs_.ExpectAllUsed();
}

TEST_F(DataAccessTest, AConnectionThatCannotBeOpenedIsTheOneFailure) {
  clsDataAccess data;
  const std::string missing = clsMyAdoUtils::ConnectionStringFor((ProgramFolder() / "missing.mdb").string());

  // The statement is not tried: one report, and the answer False.
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  EXPECT_FALSE(data.ExecuteQuery("DELETE FROM Tax", missing));
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_NE(dialogs_.LastPrompt().text.find("missing.mdb"), std::string::npos);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: ExecuteQuery"), std::string::npos);

  // The submit raises the cause to its caller, once, and keeps the change.
  auto rs = data.GetRecordset("SELECT * FROM VHO_TORB_FORMS WHERE FORM_NO = 29", modGlobals::gstrConnectionString);
  ASSERT_NE(rs, nullptr);
  rs->SetValue("FORM_NAME", Variant("Taxes"));
  try {
    data.SubmitRecordset(*rs, missing);
    ADD_FAILURE() << "the submit cannot have succeeded";
  } catch (const vb::VbError& e) {
    EXPECT_NE(e.Description().find("missing.mdb"), std::string::npos) << e.Description();
  }
  EXPECT_EQ(rs->PendingCount(), 1);
  EXPECT_EQ(dialogs_.Prompts().size(), 1u) << "the submit reports nothing itself";
  dialogs_.ExpectAllUsed();
}

TEST_F(DataAccessTest, MetadataFollowsTheWorkingFileAfterAReset) {
  const auto other = ProgramFolder() / "Data" / "other.mdb";
  {
    db::Connection file;
    file.Open(clsMyAdoUtils::ConnectionStringFor(other.string()), true);
    file.ExecuteScript("CREATE TABLE OnlyHere (A INTEGER, B INTEGER, PRIMARY KEY (B))");
  }
  std::string name = other.string();
  modGlobals::gobjAdoUtils->ResetMDBFile(name);
  EXPECT_EQ(TextsOf(clsTableCols().getCols("OnlyHere")), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(TextsOf(clsTableCols().getPKeys("OnlyHere")), (std::vector<std::string>{"B"}));
  EXPECT_EQ(clsTableCols().getCols("Tax")->Count(), 0);
}

TEST_F(DataAccessTest, ZapTableAnswersWhetherTheRowsWentAway) {
  clsDataAccess data;
  auto conn = OpenDatabase();
  conn->Execute("INSERT INTO TORB_FORM_NOTES (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, "
                "FORM_NAME, FORM_NOTE) VALUES (1, 2, 0, 2019, 1, 'Tax', 'a'), (1, 3, 0, 2019, 1, 'Tax', 'b')");
  EXPECT_TRUE(data.ZapTable("torb_form_notes", modGlobals::gstrConnectionString, "SCHOOL_DISTRICT_ID = ?", {Variant(2)}));
  EXPECT_EQ(vb::CLng(conn->Scalar("SELECT count(*) FROM TORB_FORM_NOTES")), 1);
  EXPECT_TRUE(data.ZapTable("TORB_FORM_NOTES", modGlobals::gstrConnectionString));
  EXPECT_EQ(vb::CLng(conn->Scalar("SELECT count(*) FROM TORB_FORM_NOTES")), 0);

  dialogs_.AnswerMsgBox(ui::vbIgnore);
  EXPECT_FALSE(data.ZapTable("NoSuchTable", modGlobals::gstrConnectionString));
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  EXPECT_FALSE(data.ZapTable("Tax; DROP TABLE Tax", modGlobals::gstrConnectionString));
  EXPECT_TRUE(db::catalog::TableExists(*conn, "Tax"));
  dialogs_.ExpectAllUsed();
}

TEST_F(DataAccessTest, DlookupReadsTheColumnNamedFromTheTenthCharacter) {
  auto& utils = *modGlobals::gobjAdoUtils;
  Variant name = utils.Dlookup("DISTINCT FORM_NAME", "VHO_TORB_FORMS", "FORM_NO = 29");
  EXPECT_EQ(vb::CStr(name), "Tax");
  EXPECT_EQ(vb::CStr(utils.Dlookup("         form_name", "vho_torb_forms", "FORM_NO = 29")), "Tax");

  // Names that are not the database's never reach the statement: each is
  // reported and the look-up answers Empty.
  struct Case {
    const char* fld;
    const char* table;
    const char* reported;
  };
  const Case cases[] = {
      {"DISTINCT FORM_NAME", "VHO_TORB_FORMS; DROP TABLE Tax", "The database has no table named"},
      {"DISTINCT FORM_NAME FROM Tax --", "VHO_TORB_FORMS", "Error No: 3265"},
      {"DISTINCT ", "VHO_TORB_FORMS", "Error No: 3265"},  // nine characters or fewer: no column
      {"1; DROP TFORM_NAME", "VHO_TORB_FORMS", "Error No: 5"},
  };
  for (const Case& c : cases) {
    dialogs_.AnswerMsgBox(ui::vbIgnore);
    EXPECT_TRUE(utils.Dlookup(c.fld, c.table, "FORM_NO = 29").IsEmpty()) << c.fld;
    EXPECT_NE(dialogs_.LastPrompt().text.find(c.reported), std::string::npos) << dialogs_.LastPrompt().text;
    EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: Dlookup"), std::string::npos);
  }
  EXPECT_TRUE(db::catalog::TableExists(*OpenDatabase(), "Tax"));
  dialogs_.ExpectAllUsed();
}

TEST_F(DataAccessTest, AddTableCopiesColumnsAndKey) {
  auto folder = fixtures::MakeTempFolder("levcopy");
  db::Connection target;
  target.Open(clsMyAdoUtils::ConnectionStringFor((folder / "copy.db").string()), true);
  clsDataAccess().AddTable(target, "tax");
  EXPECT_EQ(db::catalog::ColumnNames(target, "Tax"), db::catalog::ColumnNames(*OpenDatabase(), "Tax"));
  EXPECT_EQ(db::catalog::PrimaryKey(target, "Tax"), db::catalog::PrimaryKey(*OpenDatabase(), "Tax"));

  // A table the working database does not have is reported, and nothing is made.
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  clsDataAccess().AddTable(target, "NoSuchTable");
  EXPECT_NE(dialogs_.LastPrompt().text.find("Description: The database has no table named 'NoSuchTable'.\r\n"),
            std::string::npos)
      << dialogs_.LastPrompt().text;
  EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: AddTable"), std::string::npos);
  EXPECT_FALSE(db::catalog::TableExists(target, "NoSuchTable"));
  dialogs_.ExpectAllUsed();
  target.Close();
  std::filesystem::remove_all(folder);
}

}  // namespace
