// The correction-reason window in its two modes: required, as the tax form
// asks for the reason after saving prior-year data, and on demand, as the
// main window's correction column opens it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "KeyInput.h"
#include "NeighbourRows.h"
#include "TestEnvironment.h"
#include "frmCORRECTION_REASON.h"
#include "db/Recordset.h"
#include "modCOECorrection.h"
#include "modGlobals.h"
#include "vb/Conversions.h"

namespace {

using vb::Variant;

constexpr int kTaxForm = 29;

using Note = std::optional<std::string>;
const Note kNull = std::nullopt;

struct Agency {
  int county;
  int district;
  int school;
};

class CorrectionReasons : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    modGlobals::gintCorrectionFormNo = 0;
    modGlobals::gstrCorrectionNote.clear();
    modGlobals::gintCorrectionReasonCode = 0;
    modGlobals::gblnCorrectionPending = false;
    frmCORRECTION_REASON::Install();
    // The prior-year P-2 of the county office of Alder County.
    SetAgency(2, kCountyOffice);
    db_ = OpenDatabase();
  }

  void TearDown() override {
    modCOE::SetCorrectionReasonWindow(nullptr);
    db_.reset();
    ProgramTest::TearDown();
  }

  static constexpr Agency kCountyOffice{61, 10610, 0};
  static constexpr Agency kCharter{61, 10610, 6100103};  // chartered by the county office

  static void SetAgency(int kind, const Agency& agency) {
    clsGlobalParam& P = *modGlobals::gobjGlobalParam;
    P.UserGroup = kind;
    P.CountyID = agency.county;
    P.DistrictID = agency.district;
    P.SchoolId = agency.school;
    P.ReportYear = 2018;
    P.ReportPeriod = 2;
  }

  void AddStatusRow(const Agency& agency, const char* corrected = "No", int code = 0, Variant note = vb::Null) {
    db_->Execute(
        "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO, "
        "NUM_RECORD, PY_FORMS_CORRECTED, PY_REASON_CODE, PY_CORRECTION_NOTE) VALUES (2018, 2, ?, ?, ?, ?, 3, ?, ?, ?)",
        {Variant(agency.county), Variant(agency.district), Variant(agency.school), Variant(kTaxForm),
         Variant(corrected), Variant(code), note});
  }

  // PY_FORMS_CORRECTED, PY_REASON_CODE and PY_CORRECTION_NOTE (none for
  // Null) of a status row.
  std::tuple<std::string, int, Note> Correction(const Agency& agency) {
    auto rs = db::Recordset::Query(
        "SELECT PY_FORMS_CORRECTED, PY_REASON_CODE, PY_CORRECTION_NOTE FROM LEA_FORMS_STATUS WHERE FISCAL_YEAR = 2018 "
        "AND PERIOD_ID = 2 AND COUNTY_ID = ? AND SCHOOL_DISTRICT_ID = ? AND SCHOOL_ID = ? AND FORM_NO = ?",
        db_, {Variant(agency.county), Variant(agency.district), Variant(agency.school), Variant(kTaxForm)});
    const Variant note = rs->Value(2);
    return {vb::TextOf(rs->Value(0)), vb::CInt(rs->Value(1)), note.IsNull() ? kNull : Note(vb::TextOf(note))};
  }

  bool HasStatusRow(const Agency& agency) {
    return vb::CLng(db_->Scalar("SELECT count(*) FROM LEA_FORMS_STATUS WHERE COUNTY_ID = ? AND SCHOOL_DISTRICT_ID = ? "
                                "AND SCHOOL_ID = ?",
                                {Variant(agency.county), Variant(agency.district), Variant(agency.school)})) > 0;
  }

  // Asks for the reason as the tax form does after saving the county office's data.
  bool AskAsTheTaxForm(const std::function<void(frmCORRECTION_REASON&)>& user) {
    dialogs_.AnswerModal([&](QWidget& window) {
      user(dynamic_cast<frmCORRECTION_REASON&>(window));
      return 0;
    });
    return modCOE::AskCorrectionReason(3, 2018, 2, kCountyOffice.county, kCountyOffice.district,
                                       kCountyOffice.school, kTaxForm, true, true);
  }

  // Opens the window as a click in the main window's correction column does.
  void OpenFromTheMainWindow(const Agency& agency, const std::function<void(frmCORRECTION_REASON&)>& user) {
    if (HasStatusRow(agency)) {
      const auto [corrected, code, note] = Correction(agency);
      if (corrected == "Yes") {
        modGlobals::gstrCorrectionNote = note.value_or("");
        modGlobals::gintCorrectionReasonCode = static_cast<std::int16_t>(code);
      }
    }
    modGlobals::gintCorrectionFormNo = kTaxForm;
    dialogs_.AnswerModal([&](QWidget& window) {
      user(dynamic_cast<frmCORRECTION_REASON&>(window));
      return 0;
    });
    frmCORRECTION_REASON window;
    window.ShowModal();
  }

  static void Choose(frmCORRECTION_REASON& window, int position, const QString& note) {
    window.cboRCode->setCurrentIndex(position);
    window.txtnotes->setPlainText(note);
  }

  static void ExpectHandOverReset() {
    EXPECT_EQ(modGlobals::gstrCorrectionNote, "");
    EXPECT_EQ(modGlobals::gintCorrectionReasonCode, 0);
    EXPECT_FALSE(modGlobals::gblnCorrectionPending);
  }

  std::string LeaCorrected() {
    return vb::TextOf(db_->Scalar(
        "SELECT PY_LEA_CORRECTED FROM KRN_LEAS WHERE FISCAL_YEAR = 2018 AND COUNTY_ID = 61 AND "
        "SCHOOL_DISTRICT_ID = 10610 AND SCHOOL_ID = 0"));
  }

  db::ConnectionPtr db_;
};

TEST_F(CorrectionReasons, RequiredModeStaysOpenUntilAReasonAndNoteAreStored) {
  AddStatusRow(kCountyOffice);
  AddStatusRow(kCharter);
  const bool asked = AskAsTheTaxForm([&](frmCORRECTION_REASON& window) {
    EXPECT_EQ(window.windowTitle(), "Correction Reason");
    EXPECT_FALSE(window.cmdSave->isEnabled());
    EXPECT_FALSE(window.cmdDelete->isEnabled());
    ASSERT_EQ(window.cboRCode->count(), 4);  // in code order, code 0 left out
    EXPECT_EQ(window.cboRCode->itemText(0), "Data entry error");
    EXPECT_EQ(window.cboRCode->itemText(3), "Other");
    EXPECT_EQ(window.cboRCode->currentIndex(), -1);

    // Close, the close box and Escape all refuse a blank reason and stay.
    const std::vector<std::function<void()>> leave = {
        [&] { window.cmdClose_Click(); },
        [&] { window.close(); },
        [&] {
          QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
          QApplication::sendEvent(&window, &escape);
        },
    };
    for (const auto& attempt : leave) {
      dialogs_.AnswerMsgBox(ui::vbOK);
      attempt();
      EXPECT_EQ(dialogs_.LastPrompt().text, "Reason Code / Notes cannot be blank");
      EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbInformation);
      EXPECT_TRUE(window.Loaded());
    }
    // A reason with a note of blanks is blank too.
    Choose(window, 0, "   ");
    dialogs_.AnswerMsgBox(ui::vbOK);
    window.cmdClose_Click();
    EXPECT_TRUE(window.Loaded());

    Choose(window, 0, "abc");
    window.cmdClose_Click();  // stored without a message
    EXPECT_FALSE(window.Loaded());
  });
  EXPECT_TRUE(asked);
  EXPECT_EQ(Correction(kCountyOffice), std::make_tuple(std::string("Yes"), 1, Note("abc")));
  EXPECT_EQ(Correction(kCharter), std::make_tuple(std::string("No"), 0, kNull));
  ExpectHandOverReset();
  EXPECT_EQ(LeaCorrected(), "Yes");
  dialogs_.ExpectAllUsed();
}

TEST_F(CorrectionReasons, RequiredModeShowsTheStoredReasonWithDeleteStillDisabled) {
  AddStatusRow(kCountyOffice, "Yes", 3, Variant("  audit of 2018 "));
  AskAsTheTaxForm([&](frmCORRECTION_REASON& window) {
    EXPECT_EQ(window.cboRCode->currentIndex(), 2);
    EXPECT_EQ(window.txtnotes->toPlainText(), "  audit of 2018 ");
    EXPECT_FALSE(window.cmdDelete->isEnabled());
    EXPECT_FALSE(window.cmdSave->isEnabled());
    window.cmdClose_Click();
  });
  // Leading blanks stay in the stored note.
  EXPECT_EQ(Correction(kCountyOffice), std::make_tuple(std::string("Yes"), 3, Note("  audit of 2018 ")));
}

TEST_F(CorrectionReasons, OpeningShowsTheStoredReasonOnlyWithANote) {
  struct Case {
    const char* note;
    int code;
    int shownPosition;
    const char* shownNote;
    bool deleteEnabled;
  };
  const Case cases[] = {
      {"late tax roll", 2, 1, "late tax roll", true},
      {"late tax roll", 0, -1, "late tax roll", true},  // a note without a reason
      {"   ", 2, -1, "", false},                        // a note of blanks shows nothing
      {"", 4, -1, "", false},
  };
  for (const Case& c : cases) {
    modGlobals::gstrCorrectionNote = c.note;
    modGlobals::gintCorrectionReasonCode = static_cast<std::int16_t>(c.code);
    frmCORRECTION_REASON window;
    window.Load();
    EXPECT_EQ(window.cboRCode->currentIndex(), c.shownPosition) << c.note << " " << c.code;
    EXPECT_EQ(window.txtnotes->toPlainText().toStdString(), c.shownNote) << c.note << " " << c.code;
    EXPECT_EQ(window.cmdDelete->isEnabled(), c.deleteEnabled) << c.note << " " << c.code;
    EXPECT_TRUE(window.cmdSave->isEnabled());
  }
}

TEST_F(CorrectionReasons, AStoredCodePastTheListIsReportedAndTheNoteStillShown) {
  modGlobals::gstrCorrectionNote = "note";
  modGlobals::gintCorrectionReasonCode = 9;
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  frmCORRECTION_REASON window;
  window.Load();
  EXPECT_EQ(dialogs_.LastPrompt().title, "Exception");
  EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: Form_Load"), std::string::npos);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Source: frmCORRECTION_REASON"), std::string::npos);
  EXPECT_EQ(window.cboRCode->currentIndex(), -1);
  EXPECT_EQ(window.txtnotes->toPlainText(), "note");
}

TEST_F(CorrectionReasons, OnDemandEditingTheNoteAloneClosesWithoutAsking) {
  AddStatusRow(kCountyOffice, "Yes", 2, Variant("first reason"));
  OpenFromTheMainWindow(kCountyOffice, [&](frmCORRECTION_REASON& window) {
    EXPECT_EQ(window.cboRCode->currentIndex(), 1);
    EXPECT_EQ(window.txtnotes->toPlainText(), "first reason");
    EXPECT_TRUE(window.cmdDelete->isEnabled());
    window.txtnotes->setPlainText("edited only");
    window.cmdClose_Click();
    EXPECT_FALSE(window.Loaded());
  });
  EXPECT_EQ(Correction(kCountyOffice), std::make_tuple(std::string("Yes"), 2, Note("first reason")));
  ExpectHandOverReset();
  dialogs_.ExpectAllUsed();
}

TEST_F(CorrectionReasons, AltWithALetterTypesNothingIntoTheNote) {
  AddStatusRow(kCountyOffice, "Yes", 2, Variant("first reason"));
  OpenFromTheMainWindow(kCountyOffice, [&](frmCORRECTION_REASON& window) {
    window.txtnotes->moveCursor(QTextCursor::End);
    fixtures::Key(*window.txtnotes, Qt::Key_S, "s", Qt::AltModifier);
    fixtures::Type(*window.txtnotes, " released");
    fixtures::Key(*window.txtnotes, Qt::Key_D, "d", Qt::AltModifier);
    EXPECT_EQ(window.txtnotes->toPlainText(), "first reason released");
    window.cmdClose_Click();
  });
  dialogs_.ExpectAllUsed();
}

TEST_F(CorrectionReasons, OnDemandChoosingAReasonAsksOnClose) {
  struct Case {
    int answer;
    bool saved;
  };
  for (const Case c : {Case{ui::vbNo, false}, Case{ui::vbYes, true}}) {
    db_->Execute("DELETE FROM LEA_FORMS_STATUS");
    AddStatusRow(kCountyOffice);
    OpenFromTheMainWindow(kCountyOffice, [&](frmCORRECTION_REASON& window) {
      Choose(window, 3, "reason text");
      dialogs_.AnswerMsgBox(c.answer);
      if (c.saved) dialogs_.AnswerMsgBox(ui::vbOK);
      window.cmdClose_Click();
      EXPECT_FALSE(window.Loaded());
    });
    const RecordedPrompt& question = dialogs_.Prompts()[dialogs_.Prompts().size() - (c.saved ? 2 : 1)];
    EXPECT_EQ(question.text, "Do you want to save the data?");
    EXPECT_EQ(question.title, "Save Data?");
    EXPECT_EQ(question.style, ui::vbYesNo + ui::vbQuestion);
    if (c.saved)
      EXPECT_EQ(Correction(kCountyOffice), std::make_tuple(std::string("Yes"), 4, Note("reason text")));
    else
      EXPECT_EQ(Correction(kCountyOffice), std::make_tuple(std::string("No"), 0, kNull));
    ExpectHandOverReset();
  }
  dialogs_.ExpectAllUsed();
}

TEST_F(CorrectionReasons, OnDemandSaveThenDeleteResetsTheRow) {
  AddStatusRow(kCountyOffice);
  OpenFromTheMainWindow(kCountyOffice, [&](frmCORRECTION_REASON& window) {
    EXPECT_FALSE(window.cmdDelete->isEnabled());
    Choose(window, 1, "revised figures");
    dialogs_.AnswerMsgBox(ui::vbOK);
    window.cmdSave_Click();
    EXPECT_EQ(dialogs_.LastPrompt().text, "Correction details saved");
    EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbInformation);
    EXPECT_EQ(Correction(kCountyOffice), std::make_tuple(std::string("Yes"), 2, Note("revised figures")));
    EXPECT_TRUE(window.cmdDelete->isEnabled());

    dialogs_.AnswerMsgBox(ui::vbNo);
    window.cmdDelete_Click();
    EXPECT_EQ(Correction(kCountyOffice), std::make_tuple(std::string("Yes"), 2, Note("revised figures")));

    dialogs_.AnswerMsgBox(ui::vbYes);
    window.cmdDelete_Click();
    EXPECT_EQ(dialogs_.LastPrompt().text,
              "This would delete the Correction Reason and Correction Notes and resets the Corrected Status to "
              "\"No\" \r\nDo you really want to delete?");
    EXPECT_EQ(dialogs_.LastPrompt().title, "Delete?");
    EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbYesNo + ui::vbQuestion);
    EXPECT_EQ(Correction(kCountyOffice), std::make_tuple(std::string("No"), 0, kNull));
    EXPECT_FALSE(window.cmdDelete->isEnabled());
    EXPECT_TRUE(window.cmdSave->isEnabled());
    EXPECT_EQ(window.cboRCode->currentIndex(), -1);
    EXPECT_EQ(window.txtnotes->toPlainText(), "");
    window.cmdClose_Click();  // nothing chosen since the delete: no question
    EXPECT_FALSE(window.Loaded());
  });
  ExpectHandOverReset();
  dialogs_.ExpectAllUsed();
}

TEST_F(CorrectionReasons, SaveAndDeleteTouchOnlyTheAgencysOwnStatusRow) {
  struct Case {
    int kind;
    Agency agency;
    Agency neighbour;  // same county, district and form
  };
  const Case cases[] = {
      {2, kCountyOffice, kCharter},
      {7, kCountyOffice, kCharter},
      {4, kCharter, kCountyOffice},
      {3, {61, 61003, 0}, {61, 61003, 6100101}},
      {5, {61, 61901, 6190101}, {61, 61901, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("agency kind " + std::to_string(c.kind));
    db_->Execute("DELETE FROM LEA_FORMS_STATUS");
    AddStatusRow(c.agency);
    AddStatusRow(c.neighbour, "Yes", 1, Variant("the neighbour's own reason"));
    // The agency's rows of another year, period and form, marked corrected.
    const fixtures::Cells own = {{"COUNTY_ID", Variant(c.agency.county)},
                                 {"SCHOOL_DISTRICT_ID", Variant(c.agency.district)},
                                 {"SCHOOL_ID", Variant(c.agency.school)},
                                 {"FISCAL_YEAR", Variant(2018)},
                                 {"PERIOD_ID", Variant(2)},
                                 {"FORM_NO", Variant(kTaxForm)}};
    const fixtures::Cells kept = {{"PY_FORMS_CORRECTED", Variant("Yes")}, {"PY_REASON_CODE", Variant(4)},
                                  {"PY_CORRECTION_NOTE", Variant("kept")}};
    auto with = [&](const char* column, int value) {
      fixtures::Cells changes = kept;
      changes.push_back({column, Variant(value)});
      return changes;
    };
    fixtures::AddNeighbours(*db_, {{"LEA_FORMS_STATUS", own, with("FISCAL_YEAR", 2017)},
                                   {"LEA_FORMS_STATUS", own, with("PERIOD_ID", 1)},
                                   {"LEA_FORMS_STATUS", own, with("FORM_NO", 28)}});
    auto keptRows = [&] {
      return vb::CLng(db_->Scalar(
          "SELECT count(*) FROM LEA_FORMS_STATUS WHERE PY_FORMS_CORRECTED = 'Yes' AND PY_REASON_CODE = 4 AND"
          " PY_CORRECTION_NOTE = 'kept'"));
    };
    SetAgency(c.kind, c.agency);
    OpenFromTheMainWindow(c.agency, [&](frmCORRECTION_REASON& window) {
      Choose(window, 2, "ours");
      dialogs_.AnswerMsgBox(ui::vbOK);
      window.cmdSave_Click();
      EXPECT_EQ(Correction(c.agency), std::make_tuple(std::string("Yes"), 3, Note("ours")));
      EXPECT_EQ(Correction(c.neighbour),
                std::make_tuple(std::string("Yes"), 1, Note("the neighbour's own reason")));
      dialogs_.AnswerMsgBox(ui::vbYes);
      window.cmdDelete_Click();
      EXPECT_EQ(Correction(c.agency), std::make_tuple(std::string("No"), 0, kNull));
      EXPECT_EQ(Correction(c.neighbour),
                std::make_tuple(std::string("Yes"), 1, Note("the neighbour's own reason")));
      window.cmdClose_Click();
    });
    EXPECT_EQ(keptRows(), 3) << "the agency's rows of another year, period or form";
  }
  dialogs_.ExpectAllUsed();
}

TEST_F(CorrectionReasons, ASaveWithoutAStatusRowSaysSo) {
  // On demand: Close answered Yes stays open after the refused save.
  OpenFromTheMainWindow(kCountyOffice, [&](frmCORRECTION_REASON& window) {
    Choose(window, 0, "note");
    dialogs_.AnswerMsgBox(ui::vbYes);
    dialogs_.AnswerMsgBox(ui::vbOK);
    window.cmdClose_Click();
    EXPECT_EQ(dialogs_.LastPrompt().text,
              "The correction details were not saved: this form has no status row for the agency, year and period.");
    EXPECT_TRUE(window.Loaded());
    EXPECT_FALSE(window.cmdDelete->isEnabled());
    dialogs_.AnswerMsgBox(ui::vbNo);
    window.cmdClose_Click();
  });
  dialogs_.ExpectAllUsed();
}

// Asked for, the window is left once the reason is stored; when it cannot
// be stored, every way of leaving says that nothing was saved and closes it
// with nothing written, instead of keeping a modal window open for ever.
TEST_F(CorrectionReasons, RequiredModeClosesWritingNothingWhenTheReasonCannotBeStored) {
  const std::string noRow =
      "The correction details were not saved: this form has no status row for the agency, year and period.";
  struct Case {
    const char* what;
    bool statusRow;
    bool refuseWrite;  // the status row refuses the write; the report is answered Ignore
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"no status row of the agency", false, false, {noRow}},
      {"a write that fails", true, true, {"Exception", "The correction details were not saved."}},
  };
  const std::vector<std::pair<const char*, std::function<void(frmCORRECTION_REASON&)>>> leave = {
      {"Close", [](frmCORRECTION_REASON& window) { window.cmdClose_Click(); }},
      {"close box", [](frmCORRECTION_REASON& window) { window.close(); }},
      {"Escape",
       [](frmCORRECTION_REASON& window) {
         QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
         QApplication::sendEvent(&window, &escape);
       }},
  };
  for (const Case& c : cases) {
    for (const auto& [way, leaveWindow] : leave) {
      SCOPED_TRACE(std::string(c.what) + ", " + way);
      db_->Execute("DELETE FROM LEA_FORMS_STATUS");
      db_->Execute("DROP TRIGGER IF EXISTS refuse_status");
      // The charter's own row: not the agency's.
      AddStatusRow(kCharter);
      if (c.statusRow) AddStatusRow(kCountyOffice);
      if (c.refuseWrite)
        db_->Execute(
            "CREATE TRIGGER refuse_status BEFORE UPDATE ON LEA_FORMS_STATUS BEGIN SELECT RAISE(ABORT, 'locked'); END");
      modGlobals::gblnCorrectionPending = true;
      modGlobals::gintCorrectionFormNo = kTaxForm;
      frmCORRECTION_REASON window;
      window.Load();
      window.show();
      Choose(window, 0, "note");
      dialogs_.ClearPrompts();
      for (std::size_t i = 0; i < c.messages.size(); ++i)
        dialogs_.AnswerMsgBox(i + 1 < c.messages.size() ? ui::vbIgnore : ui::vbOK);
      leaveWindow(window);
      std::vector<std::string> shown;
      for (const RecordedPrompt& prompt : dialogs_.Prompts())
        shown.push_back(prompt.title == "Exception" ? prompt.title : prompt.text);
      EXPECT_EQ(shown, c.messages);
      EXPECT_FALSE(window.Loaded());
      EXPECT_FALSE(modGlobals::gblnCorrectionPending);
      EXPECT_EQ(HasStatusRow(kCountyOffice), c.statusRow);
      if (c.statusRow) {
        EXPECT_EQ(Correction(kCountyOffice), std::make_tuple(std::string("No"), 0, kNull));
      }
      EXPECT_EQ(Correction(kCharter), std::make_tuple(std::string("No"), 0, kNull));
    }
  }
  dialogs_.ExpectAllUsed();
}

TEST_F(CorrectionReasons, TheNoteBoxHoldsAtMostAThousandCharacters) {
  AddStatusRow(kCountyOffice);
  OpenFromTheMainWindow(kCountyOffice, [&](frmCORRECTION_REASON& window) {
    window.txtnotes->setPlainText("[]");
    QTextCursor cursor = window.txtnotes->textCursor();
    cursor.setPosition(1);
    window.txtnotes->setTextCursor(cursor);
    window.txtnotes->insertPlainText(QString(1500, QChar('x')));  // a paste between the brackets
    EXPECT_EQ(window.txtnotes->toPlainText(), "[" + QString(998, QChar('x')) + "]");
    window.txtnotes->setPlainText(QString(1200, QChar('y')));
    EXPECT_EQ(window.txtnotes->toPlainText(), QString(1000, QChar('y')));
    window.cboRCode->setCurrentIndex(0);
    dialogs_.AnswerMsgBox(ui::vbOK);
    window.cmdSave_Click();
    window.cmdClose_Click();
  });
  EXPECT_EQ(std::get<2>(Correction(kCountyOffice)), Note(std::string(1000, 'y')));
  dialogs_.ExpectAllUsed();
}

}  // namespace
