// Saving on the tax form: the negative-amount rule, saves that cannot
// complete (no calculation, a recalculation that fails, a refused write)
// and leave the database and the form as they were, Retry, and closing
// with unsaved values and in the prior-year correction mode.

#include <gtest/gtest.h>

#include <QPushButton>
#include <functional>

#include "TaxFormFixture.h"
#include "db/Connection.h"
#include "ctlTax_1.h"
#include "frmCORRECTION_REASON.h"
#include "modMainStart.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

class TaxSaveTest : public TaxFormTest {
 protected:
  // The form with a new County row for Juniper County's office, Secured
  // entered, waiting for its save.
  frmTax& PendingCountyRow() {
    frmTax& f = Open();
    AcknowledgeMessages(1);
    ChooseType("County");
    AddNew(kCounty, kOffice);
    Enter("Secured", "1000");
    TakeMessages();
    return f;
  }
  // What a save that did not happen leaves: no row, the status row as the
  // fixture made it, the form dirty with the new row still pending.
  void ExpectNothingSaved(frmTax& f) {
    EXPECT_TRUE(TaxRows().empty());
    EXPECT_EQ(StatusRow().at(0), "-1");
    EXPECT_TRUE(f.Dirty());
    EXPECT_TRUE(f.NewRecordPending());
    EXPECT_EQ(Shown("Secured"), "1,000") << "the values stay on screen";
    EXPECT_EQ(f.Text2->text().toStdString(), "1 of 1");
  }
  // The failures reported so far, as "module/procedure".
  std::vector<std::string> ReportSources() {
    auto field = [](const std::string& text, const std::string& label) {
      const std::size_t from = text.find(label) + label.size();
      return text.substr(from, text.find('\r', from) - from);
    };
    std::vector<std::string> sources;
    for (const RecordedPrompt& prompt : dialogs_.Prompts())
      if (prompt.title == "Exception")
        sources.push_back(field(prompt.text, "Source: ") + "/" + field(prompt.text, "Procedure: "));
    return sources;
  }
};

// --- The negative-amount rule ---------------------------------------------------------------

TEST_F(TaxSaveTest, ANegativeLineNeedsAnExplanationThatIsNotBlank) {
  struct Case {
    const char* line;
    const char* value;
    const char* explanation;
    bool refused;
  };
  const Case cases[] = {
      {"Secured", "-1", "", true},
      {"Secured", "-1", "   ", true},
      {"EstExcessERAF", "-1", "   ", true},
      {"PriorYearRestrictedMonie", "-1", "   ", true},
      {"Secured", "-1", "x", false},
      {"Secured", "0", "", false},
      {"Total", "-5", "", false},  // the total is no line of the rule
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.line << " " << c.value << " '" << c.explanation << "'");
    Execute("DELETE FROM Tax");
    frmTax& f = PendingCountyRow();
    Enter("Secured", "0");
    Enter(c.line, c.value);
    Explain(c.explanation);
    if (c.refused) AcknowledgeMessages(1);
    f.cmdRecalculate->click();
    if (c.refused) {
      EXPECT_EQ(TakeMessages(),
                Texts{"If data entered on any line is negative, you must provide an explanation for each line"});
      EXPECT_TRUE(TaxRows().empty());
      EXPECT_TRUE(f.Dirty());
      EXPECT_TRUE(f.isEnabled());
    } else {
      EXPECT_TRUE(TakeMessages().empty());
      EXPECT_EQ(TaxRows().size(), 1u);
      EXPECT_FALSE(f.Dirty());
    }
  }
}

// --- Saves that cannot complete ---------------------------------------------------------------------

TEST_F(TaxSaveTest, WithoutARecalculationNothingIsSaved) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    Texts messages;
  };
  const Case cases[] = {
      {"no calculation component",
       [this] {
         Execute("UPDATE ComponentConfiguration SET ComponentName = 'ledgerless' WHERE ComponentTypeID = 2");
         AcknowledgeMessages(1);
         modMain::ComponentsAvailable(2019, 2);
         TakeMessages();
       },
       {"Cannot create calculation object", "The data could not be recalculated and has not been saved."}},
      // Another row's lines add up beyond what an amount can hold.
      {"the calculation fails",
       [this] {
         Execute(
             "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
             " RES_SCHOOL_DISTRICT_ID, TaxType, Secured, Unsecured) VALUES (2019, 2, 19, 64733, 0, 6, 10600, 0,"
             " 500000000000000, 500000000000000)");
       },
       {"The data could not be recalculated and has not been saved."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.arrange();
    frmTax& f = PendingCountyRow();
    const Texts before = TaxRows();
    AcknowledgeMessages(static_cast<int>(c.messages.size()));
    f.cmdRecalculate->click();
    EXPECT_EQ(TakeMessages(), c.messages);
    EXPECT_EQ(TaxRows(), before);
    EXPECT_EQ(StatusRow().at(0), "-1");
    EXPECT_TRUE(f.Dirty());
    EXPECT_TRUE(f.NewRecordPending());
    EXPECT_TRUE(f.isEnabled());
    Execute("DELETE FROM Tax");
    Execute("UPDATE ComponentConfiguration SET ComponentName = 'sumwright' WHERE ComponentTypeID = 2");
    modMain::ComponentsAvailable(2019, 2);
  }
}

TEST_F(TaxSaveTest, AStatusRowThatCannotBeWrittenLeavesEverythingAsItWas) {
  frmTax& f = PendingCountyRow();
  Execute(
      "CREATE TRIGGER refuse_status BEFORE UPDATE ON LEA_FORMS_STATUS BEGIN SELECT RAISE(ABORT, 'locked'); END");
  // The status upkeep reports its failure, then the save reports that the
  // status was not written; Ignore gives the save up.
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  f.cmdRecalculate->click();
  EXPECT_EQ(ReportSources(), (std::vector<std::string>{"modCOE/UpdateCOEFormsStatus", "frmTax/cmdRecalculate_Click"}));
  ExpectNothingSaved(f);
  EXPECT_TRUE(f.isEnabled());

  // Saved once the status row can be written.
  dialogs_.ClearPrompts();
  Execute("DROP TRIGGER refuse_status");
  f.cmdRecalculate->click();
  EXPECT_EQ(TaxRows(), Texts{"19/10199/0: 1000 0 0 1000"});
  EXPECT_EQ(StatusRow().at(1), "1");
  EXPECT_FALSE(f.Dirty());
  EXPECT_EQ(f.Text2->text().toStdString(), "1 of 1");
}

TEST_F(TaxSaveTest, RetryWritesTheRowOnceTheDatabaseTakesIt) {
  frmTax& f = PendingCountyRow();
  Execute("CREATE TRIGGER refuse_tax BEFORE INSERT ON Tax BEGIN SELECT RAISE(ABORT, 'locked'); END");
  dialogs_.AnswerMsgBox(ui::vbRetry, [&] { Execute("DROP TRIGGER refuse_tax"); });
  f.cmdRecalculate->click();
  EXPECT_EQ(ReportSources(), std::vector<std::string>{"frmTax/bSaveRecord"});
  EXPECT_EQ(TaxRows(), Texts{"19/10199/0: 1000 0 0 1000"}) << "one row, written once";
  EXPECT_EQ(StatusRow().at(1), "1");
  EXPECT_FALSE(f.Dirty());
}

TEST_F(TaxSaveTest, ADeleteWhoseStatusCannotBeWrittenLeavesTheRowAndTheNotes) {
  StoreTaxRow(kCounty, kOffice, 0, 100);
  StoreNote();
  frmTax& f = Open();
  ChooseType("County");
  Execute(
      "CREATE TRIGGER refuse_status BEFORE UPDATE ON LEA_FORMS_STATUS BEGIN SELECT RAISE(ABORT, 'locked'); END");
  dialogs_.AnswerMsgBox(ui::vbYes);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  f.cmdDelete->click();
  EXPECT_EQ(ReportSources(), (std::vector<std::string>{"clsDataAccess/ExecuteQuery", "frmTax/cmdDelete_Click"}));
  EXPECT_EQ(TaxRows(), Texts{"19/10199/0: 100 0 0 100"});
  EXPECT_EQ(Notes(), 1);
  EXPECT_EQ(StatusRow().at(0), "-1");
  EXPECT_EQ(f.Text2->text().toStdString(), "1 of 1");
  EXPECT_EQ(Shown("Secured"), "100");
  EXPECT_TRUE(f.cmdDelete->isEnabled());
  EXPECT_TRUE(f.isEnabled());

  // Deleted once the status row can be written.
  Execute("DROP TRIGGER refuse_status");
  dialogs_.AnswerMsgBox(ui::vbYes);
  AcknowledgeMessages(1);
  f.cmdDelete->click();
  EXPECT_TRUE(TaxRows().empty());
  EXPECT_EQ(Notes(), 0);
}

// --- Amounts a line cannot show ------------------------------------------------------------------

// A line shows whole dollars, up to its whole places; a stored amount with
// cents, or with more whole digits (a copy or an import can bring either),
// stays as stored until the user types a new one into its line.
TEST_F(TaxSaveTest, ALineTheUserDidNotChangeKeepsItsStoredAmount) {
  struct Case {
    const char* what;
    bool rowBefore;       // another row is shown first, then this one
    double secured;       // stored
    const char* typed;    // into Secured, or nothing
    int fillsRefused;     // reported lines of the fills (shown, then recalculated)
    std::string shown;    // Secured once saved
    std::string saved;    // the row
  };
  const Case cases[] = {
      {"more whole digits, after another row", true, 12345678901.0, nullptr, 2, "", "12345678901 5 0 12345678906"},
      {"more whole digits, the only row", false, 12345678901.0, nullptr, 2, "", "12345678901 5 0 12345678906"},
      {"more whole digits, replaced by the user", true, 12345678901.0, "700", 1, "700", "700 5 0 705"},
      {"cents", false, 1234.56, nullptr, 0, "1,234", "1234.56 5 0 1239.56"},
      {"cents, replaced by the user", false, 1234.56, "1234", 0, "1,234", "1234 5 0 1239"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Execute("DELETE FROM Tax");
    if (c.rowBefore) StoreTaxRow(6, 10600, 0, 100);
    StoreTaxRow(kCounty, kOffice, 0, c.secured);
    dialogs_.ClearPrompts();
    for (int i = 0; i < c.fillsRefused; ++i) dialogs_.AnswerMsgBox(ui::vbIgnore);
    frmTax& f = Open();
    ChooseType("County");
    if (c.rowBefore) f.cmdMoveNext->click();
    if (c.typed) Enter("Secured", c.typed);
    Enter("Unsecured", "5");
    f.cmdRecalculate->click();
    EXPECT_EQ(ReportSources(), std::vector<std::string>(c.fillsRefused, "modCOE/SetValuesFromRs"));
    Texts rows = TaxRows();
    ASSERT_EQ(rows.size(), c.rowBefore ? 2u : 1u);
    EXPECT_EQ(rows.back(), "19/10199/0: " + c.saved);
    if (c.rowBefore) {
      EXPECT_EQ(vb::TextOf(Scalar("select Secured from Tax where res_county_id = 6")), "100");
    }
    if (!c.shown.empty()) {
      EXPECT_EQ(Shown("Secured"), c.shown);
    }
    EXPECT_FALSE(f.Dirty());
  }
}

// A row the keying could not read is reported by the keying; the save does
// not certify a key of 0, and rolls back with its own report.
TEST_F(TaxSaveTest, ARowThatCouldNotBeKeyedIsNotSaved) {
  frmTax& f = PendingCountyRow();
  // A column the form's rows were read without: their texts cannot be made.
  Execute("ALTER TABLE Tax ADD COLUMN AUDIT_NOTE TEXT");
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  f.cmdRecalculate->click();
  EXPECT_EQ(ReportSources(),
            (std::vector<std::string>{"modCOE/fcnGetStringForCertKey", "frmTax/cmdRecalculate_Click"}));
  ExpectNothingSaved(f);
  EXPECT_TRUE(f.isEnabled());
}

// Another program holds the database so that it cannot even be read. A
// save or a delete that fails on it is reported once, the form keeps its
// rows, and the same command works at once when the lock is gone.
TEST_F(TaxSaveTest, AChangeThatFailsUnderALockThatBlocksReadingKeepsTheRows) {
  struct Case {
    const char* what;
    bool deleting;
    const char* procedure;
  };
  const Case cases[] = {{"Save", false, "frmTax/cmdRecalculate_Click"}, {"Delete", true, "frmTax/cmdDelete_Click"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Execute("DELETE FROM Tax");
    StoreTaxRow(6, 10600, 0, 40);
    StoreTaxRow(kCounty, kOffice, 0, 100);
    frmTax& f = Open();
    ChooseType("County");
    f.cmdMoveNext->click();
    // A lock is waited out briefly here, not for the program's five seconds.
    Scalar("PRAGMA busy_timeout = 20");
    db::ConnectionPtr other = OpenDatabase();
    other->Execute("BEGIN EXCLUSIVE");
    // The command, its report answered Ignore when it fails.
    auto command = [&](bool fails) {
      if (c.deleting) dialogs_.AnswerMsgBox(ui::vbYes);
      if (fails) dialogs_.AnswerMsgBox(ui::vbIgnore);
      if (c.deleting) {
        f.cmdDelete->click();
      } else {
        Enter("Unsecured", "7");
        f.cmdRecalculate->click();
      }
    };
    dialogs_.ClearPrompts();
    command(true);
    EXPECT_EQ(ReportSources(), std::vector<std::string>{c.procedure});
    EXPECT_EQ(f.Text2->text().toStdString(), "2 of 2");
    other->Execute("ROLLBACK");

    dialogs_.ClearPrompts();
    command(false);
    EXPECT_TRUE(ReportSources().empty());
    if (c.deleting) {
      EXPECT_EQ(TaxRows(), Texts{"6/10600/0: 40 0 0 40"});
      EXPECT_EQ(StatusRow().at(1), "1");
      EXPECT_EQ(f.Text2->text().toStdString(), "1 of 1");
    } else {
      EXPECT_EQ(TaxRows().back(), "19/10199/0: 100 7 0 107");
      EXPECT_EQ(StatusRow().at(1), "2");
      EXPECT_FALSE(f.Dirty());
      EXPECT_EQ(f.Text2->text().toStdString(), "2 of 2");
    }
  }
}

// --- The steps of a save and its undo --------------------------------------------------------------

// The checksum of a text as other offices compute a row key from an exported
// file: CRC-32 (reflected, polynomial EDB88320) of the text's bytes after
// the first, as a signed number; 0 for a text shorter than two bytes.
std::int32_t IndependentCrc(const std::string& text) {
  if (text.size() < 2) return 0;
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 1; i < text.size(); ++i) {
    crc ^= static_cast<unsigned char>(text[i]);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return static_cast<std::int32_t>(~crc);
}

class SaveStepsTest : public TaxSaveTest {
 protected:
  // The agency's stored rows hold 0 in every empty amount line, as the form
  // writes them.
  void FillEmptyLines() {
    for (const char* line : ctlTax_1::AmountProperties())
      Execute(std::string("UPDATE Tax SET ") + line + " = 0 WHERE " + line + " IS NULL");
  }
  // The form's status as its parameters hold it: certificate, records,
  // errors, warnings, modification and edit-check dates.
  static Texts StatusOfForm(const frmTax& f) {
    const clsGlobalParam& p = *f.GParam;
    return {std::to_string(p.CertKey), std::to_string(p.NumRecord), std::to_string(p.NumError),
            std::to_string(p.NumWarning), ClockText(p.LastModifiedDate), ClockText(p.EditCheckDate)};
  }
};

TEST_F(SaveStepsTest, ASaveThatFailsOnTheSecondRowIsUndoneAndTheNextSaveWritesTheEdit) {
  StoreTaxRow(6, 10600, 0, 40);
  StoreTaxRow(kCounty, kOffice, 0, 100);
  FillEmptyLines();
  // Totals and keys the recalculation rewrites in both rows.
  Execute("UPDATE Tax SET Total = 1, CERT_KEY = 7");
  // The form's status as the main window hands it over.
  gp().CertKey = 12345;
  gp().NumRecord = 2;
  gp().LastModifiedDate = vb::CDate(Variant("2019-11-04 08:30:00"));
  gp().EditCheckDate = vb::CDate(Variant("2019-11-04 08:31:00"));
  frmTax& f = Open();
  ChooseType("County");
  f.cmdMoveNext->click();
  const Texts rows = TaxRows();
  const Texts stored = StatusRow();
  const Texts form = StatusOfForm(f);

  // The rows are written in their order; the second one's key is refused.
  Execute(
      "CREATE TRIGGER refuse_second BEFORE UPDATE ON Tax WHEN NEW.RES_COUNTY_ID = 19 AND"
      " NEW.CERT_KEY IS NOT OLD.CERT_KEY BEGIN SELECT RAISE(ABORT, 'locked'); END");
  Enter("Unsecured", "7");
  dialogs_.ClearPrompts();
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  f.cmdRecalculate->click();
  EXPECT_EQ(ReportSources(), std::vector<std::string>{"frmTax/cmdRecalculate_Click"});
  EXPECT_EQ(TaxRows(), rows) << "the first row's new total is undone with the rest";
  EXPECT_EQ(CertKeyOf(6, 10600, 0), 7);
  EXPECT_EQ(StatusRow(), stored);
  EXPECT_EQ(StatusOfForm(f), form) << "the parameters are those from before the failed save";
  EXPECT_TRUE(f.Dirty());
  EXPECT_EQ(Shown("Unsecured"), "7");
  EXPECT_EQ(f.Text2->text().toStdString(), "2 of 2");

  Execute("DROP TRIGGER refuse_second");
  dialogs_.ClearPrompts();
  f.cmdRecalculate->click();
  EXPECT_TRUE(ReportSources().empty());
  EXPECT_EQ(TaxRows(), (Texts{"6/10600/0: 40 0 0 40", "19/10199/0: 100 7 0 107"}));
  const Texts saved = StatusOfForm(f);
  EXPECT_EQ(saved.at(0), StatusRow().at(0));
  EXPECT_NE(saved.at(0), form.at(0));
  EXPECT_EQ(saved.at(4), ClockText(clock_.Now()));
}

TEST_F(SaveStepsTest, ASaveResetsTheErrorAndWarningCounts) {
  StoreTaxRow(kCounty, kOffice, 0, 100);
  Execute("UPDATE LEA_FORMS_STATUS SET NUM_ERROR = 3, NUM_WARNING = 11");
  gp().NumError = 3;
  gp().NumWarning = 11;
  frmTax& f = Open();
  ChooseType("County");
  EXPECT_EQ(StatusOfForm(f).at(2), "3");
  Enter("HOX", "2");
  f.cmdRecalculate->click();
  EXPECT_EQ(StatusRow().at(2), "0");
  EXPECT_EQ(StatusRow().at(3), "0");
  EXPECT_EQ(StatusOfForm(f).at(2), "0");
  EXPECT_EQ(StatusOfForm(f).at(3), "0");
}

// Every row's key is the checksum of its stored values, also for the rows
// whose totals the recalculation changed; the status row's certificate is
// the checksum of the keys in key order.
TEST_F(SaveStepsTest, AfterARecalculationEveryRowsKeyIsTheChecksumOfItsStoredText) {
  StoreTaxRow(6, 10600, 0, 40);
  StoreTaxRow(6, 61500, 0, 70);
  StoreTaxRow(kCounty, kOffice, 0, 100);
  FillEmptyLines();
  // Totals that do not add up and keys that do not fit, as an import could
  // leave them.
  Execute("UPDATE Tax SET Unsecured = 5, Total = 1, CERT_KEY = 7");
  frmTax& f = Open();
  ChooseType("County");
  Enter("HOX", "2");
  f.cmdRecalculate->click();
  EXPECT_EQ(TaxRows(), (Texts{"6/10600/0: 40 5 2 47", "6/61500/0: 70 5 0 75", "19/10199/0: 100 5 0 105"}));

  std::vector<std::string> columns;
  auto info = db::Recordset::Query("SELECT name FROM pragma_table_info('Tax') ORDER BY cid",
                                   modGlobals::SharedConnection());
  for (; !info->Eof(); info->MoveNext()) columns.push_back(vb::TextOf(info->Value(0)));
  auto rows = db::Recordset::Query(
      "SELECT * FROM Tax WHERE fiscal_year = 2019 AND period_id = 2 AND county_id = 19 AND"
      " school_district_id = 64733 ORDER BY fiscal_year, period_id, county_id, school_district_id, school_id,"
      " res_county_id, res_school_district_id, taxtype",
      modGlobals::SharedConnection());
  std::string keys;
  for (; !rows->Eof(); rows->MoveNext()) {
    std::string text;
    for (const std::string& column : columns)
      if (!vb::TextEquals(column, "CERT_KEY")) text += vb::TextOf(rows->Value(column));
    EXPECT_EQ(vb::CLng(rows->Value("CERT_KEY")), IndependentCrc(text)) << text;
    keys += vb::TextOf(rows->Value("CERT_KEY"));
  }
  EXPECT_EQ(StatusRow().at(0), std::to_string(IndependentCrc(keys)));
}

// --- Closing ------------------------------------------------------------------------------------------

TEST_F(TaxSaveTest, ClosingWithUnsavedValuesAsksToSaveThem) {
  struct Case {
    const char* what;
    int answer;
    bool viaCloseBox;
    Texts rows;
  };
  const Case cases[] = {
      {"Yes, Close", ui::vbYes, false, {"19/10199/0: 1000 0 0 1000"}},
      {"Yes, close box", ui::vbYes, true, {"19/10199/0: 1000 0 0 1000"}},
      {"No", ui::vbNo, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Execute("DELETE FROM Tax");
    frmTax& f = PendingCountyRow();
    f.show();
    dialogs_.AnswerMsgBox(c.answer);
    if (c.viaCloseBox)
      f.close();
    else
      f.cmdClose->click();
    ASSERT_EQ(TakeMessages(), Texts{"Do you want to save the data?"});
    EXPECT_EQ(TaxRows(), c.rows);
    EXPECT_FALSE(f.Loaded());
    EXPECT_FALSE(f.isVisible());
  }
}

TEST_F(TaxSaveTest, ValuesThatBreakTheRuleOrCannotBeSavedKeepTheWindowOpen) {
  frmTax& f = PendingCountyRow();
  f.show();
  Enter("HOX", "-3");
  const std::string rule = "If data entered on any line is negative, you must provide an explanation for each line";

  // Close checks the rule first; the close box asks, then checks it.
  AcknowledgeMessages(1);
  f.cmdClose->click();
  EXPECT_EQ(TakeMessages(), Texts{rule});
  dialogs_.AnswerMsgBox(ui::vbYes);
  AcknowledgeMessages(1);
  f.close();
  EXPECT_EQ(TakeMessages(), (Texts{"Do you want to save the data?", rule}));
  EXPECT_TRUE(f.Loaded());
  EXPECT_TRUE(f.isVisible());
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(TaxRows().empty());

  // A save that fails on closing keeps the window too.
  Explain("Refund of an over-collection");
  Execute("CREATE TRIGGER refuse_tax BEFORE INSERT ON Tax BEGIN SELECT RAISE(ABORT, 'locked'); END");
  dialogs_.AnswerMsgBox(ui::vbYes);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  f.close();
  EXPECT_EQ(ReportSources(), std::vector<std::string>{"frmTax/bSaveRecord"});
  EXPECT_TRUE(f.isVisible());
  EXPECT_TRUE(f.Dirty());

  // Once it can be saved, the window closes.
  TakeMessages();
  Execute("DROP TRIGGER refuse_tax");
  dialogs_.AnswerMsgBox(ui::vbYes);
  f.close();
  EXPECT_EQ(TakeMessages(), Texts{"Do you want to save the data?"});
  EXPECT_EQ(TaxRows(), Texts{"19/10199/0: 1000 0 -3 997"});
  EXPECT_FALSE(f.isVisible());
}

// In a prior-year correction mode every save asks for the reason of the
// correction when the window closes.
class CorrectionTest : public TaxSaveTest {
 protected:
  void SetUp() override {
    TaxSaveTest::SetUp();
    modGlobals::gstrPeriodMode = "PY_P2";
  }
  // The correction window, as often as it is shown: the user gives a
  // reason and a note and closes it.
  void AnswerCorrections(int times) {
    for (int i = 0; i < times; ++i) {
      dialogs_.AnswerModal([this](QWidget& window) {
        auto& reason = dynamic_cast<frmCORRECTION_REASON&>(window);
        ++asked_;
        reason.cboRCode->setCurrentIndex(0);
        reason.txtnotes->setPlainText("Assessor's roll change");
        reason.cmdClose_Click();  // stores the reason
        return 0;
      });
    }
  }
  std::string Corrected() {
    return vb::TextOf(Scalar(
        "select PY_FORMS_CORRECTED from LEA_FORMS_STATUS where county_id = 19 and school_district_id = 64733 and"
        " period_id = 2 and form_no = 29"));
  }
  int asked_ = 0;
};

TEST_F(CorrectionTest, ClosingAfterASaveAsksForTheReason) {
  frmTax& f = PendingCountyRow();
  f.cmdRecalculate->click();
  AnswerCorrections(1);
  f.cmdClose->click();
  EXPECT_EQ(asked_, 1);
  EXPECT_EQ(Corrected(), "Yes");
  EXPECT_EQ(StatusRow().at(1), "1") << "the status row keeps the save's certificate and count";
  EXPECT_FALSE(f.Loaded());
}

TEST_F(CorrectionTest, SavingOnClosingAsksAgain) {
  frmTax& f = PendingCountyRow();
  f.cmdRecalculate->click();
  Enter("Unsecured", "7");
  dialogs_.AnswerMsgBox(ui::vbYes);
  AnswerCorrections(2);
  f.cmdClose->click();
  EXPECT_EQ(asked_, 2);
  EXPECT_EQ(TaxRows(), Texts{"19/10199/0: 1000 7 0 1007"});
  EXPECT_FALSE(f.Loaded());
}

TEST_F(CorrectionTest, WithoutRowsNothingIsAskedAndTheClearedStatusStays) {
  frmTax& f = PendingCountyRow();
  f.cmdRecalculate->click();
  dialogs_.AnswerMsgBox(ui::vbYes);
  AcknowledgeMessages(1);
  f.cmdDelete->click();
  TakeMessages();
  f.cmdClose->click();
  EXPECT_EQ(asked_, 0);
  EXPECT_EQ(StatusRow(), (Texts{"Null", "Null", "Null", "Null", "Null", "Null", "0", "No"}));
  EXPECT_FALSE(f.Loaded());
  EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
