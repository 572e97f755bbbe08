// The notes window as the tax form's "Add Note" command opens it: one note
// per agency, year, period and entry screen, saved only while the screen has
// data, with the closing prompt and the shared instance.

#include <gtest/gtest.h>

#include <algorithm>

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "KeyInput.h"
#include "NeighbourRows.h"
#include "TestEnvironment.h"
#include "frmFormNote.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "vb/Conversions.h"

namespace {

using vb::Variant;

class FormNotes : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    // The tax form's own parameters object: the county office of Alder County.
    taxForm_.CountyID = 61;
    taxForm_.DistrictID = 10610;
    taxForm_.SchoolId = 0;
    taxForm_.ReportYear = 2019;
    taxForm_.ReportPeriod = 2;
    taxForm_.formname = "Tax";
    taxForm_.FormDisplayName = "Tax";
    taxForm_.FiscalYearText = "FY 2019-20";
    taxForm_.PeriodText = "P-2";
    taxForm_.CountyName = "Alder County";
    taxForm_.DistrictName = "Alder County Office of Education";
    db_ = OpenDatabase();
    frmFormNote::Install();
  }

  void TearDown() override {
    modMain::SetFormNoteWindow(nullptr);
    frmFormNote::ReleaseShared();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    db_.reset();
    ProgramTest::TearDown();
  }

  // Opens the notes window as the tax form's "Add Note" does, and lets
  // `user` play the user while it is shown.
  void OpenNotes(const std::function<void(frmFormNote&)>& user) {
    dialogs_.AnswerModal([&](QWidget& window) {
      user(dynamic_cast<frmFormNote&>(window));
      return 0;
    });
    modMain::ShowFormNote(taxForm_);
  }

  void AddTaxRow() {
    db_->Execute(
        "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
        "RES_SCHOOL_DISTRICT_ID) VALUES (2019, 2, 61, 10610, 0, 61, 61001)");
  }

  void StoreNote(const std::string& note) {
    db_->Execute(
        "INSERT INTO TORB_FORM_NOTES (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, FORM_NAME, "
        "FORM_NOTE) VALUES (61, 10610, 0, 2019, 2, 'Tax', ?)",
        {Variant(note)});
  }

  // The stored notes of the agency: form name and note per row.
  std::vector<std::pair<std::string, std::string>> StoredNotes() {
    auto rs = db::Recordset::Query(
        "SELECT FORM_NAME, FORM_NOTE FROM TORB_FORM_NOTES WHERE COUNTY_ID = 61 AND SCHOOL_DISTRICT_ID = 10610 "
        "AND SCHOOL_ID = 0 AND FISCAL_YEAR = 2019 AND PERIOD_ID = 2",
        db_);
    std::vector<std::pair<std::string, std::string>> notes;
    for (; !rs->Eof(); rs->MoveNext())
      notes.emplace_back(vb::TextOf(rs->Value("FORM_NAME")), vb::TextOf(rs->Value("FORM_NOTE")));
    return notes;
  }

  static void Type(frmFormNote& window, const char* text) { window.txtformnote->setPlainText(text); }
  static std::string Box(frmFormNote& window) { return window.txtformnote->toPlainText().toStdString(); }

  void ExpectInformation(const std::string& text) {
    EXPECT_EQ(dialogs_.LastPrompt().text, text);
    EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbInformation);
    EXPECT_EQ(dialogs_.LastPrompt().title, "Levrona");
  }

  clsGlobalParam taxForm_;
  db::ConnectionPtr db_;
};

TEST_F(FormNotes, WithoutTaxRowsSaveIsRefusedAndClosingDoesNotAskAgain) {
  OpenNotes([&](frmFormNote& window) {
    Type(window, "  waiting for the auditor ");
    dialogs_.AnswerMsgBox(ui::vbOK);
    window.cmdSave_Click();
    ExpectInformation("Cannot save now!");
    EXPECT_EQ(Box(window), "  waiting for the auditor ");
    // The refusal moved the baseline: Cancel puts back the refused text.
    Type(window, "something else");
    window.cmdCancel_Click();
    EXPECT_EQ(Box(window), "waiting for the auditor");
    window.close();  // the close box: nothing to ask
  });
  EXPECT_TRUE(StoredNotes().empty());
  dialogs_.ExpectAllUsed();
}

TEST_F(FormNotes, FirstSaveAddsTheNoteLaterSavesUpdateIt) {
  AddTaxRow();
  OpenNotes([&](frmFormNote& window) {
    EXPECT_EQ(window.windowTitle().toStdString(),
              "Notes for Tax \\ FY 2019-20 \\ P-2 \\ Alder County \\ Alder County Office of Education");
    Type(window, "  first draft  ");
    dialogs_.AnswerMsgBox(ui::vbOK);
    window.cmdSave_Click();
    ExpectInformation("Notes saved");
    EXPECT_EQ(StoredNotes(), (std::vector<std::pair<std::string, std::string>>{{"Tax", "first draft"}}));
    Type(window, "The auditor's figures arrived\non Monday");
    dialogs_.AnswerMsgBox(ui::vbOK);
    window.cmdSave_Click();
    window.cmdClose_Click();  // saved: nothing to ask
  });
  EXPECT_EQ(StoredNotes(),
            (std::vector<std::pair<std::string, std::string>>{{"Tax", "The auditor's figures arrived\non Monday"}}));
  dialogs_.ExpectAllUsed();
}

// Alt with a letter is no typing, whether or not a button owns it; Enter
// still breaks the line.
TEST_F(FormNotes, KeysWithAltTypeNothingIntoTheNote) {
  AddTaxRow();
  OpenNotes([&](frmFormNote& window) {
    QPlainTextEdit& box = *window.txtformnote;
    fixtures::Type(box, "abc");
    for (int key : {Qt::Key_K, Qt::Key_X, Qt::Key_Q})
      fixtures::Key(box, key, QString(QChar(key).toLower()), Qt::AltModifier);
    fixtures::Key(box, Qt::Key_Return, "\r");
    fixtures::Type(box, "d");
    dialogs_.AnswerMsgBox(ui::vbOK);
    window.cmdSave_Click();
    window.cmdClose_Click();
  });
  EXPECT_EQ(StoredNotes(), (std::vector<std::pair<std::string, std::string>>{{"Tax", "abc\nd"}}));
  dialogs_.ExpectAllUsed();
}

TEST_F(FormNotes, CloseReleasesTheSharedWindowOtherClosingKeepsIt) {
  StoreNote("kept");
  QPointer<frmFormNote> first;
  OpenNotes([&](frmFormNote& window) {
    first = &window;
    EXPECT_EQ(Box(window), "kept");
    window.close();
  });
  EXPECT_EQ(frmFormNote::SharedIfAny(), first.data());
  OpenNotes([&](frmFormNote& window) {
    EXPECT_EQ(&window, first.data());
    EXPECT_EQ(Box(window), "kept");
    window.cmdClose_Click();
  });
  EXPECT_EQ(frmFormNote::SharedIfAny(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  OpenNotes([&](frmFormNote& window) {
    EXPECT_EQ(Box(window), "kept");
    window.cmdClose_Click();
  });
}

TEST_F(FormNotes, CloseWithAnEmptiedBoxKeepsTheNoteTheCloseBoxOffersToSaveIt) {
  AddTaxRow();
  StoreNote("stored note");
  OpenNotes([&](frmFormNote& window) {
    Type(window, "   ");
    window.cmdClose_Click();  // puts the note back; nothing to ask
  });
  EXPECT_EQ(StoredNotes()[0].second, "stored note");

  OpenNotes([&](frmFormNote& window) {
    Type(window, "");
    dialogs_.AnswerMsgBox(ui::vbYes);
    window.close();
  });
  EXPECT_EQ(dialogs_.LastPrompt().text, "Do you want to save the data?");
  EXPECT_EQ(dialogs_.LastPrompt().title, "Save Data?");
  EXPECT_EQ(dialogs_.LastPrompt().style, 292);
  EXPECT_EQ(StoredNotes(), (std::vector<std::pair<std::string, std::string>>{{"Tax", ""}}));
  dialogs_.ExpectAllUsed();
}

TEST_F(FormNotes, ClosingPromptAsksOnlyForARealChange) {
  AddTaxRow();
  StoreNote("stored note");
  struct Case {
    const char* box;
    std::optional<int> answer;  // none: no question
    const char* stored;
  };
  const Case cases[] = {
      {"  stored note ", std::nullopt, "stored note"},  // blanks around it are no change
      {"Stored note", ui::vbNo, "stored note"},         // case counts
      {"new note  ", ui::vbYes, "new note"},
  };
  for (const Case& c : cases) {
    dialogs_.ClearPrompts();
    if (c.answer) dialogs_.AnswerMsgBox(*c.answer);
    OpenNotes([&](frmFormNote& window) {
      Type(window, c.box);
      window.close();
    });
    EXPECT_EQ(dialogs_.Prompts().size(), c.answer ? 2u : 1u) << c.box;  // the window, then the question
    EXPECT_EQ(StoredNotes()[0].second, c.stored) << c.box;
  }
  dialogs_.ExpectAllUsed();
}

TEST_F(FormNotes, ClosingPromptYesWithoutTaxRowsRefusesAndStillCloses) {
  OpenNotes([&](frmFormNote& window) {
    Type(window, "note");
    dialogs_.AnswerMsgBox(ui::vbYes);
    dialogs_.AnswerMsgBox(ui::vbOK);
    window.close();
    EXPECT_FALSE(window.Loaded());
  });
  ExpectInformation("Cannot save now!");
  EXPECT_TRUE(StoredNotes().empty());
  dialogs_.ExpectAllUsed();
}

TEST_F(FormNotes, DeleteAsksUnlessTheBoxIsEmpty) {
  AddTaxRow();
  StoreNote("");
  OpenNotes([&](frmFormNote& window) {
    dialogs_.AnswerMsgBox(ui::vbOK);
    window.cmdDelete_Click();
    ExpectInformation("Nothing to delete");
    EXPECT_EQ(StoredNotes().size(), 1u);

    Type(window, "   ");
    dialogs_.AnswerMsgBox(ui::vbNo);
    window.cmdDelete_Click();
    EXPECT_EQ(StoredNotes().size(), 1u);
    EXPECT_EQ(Box(window), "   ");

    dialogs_.AnswerMsgBox(ui::vbYes);
    window.cmdDelete_Click();
    EXPECT_EQ(dialogs_.LastPrompt().text,
              "If you click yes you won't be able to undo this Delete Operation. Are you sure you want to delete "
              "these Notes ?");
    EXPECT_EQ(dialogs_.LastPrompt().style, 324);
    EXPECT_EQ(dialogs_.LastPrompt().title, "Levrona");
    EXPECT_TRUE(StoredNotes().empty());
    EXPECT_EQ(Box(window), "");

    // A save after the delete adds the note again.
    Type(window, "again");
    dialogs_.AnswerMsgBox(ui::vbOK);
    window.cmdSave_Click();
    window.cmdClose_Click();
  });
  EXPECT_EQ(StoredNotes(), (std::vector<std::pair<std::string, std::string>>{{"Tax", "again"}}));
  dialogs_.ExpectAllUsed();
}

// Notes and tax rows of another year (earlier and later), period, agency or
// form stand ahead of the agency's own: the window neither shows nor
// changes them, and their rows do not let a note be saved.
TEST_F(FormNotes, NotesAndRowsOfOtherYearsPeriodsAndAgenciesAreLeftAlone) {
  StoreNote("ours");
  AddTaxRow();
  const fixtures::Cells own = {{"FISCAL_YEAR", Variant(2019)}, {"PERIOD_ID", Variant(2)},
                               {"SCHOOL_DISTRICT_ID", Variant(10610)}, {"FORM_NAME", Variant("Tax")}};
  auto other = [](const char* column, const Variant& value) {
    return fixtures::Cells{{column, value}, {"FORM_NOTE", Variant(std::string("the note of another ") + column)}};
  };
  fixtures::AddNeighbours(*db_, {{"TORB_FORM_NOTES", own, other("FISCAL_YEAR", Variant(2018))},
                                 {"TORB_FORM_NOTES", own, other("FISCAL_YEAR", Variant(2020))},
                                 {"TORB_FORM_NOTES", own, other("PERIOD_ID", Variant(1))},
                                 {"TORB_FORM_NOTES", own, other("SCHOOL_DISTRICT_ID", Variant(61001))},
                                 {"TORB_FORM_NOTES", own, other("FORM_NAME", Variant("TaxMisc"))},
                                 {"Tax", {{"FISCAL_YEAR", Variant(2019)}}, {{"FISCAL_YEAR", Variant(2018)}}},
                                 {"Tax", {{"FISCAL_YEAR", Variant(2019)}}, {{"PERIOD_ID", Variant(1)}}}});
  // The agency's tax note, the only one of its year and period on the tax form.
  auto TaxNote = [&]() -> std::optional<std::string> {
    std::optional<std::string> note;
    for (const auto& [form, text] : StoredNotes()) {
      if (form != "Tax") continue;
      EXPECT_FALSE(note) << "a second tax note";
      note = text;
    }
    return note;
  };
  auto neighbours = [&] {
    return vb::TextOf(db_->Scalar(
        "SELECT group_concat(FORM_NOTE, '; ') FROM (SELECT FORM_NOTE FROM TORB_FORM_NOTES WHERE FORM_NOTE LIKE"
        " 'the note of another %' ORDER BY FORM_NOTE)"));
  };
  const std::string before = neighbours();
  ASSERT_EQ(std::count(before.begin(), before.end(), ';'), 4);

  // Without the agency's own tax row of the year and period, no note is saved.
  db_->Execute("DELETE FROM Tax WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2");
  OpenNotes([&](frmFormNote& window) {
    EXPECT_EQ(Box(window), "ours");
    Type(window, "edited");
    dialogs_.AnswerMsgBox(ui::vbOK);
    window.cmdSave_Click();
    ExpectInformation("Cannot save now!");
    window.close();
  });
  AddTaxRow();
  OpenNotes([&](frmFormNote& window) {
    EXPECT_EQ(Box(window), "ours");
    Type(window, "edited");
    dialogs_.AnswerMsgBox(ui::vbOK);
    window.cmdSave_Click();
    EXPECT_EQ(TaxNote(), "edited");
    dialogs_.AnswerMsgBox(ui::vbYes);
    window.cmdDelete_Click();
    window.cmdClose_Click();
  });
  EXPECT_EQ(TaxNote(), std::nullopt);
  EXPECT_EQ(neighbours(), before);
  dialogs_.ExpectAllUsed();
}

TEST_F(FormNotes, DeleteBeforeAnyNoteClearsTheBoxWithoutAWord) {
  OpenNotes([&](frmFormNote& window) {
    Type(window, "draft");
    dialogs_.AnswerMsgBox(ui::vbYes);
    window.cmdDelete_Click();
    EXPECT_EQ(Box(window), "");
    EXPECT_EQ(dialogs_.Prompts().size(), 2u);  // the window and the question only
    window.close();                            // the baseline is "": nothing to ask
  });
  dialogs_.ExpectAllUsed();
}

TEST_F(FormNotes, PeriodOutsideOneToThreeIsBroughtInInTheOpenersObject) {
  const std::pair<int, int> cases[] = {{5, 3}, {0, 1}, {-2, 1}, {2, 2}};
  for (const auto& [given, kept] : cases) {
    taxForm_.ReportPeriod = given;
    OpenNotes([](frmFormNote& window) { window.close(); });
    EXPECT_EQ(taxForm_.ReportPeriod, kept) << given;
  }
}

TEST_F(FormNotes, EachEntryScreenNeedsItsOwnDataBeforeANoteIsSaved) {
  // A data row of the agency's county and district, but of another school.
  const char* kOtherSchool = "6100103";
  struct Case {
    const char* formName;
    std::string dataRow;
    bool saved;
  };
  const Case cases[] = {
      {"tax", "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
              "RES_SCHOOL_DISTRICT_ID) VALUES (2019, 2, 61, 10610, " + std::string(kOtherSchool) + ", 0, 0)", true},
      {"TaxMisc", "INSERT INTO TAXMISC (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
                  "RES_SCHOOL_DISTRICT_ID) VALUES (2019, 2, 61, 10610, " + std::string(kOtherSchool) + ", 0, 0)", true},
      {"ATT_SD", "INSERT INTO ATT_SD (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID) "
                 "VALUES (2019, 2, 61, 10610, " + std::string(kOtherSchool) + ")", true},
      // Spelled otherwise, the name falls under the school rule.
      {"att_sd", "INSERT INTO ATT_SD (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID) "
                 "VALUES (2019, 2, 61, 10610, " + std::string(kOtherSchool) + ")", false},
      {"GATE", "INSERT INTO GATE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID) "
               "VALUES (2019, 2, 61, 10610, " + std::string(kOtherSchool) + ")", false},
      {"GATE", "INSERT INTO GATE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID) "
               "VALUES (2019, 2, 61, 10610, 0)", true},
      // The block-grant screens look in their shared table, by school.
      {"AttCsEhs", "INSERT INTO ATTCSBGCOE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO) "
                   "VALUES (2019, 2, 61, 10610, 0, 43)", true},
      {"ATTCSSBC", "INSERT INTO ATTCSBGCOE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO) "
                   "VALUES (2019, 2, 61, 10610, " + std::string(kOtherSchool) + ", 43)", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.formName) + ": " + c.dataRow);
    db_->Execute("DELETE FROM TORB_FORM_NOTES");
    for (const char* table : {"Tax", "TAXMISC", "ATT_SD", "GATE", "ATTCSBGCOE"}) db_->Execute(std::string("DELETE FROM ") + table);
    db_->Execute(c.dataRow);
    taxForm_.formname = c.formName;
    OpenNotes([&](frmFormNote& window) {
      Type(window, "note");
      dialogs_.AnswerMsgBox(ui::vbOK);
      window.cmdSave_Click();
      window.cmdClose_Click();
    });
    EXPECT_EQ(dialogs_.LastPrompt().text, c.saved ? "Notes saved" : "Cannot save now!");
    EXPECT_EQ(StoredNotes().size(), c.saved ? 1u : 0u);
  }
  dialogs_.ExpectAllUsed();
}

}  // namespace
