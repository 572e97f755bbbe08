#pragma once
// Shared helpers of the numeric field tests: the field's services replaced
// by doubles (a beep counter, a clock moved by hand, a host Format for
// "#,##0", the English locale) and a shown, active window to put fields on.

#include "numbox/CNumCtrl.h"
#include "numbox/NumServices.h"
#include "numbox/RowSource.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace numbox::testing {

// The number of the error that `run` raises, 0 when it raises none.
int ErrorOf(const std::function<void()>& run);

class CountingBeeper : public Beeper {
 public:
  void Beep(unsigned type) override {
    ++count;
    lastType = type;
  }
  int count = 0;
  unsigned lastType = 0;
};

// A clock that moves only when told to, running the actions that fall due.
class ManualClock : public Clock {
 public:
  qint64 Ticks() override { return now_; }
  void After(int ms, QObject* owner, std::function<void()> action) override;
  void Advance(qint64 ms);

 private:
  struct Pending {
    qint64 due;
    int order;
    QPointer<QObject> owner;
    std::function<void()> action;
  };
  qint64 now_ = 0;
  int order_ = 0;
  std::vector<Pending> pending_;
};

// The host's Format for the one layout the tax lines use, "#,##0".
class GroupingFormat : public HostFormat {
 public:
  bool Format(const QVariant& value, const QString& format, QString& out) override;
};

// A small table in memory with a current row; it logs every write.
class TableSource : public RowSource {
 public:
  QList<RowColumn> columns = {{"ID", kColumnLong},   {"Notes", kColumnBlob}, {"", kColumnDouble},
                              {"Secured", kColumnDouble}, {"Name", kColumnString}, {"Count", kColumnInteger}};
  QList<QVariantList> rows = {{1, QVariant(), 0.0, 1250.5, "North", short{3}},
                              {2, QVariant(), 0.0, 99.0, "South", short{4}}};
  int current = 0;
  bool writable = true;
  int editMode = 1;
  QStringList log;

  bool Columns(QList<RowColumn>& out) override {
    out = columns;
    return true;
  }
  bool Read(int index, QVariant& value) override {
    value = rows[current][index];
    return true;
  }
  bool CanUpdate() const override { return writable; }
  RowStatus EditMode(int& mode) override {
    mode = editMode;
    return kRowOk;
  }
  RowStatus BeginUpdate() override {
    log << "begin";
    editMode = 2;
    return kRowOk;
  }
  RowStatus SetColumn(int index, const QVariant& value) override {
    log << QString("set %1 = %2").arg(columns[index].name, value.toString());
    rows[current][index] = value;
    return kRowOk;
  }
  RowStatus Update() override {
    log << "update";
    editMode = 1;
    return kRowOk;
  }
  void Connect(RowSourceSink* sink) override { sinks << sink; }
  void Disconnect(RowSourceSink* sink) override { sinks.removeAll(sink); }

  // The user moves to another row.
  void MoveTo(int row) {
    for (RowSourceSink* s : QList(sinks)) s->OKToDo(kRowCurrentChange, {1});
    current = row;
    for (RowSourceSink* s : QList(sinks)) s->SyncAfter(kRowCurrentChange, {1});
  }
  void DataOKToDo(int reason) {
    for (RowSourceSink* s : QList(sinks)) s->OKToDo(kRowDataChange, {reason});
  }
  void DataChanged(int reason) {
    for (RowSourceSink* s : QList(sinks)) s->SyncAfter(kRowDataChange, {reason});
  }

  QList<RowSourceSink*> sinks;
};

// Installs the doubles for a test and removes them afterwards; owns a
// window that fields can be placed on.
class NumboxTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A field on the test window, below the ones made before.
  CNumCtrl* AddField(const QString& name = QString());
  // A field set as the tax form's amount lines are.
  CNumCtrl* AddTaxLine(const QString& name = QString());
  // Shows the window, makes it active and gives the field the focus.
  void Focus(CNumCtrl* field);
  void ShowWindow();
  // Types text into the field as keys.
  void Type(CNumCtrl* field, const QString& keys);

  // The modal windows the library showed: title and text of each label.
  // A modal window that a test does not allow fails it.
  bool allowModals_ = false;
  QStringList modals_;
  int modalResult_ = 1;

  LocaleTable locale_ = LocaleTable::EnglishUnitedStates();
  CountingBeeper beeper_;
  ManualClock clock_;
  GroupingFormat format_;
  std::unique_ptr<QWidget> window_;
  int nextTop_ = 10;
};

}  // namespace numbox::testing
