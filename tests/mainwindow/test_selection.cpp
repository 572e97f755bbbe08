// Selecting agencies and entry screens in the main window, and what the
// window hands to its batch commands: the selection check, the selected
// agencies and entry screens, the return to saved rows, and the whole scope
// of a logon.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <functional>
#include <QTest>

#include "MainWindowFixture.h"
#include "modGlobals.h"
#include "vb/Conversions.h"

namespace {

using Names = std::vector<std::string>;

// Every row of an array, each as its elements joined by "/".
Names RowsOf(const SelectionArray& array) {
  Names rows;
  if (array.Dimensions() != 2) return rows;
  for (int row = 0; row <= array.UBound(2); ++row) {
    std::string text;
    for (const std::string& element : array.Row(row)) text += (text.empty() ? "" : "/") + element;
    rows.push_back(text);
  }
  return rows;
}

// "county-district-school" of each row of an agency array.
Names AgenciesOf(const SelectionArray& array) {
  Names keys;
  if (array.Dimensions() != 2) return keys;
  for (int row = 0; row <= array.UBound(2); ++row)
    keys.push_back(array.At(4, row) + "-" + array.At(0, row) + "-" + std::to_string(vb::CLng(array.At(1, row))));
  return keys;
}

void ExpectEmptyResult(const SelectionArray& array) {
  EXPECT_EQ(array.Dimensions(), 1);
  EXPECT_EQ(array.UBound(1), 0);
  EXPECT_EQ(array.At(0, 0), "");
}

// --- Flags --------------------------------------------------------------------------

TEST_F(MainWindowTest, AFirstColumnClickFlipsTheAgencysFlagAndStoresItAtOnce) {
  // A county office looking at SELPAs: six agencies.
  Execute("UPDATE KRN_LEAS SET SELECTED = 'No' WHERE SCHOOL_DISTRICT_ID = 71005 AND COUNTY_ID = 7;"
          "UPDATE KRN_LEAS SET SELECTED = 'YES' WHERE SCHOOL_DISTRICT_ID = 10070;"
          "UPDATE KRN_LEAS SET SELECTED = NULL WHERE SCHOOL_DISTRICT_ID = 71001;"
          "UPDATE KRN_LEAS SET SELECTED = 'yes' WHERE SCHOOL_DISTRICT_ID = 71002 AND COUNTY_ID = 7;");
  LogOn({});
  modGlobals::gobjGlobalParam->UserGroup = 5;
  frmMain& w = Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  ui::DataGrid& grid = *w.dgLEA;
  auto flag = [&](const char* agency) {
    return Scalar(std::string("SELECT SELECTED FROM KRN_LEAS WHERE FISCAL_YEAR = 2019 AND COUNTY_ID = 7 AND "
                              "SCHOOL_DISTRICT_ID = ") + agency);
  };
  struct Case {
    int row;
    const char* agency;
    const char* once;
    const char* twice;
  };
  const Case cases[] = {
      {0, "71005", "Yes", "No"},
      {1, "10070", "Yes", "No"},
      {2, "71001", "Yes", "No"},
      {3, "71002", "Yes", "No"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.agency);
    ClickCell(grid, c.row, 0);
    EXPECT_EQ(flag(c.agency), c.once);
    EXPECT_EQ(w.dgLEARowValue, c.row);
    EXPECT_EQ(w.dgLEAColValue, 0);
    EXPECT_EQ(grid.DataSource()->AbsolutePosition(), c.row + 1);
    ClickCell(grid, c.row, 0);
    EXPECT_EQ(flag(c.agency), c.twice);
  }
  EXPECT_EQ(grid.Columns("COUNTY_ID").Text(), "07") << "the grid is laid out again";

  // Another column changes no flag.
  ClickCell(grid, 1, grid.ColumnIndex("DISTRICT_NAME"));
  EXPECT_EQ(flag("10070"), "No");

  // A first-column click right after the row's record selector flips too.
  ClickCell(grid, 2, 0);
  ClickRecordSelector(grid, 2);
  ClickCell(grid, 2, 0);
  EXPECT_EQ(flag("71001"), "No");

  // A press on the headings keeps the agency row; on the entry-screen
  // grid it stores -1.
  QHeaderView& headings = *grid.horizontalHeader();
  QTest::mouseClick(headings.viewport(), Qt::LeftButton, {}, QPoint(headings.sectionViewportPosition(0) + 4, 4));
  EXPECT_EQ(w.dgLEARowValue, 2);
  w.dgFormsRowValue = 5;
  w.dgForms_MouseDown(1, 0, 40, 2);
  EXPECT_EQ(w.dgFormsRowValue, -1);
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(MainWindowTest, ARecordSelectorClickTakesTheAgencyUpAndEnablesItsEntryScreens) {
  UseFormCatalogue();
  LogOn(As(3, 7, 71002));
  modGlobals::gobjGlobalParam->UserGroup = 4;
  frmMain& w = Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  ASSERT_FALSE(w.dgForms->isEnabled());
  w.Menus().Item("mnuPeriod").Enabled(false);
  w.Menus().Item("mnuNew_Print").Enabled(false);

  ClickRecordSelector(*w.dgLEA, 1);

  const clsGlobalParam& P = *modGlobals::gobjGlobalParam;
  EXPECT_TRUE(w.dgForms->isEnabled());
  EXPECT_TRUE(w.cmdSelection[0]->isEnabled());
  EXPECT_TRUE(w.cmdSelection[1]->isEnabled());
  EXPECT_EQ(modGlobals::gintSavedLEARow, 2);
  EXPECT_EQ(P.SchoolId, 7100202);
  EXPECT_EQ(modGlobals::glngClickedSchoolID, 7100202);
  EXPECT_EQ(P.SchoolName, "Cove Charter");
  EXPECT_EQ(P.LocCountyID, 7);
  EXPECT_TRUE(w.Menus().Item("mnuPeriod").Enabled());
  EXPECT_TRUE(w.Menus().Item("mnuNew_Print").Enabled());
  ASSERT_EQ(ListedForms(), (std::vector<int>{41, 50, 45}));
  EXPECT_EQ(w.FormList()->AbsolutePosition(), 1);

  // A district's row (school 0) leaves no school name.
  modGlobals::gobjGlobalParam->UserGroup = 3;
  w.RefreshLEAs();
  ClickRecordSelector(*w.dgLEA, 0);
  EXPECT_EQ(modGlobals::glngClickedSchoolID, 0);
  EXPECT_EQ(P.SchoolName, "");
  EXPECT_EQ(modGlobals::gintSavedLEARow, 1);
}

TEST_F(MainWindowTest, SelectAllAndDeselectAllWriteTheListedFormsWhateverTheirFlag) {
  UseFormCatalogue();
  Execute("UPDATE VHO_TORB_FORMS SET SELECTED = NULL WHERE FORM_NO = 29;"
          "UPDATE VHO_TORB_FORMS SET SELECTED = 'YES' WHERE FORM_NO = 27;");
  LogOn({});
  frmMain& w = Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  ClickRecordSelector(*w.dgLEA, 0);
  ASSERT_EQ(ListedForms(), (std::vector<int>{29, 27}));
  w.FormList()->MoveLast();
  auto flags = [&] {
    return Scalar("SELECT group_concat(FORM_NO || ':' || IFNULL(SELECTED, 'Null'), ' ') FROM "
                  "(SELECT * FROM VHO_TORB_FORMS WHERE FORM_NO IN (27, 29, 30) ORDER BY FORM_NO)");
  };

  QTest::mouseClick(w.cmdSelection[0], Qt::LeftButton);
  EXPECT_EQ(flags(), "27:YES 29:Yes 30:No") << "a flag already set stays as it reads";
  EXPECT_EQ(w.FormList()->AbsolutePosition(), 1);
  EXPECT_TRUE(w.isEnabled());

  Execute("UPDATE VHO_TORB_FORMS SET SELECTED = NULL WHERE FORM_NO = 27");
  w.Refresh_Forms_By_Category();
  QTest::mouseClick(w.cmdSelection[1], Qt::LeftButton);
  EXPECT_EQ(flags(), "27:No 29:No 30:No");
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(MainWindowTest, SelectAllOfTheAgenciesKeepsTheCurrentRow) {
  Execute("UPDATE KRN_LEAS SET SELECTED = NULL WHERE SCHOOL_DISTRICT_ID = 71001");
  LogOn({});
  modGlobals::gobjGlobalParam->UserGroup = 5;
  frmMain& w = Open();
  const db::RecordsetPtr list = w.dgLEA->DataSource();
  list->AbsolutePosition(5);
  const clsGlobalParam& P = *modGlobals::gobjGlobalParam;
  ASSERT_EQ(P.DistrictID, 10080);
  int moves = 0;
  list->AddMoveHandler([&](db::Recordset&, db::MoveReason) {
    if (!w.mblnLEABathMode) ++moves;
  });

  w.cmdSelection_Click(2);
  EXPECT_EQ(list->AbsolutePosition(), 5);
  EXPECT_EQ(w.dgLEA->DataSource(), list) << "bound again";
  EXPECT_EQ(w.dgLEA->Row(), 4);
  EXPECT_FALSE(w.mblnLEABathMode);
  EXPECT_EQ(moves, 0) << "the walk makes no agency current";
  EXPECT_EQ(P.DistrictID, 10080);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM KRN_LEAS WHERE SELECTED = 'Yes'"), "6") << "the listed agencies only";

  w.cmdSelection_Click(3);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM KRN_LEAS WHERE SELECTED = 'Yes'"), "0");
  EXPECT_DOUBLE_EQ(w.dgLEA->Columns("CORRECTED").Width(), 0) << "laid out again";

  list->MoveFirst();
  w.cmdSelection_Click(2);
  EXPECT_EQ(list->AbsolutePosition(), 1);
}

TEST_F(MainWindowTest, AFlagThatCannotBeStoredIsReportedOnceAndTheOtherRowsGoOn) {
  UseFormCatalogue();
  struct Case {
    const char* what;
    std::int32_t kind;  // a county office shown county offices (entry screens 29, 27) or SELPAs
    const char* refusal;  // a trigger's table and condition
    std::function<void(frmMain&)> act;  // the refused change, then another
    const char* flags;  // a query of the stored flags afterwards
    const char* stored;
  };
  const char* const agencies =
      "SELECT group_concat(SCHOOL_DISTRICT_ID || ':' || SELECTED, ' ') FROM (SELECT * FROM KRN_LEAS"
      " WHERE FISCAL_YEAR = 2019 AND SCHOOL_DISTRICT_ID IN (10070, 71001, 71005) AND COUNTY_ID = 7"
      " ORDER BY SCHOOL_DISTRICT_ID)";
  const char* const forms =
      "SELECT group_concat(FORM_NO || ':' || SELECTED, ' ') FROM (SELECT * FROM VHO_TORB_FORMS"
      " WHERE FORM_NO IN (27, 29) ORDER BY FORM_NO)";
  const Case cases[] = {
      {"Select All of the agencies", 5, "KRN_LEAS WHEN NEW.SCHOOL_DISTRICT_ID = 71001",
       [](frmMain& w) { w.cmdSelection_Click(2); }, agencies, "10070:Yes 71001:No 71005:Yes"},
      {"Select All of the entry screens", 2, "VHO_TORB_FORMS WHEN NEW.FORM_NO = 29",
       [](frmMain& w) { w.cmdSelection_Click(0); }, forms, "27:Yes 29:No"},
      {"a flip of an agency", 5, "KRN_LEAS WHEN NEW.SCHOOL_DISTRICT_ID = 71001",
       [this](frmMain& w) {
         ClickCell(*w.dgLEA, 2, 0);
         ClickCell(*w.dgLEA, 1, 0);
       },
       agencies, "10070:Yes 71001:No 71005:No"},
      {"a flip of an entry screen", 2, "VHO_TORB_FORMS WHEN NEW.FORM_NO = 29",
       [this](frmMain& w) {
         ClickCell(*w.dgForms, FormRow(29), 0);
         ClickCell(*w.dgForms, FormRow(27), 0);
       },
       forms, "27:Yes 29:No"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Execute("DROP TRIGGER IF EXISTS refuse; UPDATE KRN_LEAS SET SELECTED = 'No'; UPDATE VHO_TORB_FORMS SET SELECTED = 'No'");
    LogOn({});
    modGlobals::gobjGlobalParam->UserGroup = c.kind;
    frmMain& w = Open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ClickRecordSelector(*w.dgLEA, 0);
    Execute(std::string("CREATE TRIGGER refuse BEFORE UPDATE OF SELECTED ON ") + c.refusal +
            " BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    dialogs_.ClearPrompts();
    dialogs_.AnswerMsgBox(ui::vbIgnore);
    c.act(w);
    EXPECT_EQ(dialogs_.Prompts().size(), 1u) << "one report";
    EXPECT_EQ(Scalar(c.flags), c.stored);
    EXPECT_TRUE(w.isEnabled());
    delete window_.data();
  }
}

// --- Gathering -----------------------------------------------------------------------

TEST_F(MainWindowTest, GetSelectedAnswersTheSelectedAgenciesOrTheCurrentAgencysCodes) {
  AddAgencies();
  struct Case {
    const char* what;
    Logon logon;
    std::int32_t kind;
    const char* selected;  // a KRN_LEAS condition, or nullptr
    Names rows;
  };
  const Case cases[] = {
      {"a selected district", As(3, 7, 61234), 3, "SCHOOL_DISTRICT_ID = 61234",
       {"61234/0000000/Birch Unified//7/No/3//"}},
      {"a charter logon without a selection", As(4, 7, 71002, 123), 4, nullptr, {"71002/123///7"}},
      {"another logon: the list's last row, school 0", As(3, 7, 71002), 4, nullptr, {"71002/0///7"}},
      {"the last of six agencies", As(2, 7, 10070), 5, nullptr, {"81001/0///8"}},
      {"selected SELPA rows carry their county", As(2, 7, 10070), 5, "SCHOOL_DISTRICT_ID IN (71001, 10080)",
       {"71001/0000000/Acorn Elementary//7/No/3/R7-02/7", "10080/0000000/Dune County Office of Education//8/No/2/R7-04/7"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Execute(std::string("UPDATE KRN_LEAS SET SELECTED = 'No';") +
            (c.selected ? std::string("UPDATE KRN_LEAS SET SELECTED = 'Yes' WHERE ") + c.selected : ""));
    LogOn(c.logon);
    modGlobals::gobjGlobalParam->UserGroup = c.kind;
    frmMain& w = Open();
    w.mintLEACount = 3;
    const SelectionArray agencies = w.GetSelected();
    EXPECT_EQ(RowsOf(agencies), c.rows);
    EXPECT_EQ(w.mintLEACount, 3 + static_cast<int>(c.rows.size()));
    EXPECT_TRUE(w.dgLEA->DataSource()->Eof()) << "the walk ends past the last row";
    delete window_.data();
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(MainWindowTest, WithNothingSelectedTheExportAndProgramGatheringAnswerTheEmptyResult) {
  UseFormCatalogue();
  LogOn({});
  frmMain& w = Open();
  w.mintLEACount = 2;
  w.mintProgramCount = 5;
  w.mblnLEABathMode = true;
  ExpectEmptyResult(w.GetExportSelected());
  EXPECT_EQ(w.mintLEACount, 2);
  ExpectEmptyResult(w.GetSelectedProgram());
  EXPECT_EQ(w.mintProgramCount, 0);
  EXPECT_FALSE(w.mblnLEABathMode);

  Execute("UPDATE VHO_TORB_FORMS SET SELECTED = 'yes' WHERE FORM_NO = 27; UPDATE KRN_LEAS SET SELECTED = 'Yes'");
  w.RefreshLEAs();
  EXPECT_EQ(RowsOf(w.GetSelectedProgram()), Names{"Screen EDS_CS/27/EDS_CS/No/1"});
  EXPECT_EQ(w.mintProgramCount, 1);
  EXPECT_TRUE(w.FormList()->Eof());
  EXPECT_EQ(RowsOf(w.GetExportSelected()), Names{"10070/0000000/Cedar County Office of Education//7/No/2/R7-01/"});
  EXPECT_EQ(w.mintLEACount, 3);
}

TEST_F(MainWindowTest, TheSelectionCheckAnswersByWhatIsSelectedAndTheBlankPrintingMarks) {
  UseFormCatalogue();
  struct Case {
    const char* what;
    bool checkLEA, checkProgram;
    bool agency, program;  // something selected
    const char* marked;    // a blank-printing item ticked, or ""
    bool answer;
    const char* message;   // "" for none
    std::int32_t noLEASelected;
  };
  const char* const leas = "Select one or more LEA(s) and try again";
  const char* const programs = "Select one or more program(s) and try again";
  const Case cases[] = {
      {"blank reports without an agency", true, true, false, true, "mnuNew_BlankReports", true, "", 1},
      {"blank certification without an agency", true, true, false, true, "mnunew_BlankCert", true, "", 1},
      {"blank reports without anything", true, true, false, false, "mnuNew_BlankReports", false, programs, 0},
      {"blank certification without anything", true, true, false, false, "mnunew_BlankCert", false, leas, 0},
      {"a command without an agency", true, true, false, true, "", false, leas, 0},
      {"a command without a program", true, true, true, false, "", false, programs, 0},
      {"the ASCII export without a program", true, true, true, false, "mnuNew_ExportASCII", false,
       "Select a program and try again", 0},
      {"the ASCII export without an agency", true, true, false, false, "mnuNew_ExportASCII", false, leas, 0},
      {"programs only, none selected", false, true, false, false, "", false, programs, 0},
      {"programs only, one selected", false, true, false, true, "", true, "", 0},
      {"both selected", true, true, true, true, "", true, "", 0},
  };
  // A district looking at its two charter schools, the second current.
  LogOn(As(3, 7, 71002));
  modGlobals::gobjGlobalParam->UserGroup = 4;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Execute(std::string("UPDATE KRN_LEAS SET SELECTED = '") + (c.agency ? "Yes" : "No") +
            "' WHERE SCHOOL_ID = 7100202; UPDATE VHO_TORB_FORMS SET SELECTED = '" + (c.program ? "YES" : "No") +
            "' WHERE FORM_NO = 41");
    frmMain& w = Open();
    w.dgLEA->DataSource()->AbsolutePosition(2);
    ASSERT_EQ(ListedForms(), (std::vector<int>{41, 50, 45}));
    if (*c.marked) w.Menus().Item(c.marked).Checked(true);
    if (*c.message) dialogs_.AnswerMsgBox(1);
    dialogs_.ClearPrompts();
    EXPECT_EQ(w.bSelectionMade(c.checkLEA, c.checkProgram), c.answer);
    EXPECT_EQ(w.mlngNoLEASelected, c.noLEASelected);
    if (*c.message) {
      ASSERT_EQ(dialogs_.Prompts().size(), 1u);
      EXPECT_EQ(dialogs_.LastPrompt().text, c.message);
      EXPECT_EQ(dialogs_.LastPrompt().style & 0x70, 64) << "information icon";
    } else {
      EXPECT_TRUE(dialogs_.Prompts().empty());
    }
    if (c.checkLEA) {
      EXPECT_EQ(w.dgLEA->DataSource()->AbsolutePosition(), 1) << "back where its copy stood";
    }
    delete window_.data();
  }
}

TEST_F(MainWindowTest, SyncRS2SavedValuesPutsBothListsBackOnTheSavedRows) {
  UseFormCatalogue();
  Execute("INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, CATEGORY, SELPA, REPORTING_PERIOD, FY_2019, OrderNo)"
          " VALUES (90, 'SECOSTPOOL', 'S', 'Y', 'P-2', 'Y', 81)");
  // A SELPA: six agencies, each with two SELPA forms.
  LogOn(As(5, 7, 71005, 0, "R7"));
  frmMain& w = Open();
  const db::RecordsetPtr agencies = w.dgLEA->DataSource();
  ASSERT_EQ(ListedForms(), (std::vector<int>{88, 90}));

  struct Case {
    std::int16_t agencyRow, formRow;
    long formPosition;
  };
  const Case cases[] = {{4, -3, 1}, {3, 2, 2}, {6, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.agencyRow);
    modGlobals::gintSavedLEARow = c.agencyRow;
    modGlobals::gintSavedFormRow = c.formRow;
    agencies->MoveFirst();
    EXPECT_TRUE(w.SyncRS2SavedValues());
    EXPECT_EQ(modGlobals::gintSavedFormRow, c.formPosition);
    EXPECT_EQ(agencies->AbsolutePosition(), c.agencyRow);
    EXPECT_EQ(w.FormList()->AbsolutePosition(), c.formPosition) << "on the saved row of the agency's new list";
    EXPECT_EQ(w.dgForms->DataSource(), w.FormList());
  }
  agencies->AbsolutePosition(4);

  // Agency row 0: the entry-screen list moves, the agency list cannot.
  modGlobals::gintSavedLEARow = 0;
  EXPECT_FALSE(w.SyncRS2SavedValues());
  EXPECT_TRUE(dialogs_.Prompts().empty());
  EXPECT_EQ(agencies->AbsolutePosition(), 4);

  // Both rows negative over an empty entry-screen list: one message.
  Execute("DELETE FROM VHO_TORB_FORMS WHERE FORM_NO IN (88, 90)");
  w.Refresh_Forms_By_Category();
  ASSERT_TRUE(ListedForms().empty());
  modGlobals::gintSavedLEARow = -1;
  modGlobals::gintSavedFormRow = -1;
  dialogs_.AnswerMsgBox(1);
  EXPECT_FALSE(w.SyncRS2SavedValues());
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.LastPrompt().text,
            "Select one or more LEA(s) and try again\rSelect one or more program(s) and try again");
  EXPECT_EQ(dialogs_.LastPrompt().style & 0x70, 48) << "exclamation icon";
  EXPECT_EQ(agencies->AbsolutePosition(), 4) << "nothing moves";
  EXPECT_EQ(modGlobals::gintSavedFormRow, -1);
}

// --- The whole scope ------------------------------------------------------------------

TEST_F(MainWindowTest, TheWholeScopeListsEveryOpenAgencyAndEntryScreenOfTheLogonGroup) {
  UseFormCatalogue();
  AddAgencies();
  struct Case {
    const char* who;
    Logon logon;
    Names agencies;  // county-district-school
    std::vector<int> forms;
  };
  const Case cases[] = {
      {"county office: its office, districts, charters and the agencies of its SELPA county",
       As(2, 7, 10070),
       {"7-10070-0", "8-10080-0", "7-61234-0", "7-71001-0", "7-71002-0", "8-81001-0", "7-71002-123",
        "7-71002-7100201", "7-71002-7100202", "7-71002-7100203", "7-71005-0"},
       {27, 29, 30, 31, 32, 89, 21, 23, 60, 48, 88}},
      {"SELPA unit district: its regions 01 and 02", As(3, 3, 31005, 0, "01", true),
       {"3-31001-0", "3-31005-0", "4-41001-0", "3-31005-3100501", "4-31005-0", "5-31005-0"},
       {21, 60, 41, 45, 50, 88}},
      {"district: its SELPA rows and charter schools", As(3, 7, 71002),
       {"7-71002-0", "7-71002-123", "7-71002-7100203"}, {21, 60, 41, 45, 50, 88}},
      {"charter school", As(4, 7, 71002, 123), {"7-71002-123"}, {48}},
      {"county auditor", As(7, 7, 10070), {"7-10070-0"}, {27, 29, 30, 31, 32}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.who);
    LogOn(c.logon);
    frmMain& w = Open();
    w.mintLEACount = 1;
    w.mintProgramCount = 1;
    const SelectionArray agencies = w.GetSelectedALL();
    EXPECT_EQ(AgenciesOf(agencies), c.agencies);
    EXPECT_EQ(w.mintLEACount, 1 + static_cast<int>(c.agencies.size()));
    const SelectionArray forms = w.GetSelectedProgramALL();
    std::vector<int> numbers;
    for (int row = 0; row <= forms.UBound(2); ++row) {
      numbers.push_back(vb::CLng(forms.At(1, row)));
      EXPECT_EQ(forms.At(3, row), "No");
    }
    EXPECT_EQ(numbers, c.forms);
    EXPECT_EQ(w.mintProgramCount, 1 + static_cast<int>(c.forms.size()));
    delete window_.data();
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(MainWindowTest, TheWholeScopeOfASelpaSpansYearsAndCountiesAndFillsEveryColumn) {
  UseFormCatalogue();
  AddAgencies();
  Execute("INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, SCHOOL_DISTRICT_NAME,"
          " LEA_TYPE, STAT_TYPE, SELPA_AU_REGION, SELPA_DISTRICTREGION) VALUES"
          " (2018, 3, 31001, 0, 'Quail Elementary', 3, 'OPEN', '01', '01-01')");
  LogOn(As(5, 4, 31005, 0, "01"));
  frmMain& w = Open();
  Names rows = RowsOf(w.GetSelectedALL());
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (Names{"31001/0000000/Quail Elementary//3/No/3/01-01/", "31001/0000000/Quail Elementary//3/No/3/01-01/3",
                         "31005/0000000/Sage SELPA//4/No/5/01-00/3", "31005/0000000/Sage Unified//3/No/3/01-05/3"}));
  EXPECT_EQ(RowsOf(w.GetSelectedProgramALL()), Names{"Screen SELPAADAALLOC/88/SELPAADAALLOC/No/6"});
}

TEST_F(MainWindowTest, AnEmptyWholeScopeAnswersTheEmptyResult) {
  UseFormCatalogue();
  LogOn(As(7, 6, 10060));
  frmMain& w = Open();
  ExpectEmptyResult(w.GetSelectedALL());
  EXPECT_EQ(w.mintLEACount, 0);
  Execute("DELETE FROM VHO_TORB_FORMS WHERE CATEGORY = 'T'");
  ExpectEmptyResult(w.GetSelectedProgramALL());
  EXPECT_EQ(w.mintProgramCount, 0);
}

}  // namespace
