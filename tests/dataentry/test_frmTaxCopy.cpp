// The copy of P-1 tax data to P-2 as the tax form opens it: the district
// lists and the moves between them, the copy with its keys, certificate and
// status row, a copy that the database refuses, and the close question.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "KeyInput.h"
#include "NeighbourRows.h"
#include "RecordDialogFixture.h"
#include "ScriptedSeams.h"
#include "db/Recordset.h"
#include "frmTaxCopy.h"
#include "ScopeOfParams.h"
#include "modCOECertification.h"
#include "modGlobals.h"
#include "modMain.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

// The agency's tax rows of a period, one text per row ("res district/tax
// type: secured, explanation"), in key order.
Texts TaxRows(int period) {
  Texts rows;
  auto rs = db::Recordset::Query(
      "select * from Tax where county_id = 62 and school_district_id = 10620 and fiscal_year = 2019 and"
      " period_id = ? and school_id = 0 order by res_county_id, res_school_district_id, TaxType",
      modGlobals::SharedConnection(), {Variant(period)});
  for (; !rs->Eof(); rs->MoveNext())
    rows.push_back(vb::TextOf(rs->Value("RES_SCHOOL_DISTRICT_ID")) + "/" + vb::TextOf(rs->Value("TaxType")) + ": " +
                   vb::TextOf(rs->Value("Secured")) + ", " + vb::TextOf(rs->Value("Explanation")));
  return rows;
}

class TaxCopy : public RecordDialogTest {
 protected:
  void SetUp() override {
    RecordDialogTest::SetUp();
    gp().ReportPeriod = 2;
  }

  void InsertTax(int period, int resDistrict, int taxType, double secured, const char* explanation) {
    Execute(
        "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
        " RES_SCHOOL_DISTRICT_ID, TaxType, Secured, Total, Explanation, CERT_KEY)"
        " VALUES (2019, ?, 62, 10620, 0, 62, ?, ?, ?, ?, ?, 7)",
        {Variant(period), Variant(resDistrict), Variant(taxType), Variant(secured), Variant(secured),
         Variant(explanation)});
  }
  // P-1: Lanthorn Unified (62001) for both tax types and Quillby Elementary
  // (62002); P-2: Lanthorn Unified for the county type with other amounts,
  // and Northwend High (62003); a status row of P-2 that the copy rewrites.
  void SampleRows() {
    InsertTax(1, 62001, 0, 1500, "P-1 county roll");
    InsertTax(1, 62001, 1, 250, "P-1 district roll");
    InsertTax(1, 62002, 0, 900, "P-1 Quillby");
    InsertTax(2, 62001, 0, 1111, "old P-2");
    InsertTax(2, 62003, 0, 400, "P-2 Northwend");
    Execute(
        "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
        " CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE)"
        " VALUES (2019, 2, 62, 10620, 0, 29, 111, 2, 1, 2, '2019-10-02 09:00:00', '2019-10-01 09:00:00')");
  }
  Texts StatusRow() {
    auto rs = db::Recordset::Query(
        "select CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE"
        " from LEA_FORMS_STATUS where fiscal_year = 2019 and period_id = 2 and county_id = 62 and form_no = 29",
        modGlobals::SharedConnection());
    Texts values;
    if (rs->Eof()) return values;
    for (int i = 0; i < rs->FieldCount(); ++i) values.push_back(vb::TextOf(rs->Value(i)));
    return values;
  }

  // Opens the window as the tax form's copy command does; `user` plays the
  // user while it is shown.
  void Open(const std::function<void(frmTaxCopy&)>& user) {
    modGlobals::gblnTaxCopied = false;
    auto window = std::make_unique<frmTaxCopy>();
    dialogs_.AnswerModal([&](QWidget& shown) {
      user(dynamic_cast<frmTaxCopy&>(shown));
      return 0;
    });
    window->ShowModal();
  }

  ScriptedClock clock_{vb::CDate(Variant("2019-12-03 14:25:00"))};
};

void Select(QListWidget& list, std::initializer_list<int> rows) {
  list.clearSelection();
  for (int row : rows) list.item(row)->setSelected(true);
}

TEST_F(TaxCopy, CopyingADistrictReplacesItsP2RowsAndRewritesKeysAndStatus) {
  SampleRows();
  Open([&](frmTaxCopy& window) {
    EXPECT_EQ(window.windowTitle().toStdString(), "District List");
    EXPECT_EQ(ItemsOf(*window.lstSchools), (Texts{"62001     Lanthorn Unified", "62002     Quillby Elementary"}));
    EXPECT_EQ(window.lstSelected->count(), 0);
    Select(*window.lstSchools, {0});
    window.cmdRight->click();
    AcknowledgeMessages(1);
    window.cmdAddNew->click();
    EXPECT_EQ(TakeMessages(), Texts{"Copy operation completed"});
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(window.lstSelected->count(), 0);
    EXPECT_EQ(window.lstSchools->count(), 2) << "the lists are filled again";
    window.cmdCancel->click();  // nothing left to copy: no question
    EXPECT_FALSE(window.Loaded());
  });
  EXPECT_TRUE(modGlobals::gblnTaxCopied);
  EXPECT_EQ(TaxRows(2), (Texts{"62001/0: 1500, P-1 county roll", "62001/1: 250, P-1 district roll",
                               "62003/0: 400, P-2 Northwend"}));
  EXPECT_EQ(TaxRows(1).size(), 3u) << "P-1 stays";

  // Every row of the period carries the key of its values, and the status
  // row the certificate of those keys in key order.
  auto rows = db::Recordset::Query(
      "select * from Tax where county_id = 62 and school_district_id = 10620 and fiscal_year = 2019 and"
      " period_id = 2 and school_id = 0",
      modGlobals::SharedConnection());
  std::vector<Variant> stored;
  for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext()) stored.push_back(rows->Value("CERT_KEY"));
  modCOE::SetCertKeysInRs(modGlobals::SharedConnection(), forms::ScopeOf(gp()), "Tax", *rows, false);
  std::vector<Variant> fresh;
  for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext()) fresh.push_back(rows->Value("CERT_KEY"));
  EXPECT_EQ(stored.size(), 3u);
  for (std::size_t i = 0; i < stored.size(); ++i) {
    EXPECT_TRUE(vb::Equal(stored[i], fresh[i])) << "row " << i;
    EXPECT_NE(vb::CLng(stored[i]), 7) << "row " << i;
  }
  const std::int32_t certificate = modCOE::GetGroupCertKey(
      *rows, modMain::GetSortKeys(modGlobals::SharedConnection(), forms::ScopeOf(gp()), "Tax"));
  const std::string now = vb::TextOf(Variant(clock_.Now()));
  EXPECT_EQ(StatusRow(), (Texts{std::to_string(certificate), "3", "0", "0", now, now}))
      << "modified and edit-checked at the same moment, without errors or warnings";
}

TEST_F(TaxCopy, ARefusedInsertLeavesP2AndTheStatusAsTheyWere) {
  SampleRows();
  // The database refuses the copy of the district tax type.
  Execute(
      "CREATE TRIGGER refuse_copy BEFORE INSERT ON Tax WHEN NEW.PERIOD_ID = 2 AND NEW.TaxType = 1"
      " BEGIN SELECT RAISE(ABORT, 'row refused'); END");
  const Texts p2 = TaxRows(2);
  const Texts status = StatusRow();
  Open([&](frmTaxCopy& window) {
    Select(*window.lstSchools, {0});
    window.cmdRight->click();
    // Retry runs the whole copy again, which fails the same way.
    dialogs_.AnswerMsgBox(ui::vbRetry);
    dialogs_.AnswerMsgBox(ui::vbIgnore);
    window.cmdAddNew->click();
    const Texts reports = TakeMessages();
    ASSERT_EQ(reports.size(), 2u) << "no success message";
    for (const std::string& report : reports) {
      EXPECT_NE(report.find("row refused"), std::string::npos) << report;
      EXPECT_NE(report.find("Source: frmTaxCopy"), std::string::npos) << report;
      EXPECT_NE(report.find("Procedure: cmdAddNew_Click"), std::string::npos) << report;
    }
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(ItemsOf(*window.lstSelected), Texts{"62001     Lanthorn Unified"}) << "the lists stay as they were";
    EXPECT_EQ(ItemsOf(*window.lstSchools), Texts{"62002     Quillby Elementary"});
  });
  EXPECT_FALSE(modGlobals::gblnTaxCopied);
  EXPECT_EQ(TaxRows(2), p2);
  EXPECT_EQ(StatusRow(), status);
}

TEST_F(TaxCopy, AStatusRowThatCannotBeRewrittenUndoesTheCopy) {
  SampleRows();
  Execute(
      "CREATE TRIGGER refuse_status BEFORE UPDATE ON LEA_FORMS_STATUS BEGIN SELECT RAISE(ABORT, 'locked'); END");
  const Texts p2 = TaxRows(2);
  const Texts status = StatusRow();
  const std::int32_t certificate = gp().CertKey;
  Open([&](frmTaxCopy& window) {
    Select(*window.lstSchools, {0});
    window.cmdRight->click();
    // The status upkeep reports its failure, then the copy that the status
    // row was not written.
    dialogs_.AnswerMsgBox(ui::vbIgnore);
    dialogs_.AnswerMsgBox(ui::vbIgnore);
    window.cmdAddNew->click();
    const Texts reports = TakeMessages();
    ASSERT_EQ(reports.size(), 2u) << "no success message";
    EXPECT_NE(reports[1].find("The form status was not written."), std::string::npos) << reports[1];
    EXPECT_NE(reports[1].find("Procedure: cmdAddNew_Click"), std::string::npos) << reports[1];
    EXPECT_EQ(ItemsOf(*window.lstSelected), Texts{"62001     Lanthorn Unified"}) << "the lists stay as they were";
    dialogs_.AnswerMsgBox(ui::vbNo);
    window.cmdCancel->click();
  });
  EXPECT_FALSE(modGlobals::gblnTaxCopied);
  EXPECT_EQ(TaxRows(2), p2);
  EXPECT_EQ(StatusRow(), status);
  EXPECT_EQ(gp().CertKey, certificate);
}

// Beside the sample rows: the directory of other years (earlier and later,
// under other names), P-1 rows of another year, and P-2 rows and a status
// row that the copy must leave alone (another residence county with the
// same district number, another year, another agency).
TEST_F(TaxCopy, TheListAndTheCopyTakeOnlyTheYearsRowsAndTheChosenResidence) {
  SampleRows();
  db::Connection& conn = *modGlobals::SharedConnection();
  const fixtures::Cells quillbyP1 = {
      {"FISCAL_YEAR", Variant(2019)}, {"PERIOD_ID", Variant(1)}, {"RES_SCHOOL_DISTRICT_ID", Variant(62002)}};
  const fixtures::Cells lanthornP2 = {
      {"FISCAL_YEAR", Variant(2019)}, {"PERIOD_ID", Variant(2)}, {"RES_SCHOOL_DISTRICT_ID", Variant(62001)}};
  fixtures::AddNeighbours(
      conn, {{"KRN_LEAS", {{"FISCAL_YEAR", Variant(2019)}, {"COUNTY_ID", Variant(62)}},
              {{"FISCAL_YEAR", Variant(2017)}, {"SCHOOL_DISTRICT_NAME", Variant("Directory of 2017")}}},
             {"KRN_LEAS", {{"FISCAL_YEAR", Variant(2019)}, {"COUNTY_ID", Variant(62)}},
              {{"FISCAL_YEAR", Variant(2021)}, {"SCHOOL_DISTRICT_NAME", Variant("Directory of 2021")}}},
             {"Tax", quillbyP1, {{"FISCAL_YEAR", Variant(2018)}, {"RES_SCHOOL_DISTRICT_ID", Variant(62003)}}},
             {"Tax", lanthornP2, {{"RES_COUNTY_ID", Variant(61)}, {"Explanation", Variant("another county's")}}},
             {"Tax", lanthornP2, {{"FISCAL_YEAR", Variant(2018)}, {"Explanation", Variant("another year's")}}},
             {"Tax", lanthornP2,
              {{"SCHOOL_DISTRICT_ID", Variant(62002)}, {"Explanation", Variant("another agency's")}}},
             {"LEA_FORMS_STATUS", {{"PERIOD_ID", Variant(2)}}, {{"FISCAL_YEAR", Variant(2018)}}}});
  auto others = [&] {
    return vb::TextOf(Scalar(
        "select group_concat(fiscal_year || '/' || school_district_id || '/' || res_county_id || ': ' || Secured ||"
        " ', ' || Explanation || ', ' || CERT_KEY, '; ') from (select * from Tax where period_id = 2 and"
        " (fiscal_year <> 2019 or school_district_id <> 10620) order by fiscal_year, school_district_id)"));
  };
  const std::string otherRows = others();
  const std::string otherStatus = vb::TextOf(Scalar(
      "select CERTIFICATE_NUMBER || '/' || NUM_RECORD from LEA_FORMS_STATUS where fiscal_year = 2018"));

  Open([&](frmTaxCopy& window) {
    EXPECT_EQ(ItemsOf(*window.lstSchools), (Texts{"62001     Lanthorn Unified", "62002     Quillby Elementary"}));
    Select(*window.lstSchools, {0});
    window.cmdRight->click();
    AcknowledgeMessages(1);
    window.cmdAddNew->click();
    EXPECT_EQ(TakeMessages(), Texts{"Copy operation completed"});
    window.cmdCancel->click();
  });
  EXPECT_EQ(TaxRows(2), (Texts{"62001/0: 1111, another county's", "62001/0: 1500, P-1 county roll",
                               "62001/1: 250, P-1 district roll", "62003/0: 400, P-2 Northwend"}));
  EXPECT_EQ(others(), otherRows);
  EXPECT_EQ(vb::TextOf(Scalar("select CERTIFICATE_NUMBER || '/' || NUM_RECORD from LEA_FORMS_STATUS where"
                              " fiscal_year = 2018")),
            otherStatus);
  EXPECT_EQ(StatusRow().at(1), "4");
}

TEST_F(TaxCopy, MovesAppendSelectedItemsLastFirstAndAllItemsInOrder) {
  for (int district : {61001, 61003, 62001, 62002, 62003}) InsertTax(1, district, 0, 10, "");
  Open([&](frmTaxCopy& window) {
    QListWidget& left = *window.lstSchools;
    QListWidget& right = *window.lstSelected;
    const Texts all = ItemsOf(left);
    ASSERT_EQ(all, (Texts{"61001     Birchwood Elementary", "61003     Fernhill Unified", "62001     Lanthorn Unified",
                          "62003     Northwend High", "62002     Quillby Elementary"}));
    window.show();
    fixtures::Key(window, Qt::Key_Return);
    EXPECT_EQ(right.count(), 0) << "no button is the default";
    Select(left, {0, 2, 3});
    window.cmdRight->click();
    EXPECT_EQ(ItemsOf(right), (Texts{all[3], all[2], all[0]}));
    EXPECT_EQ(ItemsOf(left), (Texts{all[1], all[4]}));
    EXPECT_TRUE(right.selectedItems().isEmpty()) << "moved items arrive unselected";
    for (int i = 0; i < right.count(); ++i) EXPECT_EQ(right.item(i)->data(Qt::UserRole).toInt(), 0);

    // A double click moves the list's selected items; the others keep theirs.
    Select(right, {0, 2});
    emit right.itemDoubleClicked(right.item(0));
    EXPECT_EQ(ItemsOf(left), (Texts{all[1], all[4], all[0], all[3]}));
    EXPECT_EQ(ItemsOf(right), Texts{all[2]});
    window.cmdLeftAll->click();
    EXPECT_EQ(ItemsOf(left), (Texts{all[1], all[4], all[0], all[3], all[2]}));
    window.cmdRightAll->click();
    EXPECT_EQ(ItemsOf(right), (Texts{all[1], all[4], all[0], all[3], all[2]}));
    EXPECT_EQ(left.count(), 0);
    Select(right, {1});
    window.cmdLeft->click();
    EXPECT_EQ(ItemsOf(left), Texts{all[4]});
  });
}

TEST_F(TaxCopy, ClosingOffersTheCopyOnlyWhileMovedItemsWaitForIt) {
  SampleRows();
  const Texts p2 = TaxRows(2);
  const char* const question = "Do you want to copy the data?";
  struct Case {
    const char* name;
    std::function<void(frmTaxCopy&)> moves;
    int answer;  // 0: no question
    Texts messages;
    bool copied;
  };
  const Case cases[] = {
      {"nothing moved", [](frmTaxCopy&) {}, 0, {}, false},
      {"all moved and back",
       [](frmTaxCopy& w) {
         w.cmdRightAll->click();
         w.cmdLeftAll->click();
       },
       0, {}, false},
      {"nothing selected", [](frmTaxCopy& w) { w.cmdRight->click(); }, 0, {}, false},
      {"copy declined",
       [](frmTaxCopy& w) {
         Select(*w.lstSchools, {1});
         w.cmdRight->click();
       },
       ui::vbNo, {question}, false},
      {"copy accepted",
       [](frmTaxCopy& w) {
         Select(*w.lstSchools, {1});
         w.cmdRight->click();
       },
       ui::vbYes, {question, "Copy operation completed"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open([&](frmTaxCopy& window) {
      c.moves(window);
      if (c.answer) dialogs_.AnswerMsgBox(c.answer);
      if (c.copied) AcknowledgeMessages(1);
      window.cmdCancel->click();
      EXPECT_FALSE(window.Loaded());
    });
    if (c.answer) {
      const RecordedPrompt& asked = dialogs_.Prompts().at(1);  // after the window itself
      EXPECT_EQ(asked.title, "Save Data?");
      EXPECT_EQ(asked.style, ui::vbYesNo + ui::vbQuestion);
    }
    EXPECT_EQ(TakeMessages(), c.messages);
    EXPECT_EQ(modGlobals::gblnTaxCopied, c.copied);
  }
  EXPECT_NE(TaxRows(2), p2) << "the accepted copy took Quillby Elementary";

  Open([&](frmTaxCopy& window) {
    AcknowledgeMessages(1);
    window.cmdAddNew->click();
    EXPECT_TRUE(window.Loaded());
  });
  EXPECT_EQ(TakeMessages(), Texts{"No Records to Copy"});
}

}  // namespace
