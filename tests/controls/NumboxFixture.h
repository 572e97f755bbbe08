#pragma once
// Shared helpers of the numeric field tests: the field's services replaced
// by doubles (a beep counter, a clock moved by hand, a host Format for
// "#,##0", the English locale) and a shown, active window to put fields on.

#include "numbox/CNumCtrl.h"
#include "numbox/NumServices.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QStringList>
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
