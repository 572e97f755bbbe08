// The numeric field driven by name as a host drives it: its properties'
// checks, errors and modified flag, every member taking back what it
// gives, the methods and events, the stock mouse events, the creator by
// registered identifier and the about box.

#include "NumboxFixture.h"

#include "numbox/CNumAboutDlg.h"
#include "numbox/CalcEngine.h"
#include "numbox/NumMembers.h"
#include "numbox/NumModule.h"
#include "numbox/TypeLibrary.h"

#include <QIcon>
#include <QLabel>
#include <QMetaMethod>
#include <QSignalSpy>
#include <QTest>

#include <dlfcn.h>

namespace numbox::testing {
namespace {

using NumboxMembersTest = NumboxTest;

QPixmap Square() {
  QPixmap p(4, 4);
  p.fill(Qt::black);
  return p;
}

TEST_F(NumboxMembersTest, SetsCheckBeforeTheyStoreAndMarkTheFieldModified) {
  struct Case {
    const char* property;
    QVariant value;
    QVariant index;
    int error;  // 0: taken
    bool modified;
  } cases[] = {
      {"Text", QString(""), {}, 13, false},
      {"Text", QString(" 12 "), {}, 0, true},
      {"MaskDecimalChar", QString("ab"), {}, 31004, false},
      {"MaskDecimalChar", QString("5"), {}, 31005, false},
      {"MaskDecimalChar", QString(""), {}, 0, true},
      {"MousePointer", 16, {}, 380, false},
      {"MousePointer", 99, {}, 0, true},
      {"CalcBtnText", QString("Plus"), 23, 381, false},
      {"CalcBtnText", QString("Plus"), -1, 381, false},
      {"CalcBtnText", QString("Plus"), 17, 0, true},
      {"Alignment", 1, {}, 0, false},  // its value already: nothing happens
      {"Alignment", 2, {}, 380, false},
      {"AllowEdit", true, {}, 0, true},  // its value already, still a set
      {"MaskDecimalPlaces", 10, {}, 380, false},
      {"MaskWholePlaces", -2, {}, 380, false},
      {"CalcWidth", 0, {}, 0, true},
      {"CalcHeight", 0, {}, 380, false},
      {"ToolTipDelay", -1, {}, 380, false},
      {"DataType", 6, {}, 380, false},
      {"ValidateRangeLow", QString("ten"), {}, 31001, false},
      {"MaskType", QString("currency"), {}, 13, false},
      {"CaretPicture", QIcon(Square()), {}, 481, false},
      {"CaretPicture", Square(), {}, 0, true},
      {"MouseIcon", Square(), {}, 380, false},
      {"MouseIcon", QIcon(Square()), {}, 0, true},
      {"StatusBarControl", 5, {}, 380, false},
      {"CalcVisible", true, {}, 383, false},
      {"NoSuchThing", 1, {}, 438, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.property) + " " + c.value.toString().toStdString());
    CNumCtrl* field = AddField();
    const QVariant before = FindMember(c.property) ? GetProperty(*field, c.property, c.index.isValid() ? 0 : QVariant())
                                                   : QVariant();
    try {
      SetProperty(*field, c.property, c.value, c.index);
      EXPECT_EQ(c.error, 0);
    } catch (const NumError& e) {
      EXPECT_EQ(e.Number(), c.error);
      if (e.Number() < 1000 && e.Number() != 383 && e.Number() != 438) {
        EXPECT_EQ(e.Description(), StringText(e.Number()));
      }
      EXPECT_EQ(e.Status(), 0x800A0000u + static_cast<quint32>(c.error));
      if (FindMember(c.property) && !c.index.isValid()) {
        EXPECT_EQ(GetProperty(*field, c.property), before);
      }
    }
    EXPECT_EQ(field->IsModified(), c.modified);
  }
}

TEST_F(NumboxMembersTest, EveryMemberTakesBackWhatItGives) {
  for (const Member& m : Members()) {
    if (!m.setter) continue;
    SCOPED_TRACE(m.name);
    CNumCtrl* field = AddField();
    const QVariant index = m.dispid == 123 ? QVariant(5) : QVariant();
    const QVariant value = GetProperty(*field, m.name, index);
    EXPECT_NO_THROW(SetProperty(*field, m.name, value, index));
    EXPECT_EQ(GetProperty(*field, m.name, index), value);
    delete field;
  }
}

TEST_F(NumboxMembersTest, MembersAreFoundByNameOrDispatchId) {
  const struct {
    int dispid;
    const char* name;
  } anchors[] = {{1, "DataSource"}, {44, "SelLength"}, {45, "SelStart"}, {57, "Text"},
                 {113, "MaskErrorBeep"}, {123, "CalcBtnText"}, {0, "_Text"}, {-514, "Enabled"}};
  for (const auto& a : anchors) {
    ASSERT_NE(FindMember(a.dispid), nullptr) << a.dispid;
    EXPECT_STREQ(FindMember(a.dispid)->name, a.name);
  }
  EXPECT_EQ(FindMember("selstart"), FindMember(45));
  // Dispatch ids 114..122 are the methods; no property takes them.
  for (int id = 114; id <= 122; ++id) EXPECT_EQ(FindMember(id), nullptr);
  CNumCtrl* field = AddField();
  SetProperty(*field, "text", 12.5);  // a number is turned into text first
  EXPECT_EQ(GetProperty(*field, "_Text").toString(), "12.5");
  EXPECT_EQ(GetProperty(*field, "TEXT").toString(), "12.5");
}

TEST_F(NumboxMembersTest, EveryEventIsASignalOfTheField) {
  const QMetaObject* meta = &CNumCtrl::staticMetaObject;
  for (const Event& e : Events()) {
    SCOPED_TRACE(e.name);
    bool found = false;
    for (int i = 0; i < meta->methodCount(); ++i) {
      const QMetaMethod method = meta->method(i);
      found = found || (method.methodType() == QMetaMethod::Signal && method.name() == e.name);
    }
    EXPECT_TRUE(found);
  }
}

TEST_F(NumboxMembersTest, MethodsRunByName) {
  CNumCtrl* field = AddField();
  field->SetMaskType(0);
  field->SetDataType(2);
  field->SetText("5");
  short valid = -1;
  QObject::connect(field, &CNumCtrl::OnValidate, [&valid](const QString&, short& v) { v = valid; });
  EXPECT_EQ(CallMethod(*field, "Validate").value<short>(), 0);
  valid = 0;
  EXPECT_EQ(CallMethod(*field, "validate").value<short>(), quorErrTypeUserError);
  CallMethod(*field, "DoSpinClick", {1});
  EXPECT_EQ(field->Text(), "6");
  QSignalSpy clicks(field, &CNumCtrl::CalcBtnClick);
  CallMethod(*field, "DoCalcBtnClick", {quorCalcBtnTypeEqual});
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(ErrorOf([&] { CallMethod(*field, "DoSpinClick"); }), 450);
  EXPECT_EQ(ErrorOf([&] { CallMethod(*field, "Recalculate"); }), 438);
}

TEST_F(NumboxMembersTest, TheAboutBoxShowsTheProductAndVersionAndEndsWithOK) {
  allowModals_ = true;
  CNumCtrl* field = AddField();
  CallMethod(*field, "AboutBox");
  EXPECT_EQ(modals_, (QStringList{"About | Ferncastle Inkfield ActiveX Controls | Version 1.00j (Release) Build 523"}));
  int result = 0;
  SetShowModal([&result](QDialog& dialog) {
    dialog.show();
    static_cast<CNumAboutDlg&>(dialog).ClickOK();
    result = dialog.result();
    return result;
  });
  EXPECT_EQ(ShowAboutBox(), 1);
  EXPECT_EQ(result, CNumAboutDlg::kOkResult);
}

TEST_F(NumboxMembersTest, TheCreatorAnswersOnlyTheRegisteredIdentifier) {
  std::unique_ptr<CNumCtrl> field(CreateControl("Inkfield.QuorMaskNum.1"));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->Text(), "0");
  EXPECT_EQ(CreateControl("Inkfield.QuorMaskNum.2"), nullptr);
  EXPECT_EQ(CreateControl(""), nullptr);
  // Hosts can find the creator by its name.
  using Creator = QWidget* (*)(const char*, QWidget*);
  auto create = reinterpret_cast<Creator>(dlsym(RTLD_DEFAULT, "NumboxCreateControl"));
  ASSERT_NE(create, nullptr);
  std::unique_ptr<QWidget> made(create("Inkfield.QuorMaskNum.1", nullptr));
  EXPECT_NE(qobject_cast<CNumCtrl*>(made.get()), nullptr);
  EXPECT_EQ(create("Inkfield.QuorMaskText.1", nullptr), nullptr);
}

TEST(NumboxTypeLibraryTest, TheFieldsOwnNumbersAgreeWithItsTypeLibrary) {
  EXPECT_EQ(kCalcAdd, quorCalcBtnTypeAdd);
  EXPECT_EQ(kCalcMemorySubtract, quorCalcBtnTypeMemorySubtract);
  EXPECT_EQ(kCalcButtonCount, quorCalcBtnTypeMemorySubtract + 1);
  EXPECT_EQ(kUserError, quorErrTypeUserError);
  EXPECT_EQ(kBadType, quorErrTypeBadType);
  EXPECT_EQ(kIgnoreColor, static_cast<OleColor>(quorIgnoreColorProperty));
  EXPECT_EQ(static_cast<int>(MaskTypeConstants::MaskCurrecny), quorMaskTypeCurrency);
}

TEST_F(NumboxMembersTest, AClickRaisesTheStockMouseEventsInOrder) {
  CNumCtrl* field = AddField();
  ShowWindow();
  QStringList events;
  QObject::connect(field, &CNumCtrl::MouseDown,
                   [&](short b, short s, int x, int y) { events << QString("down %1 %2 %3,%4").arg(b).arg(s).arg(x).arg(y); });
  QObject::connect(field, &CNumCtrl::MouseUp, [&](short b, short, int, int) { events << QString("up %1").arg(b); });
  QObject::connect(field, &CNumCtrl::Click, [&] { events << "click"; });
  QObject::connect(field, &CNumCtrl::DblClick, [&] { events << "dblclick"; });
  QTest::mouseClick(field, Qt::LeftButton, Qt::ShiftModifier, QPoint(20, 8));
  QTest::mouseClick(field, Qt::RightButton, {}, QPoint(20, 8));
  QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(20, 8));
  QTest::mouseDClick(field, Qt::LeftButton, {}, QPoint(20, 8));
  QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(20, 8));
  EXPECT_EQ(events, (QStringList{"down 1 1 20,8", "up 1", "click", "down 2 0 20,8", "up 2", "down 1 0 20,8", "up 1",
                                 "click", "dblclick", "up 1"}));
}

}  // namespace
}  // namespace numbox::testing
