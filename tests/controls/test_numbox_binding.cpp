// Binding the numeric field to a row source: reading the current row's
// value (DataRead, then Change twice), writing a changed value back before
// the row changes (BeforeUpdate, AfterUpdate), the source's notifications,
// the columns a field can be bound to, and values the field cannot take.

#include "NumboxFixture.h"

#include <QSignalSpy>
#include <QTest>

namespace numbox::testing {
namespace {

class NumboxBindingTest : public NumboxTest {
 protected:
  void TearDown() override {
    // Fields let go of the source before it goes.
    for (CNumCtrl* f : window_->findChildren<CNumCtrl*>()) f->SetDataSource(nullptr);
    NumboxTest::TearDown();
  }
  CNumCtrl* BoundField(TableSource& source, const QString& column = "Secured") {
    CNumCtrl* field = AddField();
    field->SetDataField(column);
    field->SetDataSource(&source);
    return field;
  }
  TableSource source_;
};

TEST_F(NumboxBindingTest, AReadFiresDataReadOnceAndChangeTwiceAndTakesTheHandlersFlag) {
  struct Case {
    const char* name;
    std::function<void(QVariant&, short&)> handler;
    QString text;
    bool dataChanged;
  } cases[] = {
      {"as read", [](QVariant&, short&) {}, "1250.5", false},
      {"the handler marks it changed", [](QVariant&, short& changed) { changed = -1; }, "1250.5", true},
      {"the handler gives another value", [](QVariant& v, short&) { v = 7.25; }, "7.25", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CNumCtrl* field = AddField();
    field->SetDataField("Secured");
    QStringList events;
    QObject::connect(field, &CNumCtrl::DataRead, [&](QVariant& v, short& changed) {
      events << "DataRead " + v.toString();
      c.handler(v, changed);
    });
    QObject::connect(field, &CNumCtrl::Change, [&] { events << "Change"; });
    field->SetDataSource(&source_);
    EXPECT_EQ(events, (QStringList{"DataRead 1250.5", "Change", "Change"}));
    EXPECT_EQ(field->Text(), c.text);
    EXPECT_EQ(field->DataChanged(), c.dataChanged);
    EXPECT_EQ(field->DataType(), 4);  // the column's type
    field->SetDataSource(nullptr);
  }
}

TEST_F(NumboxBindingTest, AChangedValueIsWrittenBeforeTheRowChanges) {
  CNumCtrl* field = BoundField(source_);
  QStringList events;
  QObject::connect(field, &CNumCtrl::BeforeUpdate, [&](QVariant& v, short&) { events << "BeforeUpdate " + v.toString(); });
  QObject::connect(field, &CNumCtrl::AfterUpdate, [&] { events << "AfterUpdate"; });
  QObject::connect(field, &CNumCtrl::DataRead, [&](QVariant& v, short&) { events << "DataRead " + v.toString(); });
  // Unchanged: nothing is written.
  source_.MoveTo(1);
  source_.MoveTo(0);
  EXPECT_TRUE(source_.log.isEmpty());
  events.clear();
  Focus(field);
  field->SetSel(0, field->GetEditText().size());
  QTest::keyClicks(field, "42");
  EXPECT_TRUE(field->DataChanged());
  source_.MoveTo(1);
  EXPECT_EQ(source_.log, (QStringList{"begin", "set Secured = 42", "update"}));
  EXPECT_EQ(events, (QStringList{"BeforeUpdate 42", "AfterUpdate", "DataRead 99"}));
  EXPECT_EQ(source_.rows[0][3].toDouble(), 42.0);
  EXPECT_EQ(field->Text(), "99");
  EXPECT_FALSE(field->DataChanged());
}

TEST_F(NumboxBindingTest, BeforeUpdateCanCancelTheWriteOrChangeTheValue) {
  CNumCtrl* field = BoundField(source_);
  short cancel = -1;
  QVariant replacement;
  QObject::connect(field, &CNumCtrl::BeforeUpdate, [&](QVariant& v, short& c) {
    c = cancel;
    if (replacement.isValid()) v = replacement;
  });
  QSignalSpy before(field, &CNumCtrl::BeforeUpdate);
  QSignalSpy after(field, &CNumCtrl::AfterUpdate);
  field->SetText("10");
  EXPECT_EQ(field->WriteToDataSource(), kRowOk);
  EXPECT_TRUE(source_.log.isEmpty());
  EXPECT_TRUE(field->DataChanged());
  EXPECT_EQ(after.count(), 0);
  // The next row change asks again; this time the handler's value goes in.
  cancel = 0;
  replacement = 11.0;
  source_.MoveTo(1);
  EXPECT_EQ(before.count(), 2);
  EXPECT_EQ(source_.log, (QStringList{"begin", "set Secured = 11", "update"}));
  EXPECT_EQ(after.count(), 1);
}

TEST_F(NumboxBindingTest, NotificationsReadAndWriteForTheirReasons) {
  struct Case {
    const char* name;
    std::function<void(TableSource&)> notify;
    QStringList writes;
    int reads;
  } cases[] = {
      {"a data change about to happen (3) sets without finishing", [](TableSource& s) { s.DataOKToDo(3); },
       {"begin", "set Secured = 5"}, 0},
      {"a data change about to happen (2) sets without finishing", [](TableSource& s) { s.DataOKToDo(2); },
       {"begin", "set Secured = 5"}, 0},
      {"another reason (5) writes nothing", [](TableSource& s) { s.DataOKToDo(5); }, {}, 0},
      {"data changed for reason 29 reads", [](TableSource& s) { s.DataChanged(29); }, {}, 1},
      {"data changed for reason 5 reads nothing", [](TableSource& s) { s.DataChanged(5); }, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TableSource source;
    CNumCtrl* field = BoundField(source);
    field->SetText("5");
    QSignalSpy reads(field, &CNumCtrl::DataRead);
    c.notify(source);
    EXPECT_EQ(source.log, c.writes);
    EXPECT_EQ(reads.count(), c.reads);
    field->SetDataSource(nullptr);
  }
}

TEST_F(NumboxBindingTest, WritesThatFailKeepTheValueChanged) {
  struct Case {
    const char* name;
    std::function<void(CNumCtrl*, TableSource&)> setup;
    RowStatus status;
  } cases[] = {
      {"a source that cannot be written", [](CNumCtrl*, TableSource& s) { s.writable = false; }, kRowReadOnly},
      {"a field bound to no column", [](CNumCtrl* f, TableSource&) { f->SetDataField("Missing"); }, kRowNoColumn},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TableSource source;
    CNumCtrl* field = BoundField(source);
    c.setup(field, source);
    field->SetText("8");
    QSignalSpy after(field, &CNumCtrl::AfterUpdate);
    EXPECT_EQ(field->WriteToDataSource(), c.status);
    EXPECT_TRUE(source.log.isEmpty());
    EXPECT_EQ(after.count(), 0);
    EXPECT_TRUE(field->DataChanged());
    field->SetDataSource(nullptr);
  }
}

TEST_F(NumboxBindingTest, DataFieldTakesNumericColumnsAndNamesTheSourceDoesNotHave) {
  CNumCtrl* field = AddField();
  field->SetDataSource(&source_);
  EXPECT_EQ(field->DataFieldNames(), (QStringList{"ID", "Secured", "Name", "Count"}));
  EXPECT_EQ(ErrorOf([&] { field->SetDataField("name"); }), 31000);  // a text column
  EXPECT_EQ(field->DataField(), "");
  field->SetDataField("Notes");  // a large object is no column of the list
  EXPECT_EQ(field->DataField(), "Notes");
  field->SetDataField("count");
  EXPECT_EQ(field->DataType(), 1);
  EXPECT_EQ(field->Text(), "3");
  EXPECT_EQ(ErrorOf([&] { field->SetDataType(4); }), 31002);
}

TEST_F(NumboxBindingTest, AValueTheFieldCannotTakeRaisesTheErrorEventAndKeepsTheValue) {
  source_.rows[0][3] = QString("many");
  CNumCtrl* field = AddField();
  field->SetDataField("Secured");
  field->SetText("6");
  field->SetDataChanged(false);
  QStringList errors;
  short cancelDisplay = 0;
  QObject::connect(field, &CNumCtrl::Error,
                   [&](short number, QString& description, int scode, const QString&, const QString&, int, short& cancel) {
                     errors << QString("%1 %2 %3").arg(number).arg(description).arg(static_cast<uint>(scode), 0, 16);
                     cancel = cancelDisplay;
                   });
  allowModals_ = true;
  field->SetDataSource(&source_);
  EXPECT_EQ(errors, (QStringList{"13 Type mismatch 800a000d"}));
  EXPECT_EQ(modals_, (QStringList{"QuorMaskNum | Type mismatch"}));
  EXPECT_EQ(field->Text(), "6");
  EXPECT_FALSE(field->DataChanged());
  // A handler can keep the message away; a later edit marks the value changed again.
  cancelDisplay = -1;
  source_.DataChanged(29);
  EXPECT_EQ(modals_.size(), 1);
  field->SetText("7");
  EXPECT_TRUE(field->DataChanged());
}

TEST_F(NumboxBindingTest, EscapeReadsTheValueAgain) {
  CNumCtrl* field = BoundField(source_);
  Focus(field);
  field->SetSel(0, field->GetEditText().size());
  QTest::keyClicks(field, "3");
  QSignalSpy reads(field, &CNumCtrl::DataRead);
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_EQ(reads.count(), 1);
  EXPECT_EQ(field->Text(), "1250.5");
  EXPECT_FALSE(field->DataChanged());
}

TEST_F(NumboxBindingTest, AnUnboundFieldReadsAnEmptyValue) {
  CNumCtrl* field = AddField();
  field->SetText("4");
  QVariantList reads;
  QObject::connect(field, &CNumCtrl::DataRead, [&reads](QVariant& v, short&) { reads << v; });
  field->SetDataField("Secured");
  ASSERT_EQ(reads.size(), 1);
  EXPECT_FALSE(reads[0].isValid());
  EXPECT_EQ(field->Text(), "0");
}

}  // namespace
}  // namespace numbox::testing
