// Moving values between an entry screen's field controls and the fields of
// its record set, by the controls' names and tags.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include "FakeControl.h"
#include "TestEnvironment.h"
#include "modCOE.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

using fixtures::FakeControl;

class BindingTest : public ProgramTest {
 protected:
  db::RecordsetPtr Row() {
    auto rs = db::Recordset::Create();
    rs->AppendField("Secured", db::DataType::Currency);
    rs->AppendField("Explanation", db::DataType::LongVarWChar);
    rs->AppendField("Flag", db::DataType::SmallInt);
    rs->AppendField("Kind", db::DataType::VarWChar, 20);
    rs->AppendField("Code", db::DataType::VarWChar, 20);
    rs->AppendField("Skip", db::DataType::Integer);
    rs->AppendField("OPEN_DATE", db::DataType::VarWChar, 20);
    rs->AppendField("CLOSE_DATE", db::DataType::VarWChar, 20);
    rs->Open();
    rs->AddNew();
    return rs;
  }
};

TEST_F(BindingTest, SavingMovesEachBoundControlByItsTag) {
  struct Case {
    const char* name;
    const char* tag;
    Variant text;
    Variant value;
    const char* column;
    Variant stored;  // Empty: the field is left alone
  };
  const std::vector<Case> cases = {
      {"txtSecured", "", Variant("1,500"), Variant(0), "Secured", Variant(vb::Currency{15000000})},
      {"txtSecured", "disabled", vb::Null, Variant(0), "Secured", Variant(vb::Currency{0})},
      {"txtExplanation", "EXPLAIN", Variant("   late roll "), Variant(0), "Explanation", Variant("late roll ")},
      {"txtExplanation", "EXPLAIN", vb::Null, Variant(0), "Explanation", Variant(" ")},
      {"txtExplanation", "EXPLAIN", Variant(""), Variant(0), "Explanation", Variant(" ")},  // an empty text box
      {"txtExplanation", "EXPLAIN", Variant(" "), Variant(0), "Explanation", Variant(" ")},  // the stored blank, shown again
      {"txtExplanation", "EXPLAIN", Variant("   "), Variant(0), "Explanation", Variant(" ")},
      {"txtFlag", "chk", Variant(""), Variant(1), "Flag", Variant(static_cast<std::int16_t>(1))},
      {"txtFlag", "chk", Variant(""), Variant(2), "Flag", Variant(static_cast<std::int16_t>(0))},
      {"txtKind", "cbo", Variant("High"), Variant(0), "Kind", Variant("High")},
      {"txtSkip", "I", Variant("42"), Variant(0), "Skip", Variant()},
      {"txtDUMMY2", "", Variant("9"), Variant(0), "Skip", Variant()},
      {"TXTSkip", "", Variant("9"), Variant(0), "Skip", Variant()},
      {"lblSecured", "", Variant("9"), Variant(0), "Secured", Variant()},
      {"txtFlag", "Chk", Variant("5"), Variant(1), "Flag", Variant(static_cast<std::int16_t>(5))},  // tags keep their case
  };
  for (const Case& c : cases) {
    auto rs = Row();
    FakeControl control(c.name, c.tag, c.text, c.value);
    modCOE::SetValuesInRs(*rs, {&control});
    const Variant stored = rs->Value(c.column);
    if (c.stored.IsEmpty())
      EXPECT_TRUE(stored.IsNull()) << c.name << " must be left alone";
    else
      EXPECT_TRUE(stored.Identical(c.stored)) << c.name << "/" << c.tag << ": " << vb::TextOf(stored);
  }
}

TEST_F(BindingTest, LoadingAndClearingShowValuesByTagAndDateMask) {
  struct Case {
    const char* name;
    const char* tag;
    Variant field;          // the value in the row
    const char* shown;      // the control's text after loading ("" with checkValue for check boxes)
    const char* cleared;    // the control's text after clearing
  };
  const std::vector<Case> cases = {
      {"txtSecured", "", Variant(1500), "1500", "0"},
      {"txtSecured", "", vb::Null, "0", "0"},
      {"txtExplanation", "EXPLAIN", Variant(" note "), " note ", ""},
      {"txtExplanation", "EXPLAIN", vb::Null, "", ""},
      {"txtCode", "Z", Variant("  AB  "), "AB", ""},
      {"txtKind", "cbo", Variant(" High "), "High", "(unchanged)"},
      {"txtOPEN_DATE", "Z", Variant("  /  /    "), "__/__/____", "__/__/____"},
      {"txtOPEN_DATE", "Z", vb::Null, "__/__/____", "__/__/____"},
      {"txtCLOSE_DATE", "", Variant("  /  /    "), "/  /", "0"},
      {"txtCLOSE_DATE", "", Variant(""), "__/__/____", "0"},
      {"txtCLOSE_DATE", "", vb::Null, "", "0"},
      {"txtCLOSE_DATE", "", Variant(" 7/1/2019 "), "7/1/2019", "0"},
      {"txtSkip", "I", Variant(5), "(unchanged)", "0"},
      {"txtCLOSE_DATE", "I", Variant(" 7/1/2019 "), "7/1/2019", "0"},  // dates load by the date rules, whatever the tag
  };
  for (const Case& c : cases) {
    auto rs = Row();
    const std::string column = std::string(c.name).substr(3);
    rs->SetValue(column, c.field);
    FakeControl control(c.name, c.tag, Variant("(unchanged)"));
    modCOE::SetValuesFromRs(*rs, {&control}, false);
    EXPECT_EQ(vb::TextOf(control.text_), c.shown) << "loading " << c.name << "/" << c.tag;
    control.text_ = Variant("(unchanged)");
    modCOE::SetValuesFromRs(*rs, {&control}, true);
    EXPECT_EQ(vb::TextOf(control.text_), c.cleared) << "clearing " << c.name << "/" << c.tag;
  }

  // Check boxes and lists move through their own properties.
  auto rs = Row();
  rs->SetValue("Flag", 1);
  FakeControl check("txtFlag", "chk");
  FakeControl list("txtKind", "cbo");
  modCOE::SetValuesFromRs(*rs, {&check, &list}, false);
  EXPECT_EQ(vb::CLng(check.value_), 1);
  modCOE::SetValuesFromRs(*rs, {&check, &list}, true);
  EXPECT_EQ(vb::CLng(check.value_), 0);
  EXPECT_EQ(list.listIndex_, -1);

  // Clearing never reads the record set, so it works with no current row.
  auto empty = Row();
  empty->CancelUpdate();
  FakeControl amount("txtSecured", "", Variant("12"));
  modCOE::SetValuesFromRs(*empty, {&amount}, true);
  EXPECT_EQ(vb::TextOf(amount.text_), "0");
}

TEST_F(BindingTest, AControlWithoutItsColumnIsReportedAndTheRestStillMoves) {
  auto rs = Row();
  FakeControl bare("txt", "", Variant("1"));  // bound to a column with no name
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  modCOE::SetValuesFromRs(*rs, {&bare}, false);
  FakeControl stray("txtNoSuchColumn", "", Variant("1"));
  FakeControl good("txtSecured", "", Variant("12"));
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  modCOE::SetValuesInRs(*rs, {&stray, nullptr, &good});  // a control that is not set: error 91
  EXPECT_EQ(vb::CStr(rs->Value("Secured")), "12");
  EXPECT_NE(dialogs_.LastPrompt().text.find("Error No: 91"), std::string::npos);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: SetValuesInRs"), std::string::npos);
  dialogs_.ExpectAllUsed();
}

TEST_F(BindingTest, QtControlsBindByObjectNameAndTag) {
  QWidget form;
  auto* secured = new QLineEdit(&form);
  secured->setObjectName("txtSecured");
  auto* flag = new QCheckBox(&form);
  flag->setObjectName("txtFlag");
  flag->setProperty("tag", "chk");
  auto* kind = new QComboBox(&form);
  kind->setObjectName("txtKind");
  kind->setProperty("tag", "cbo");
  kind->addItems({"Elementary", "High"});

  auto rs = Row();
  rs->SetValue("Secured", 2500);
  rs->SetValue("Flag", 1);
  rs->SetValue("Kind", Variant("High"));
  QtBoundControls controls(form);
  modCOE::SetValuesFromRs(*rs, controls.Controls(), false);
  EXPECT_EQ(secured->text(), "2500");
  EXPECT_TRUE(flag->isChecked());
  EXPECT_EQ(kind->currentText(), "High");

  secured->setText("3,000");
  flag->setChecked(false);
  modCOE::SetValuesInRs(*rs, controls.Controls());
  EXPECT_EQ(vb::CStr(rs->Value("Secured")), "3000");
  EXPECT_EQ(vb::CLng(rs->Value("Flag")), 0);
  modCOE::SetValuesFromRs(*rs, controls.Controls(), true);
  EXPECT_EQ(kind->currentIndex(), -1);
}

}  // namespace
