// The tool tip of the numeric field, driven tick by tick on the test
// clock: when it shows and hides, what a key or a click does to it, what
// keeps it away, where it is placed, and handlers that delete the field.

#include "NumboxFixture.h"

#include "numbox/CTipWnd.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace numbox::testing {
namespace {

class NumboxTipTest : public NumboxTest {
 protected:
  CNumCtrl* TipField(const QString& text = "Secured") {
    CNumCtrl* field = AddField();
    field->SetToolTipText(text);
    ShowWindow();
    PointAt(field, QPoint(20, 10));
    return field;
  }
  // Moves the pointer to a point of a widget, as the user would.
  void PointAt(QWidget* w, QPoint at) {
    QCursor::setPos(w->mapToGlobal(at));
    QApplication::processEvents();
  }
  void PointAway() { PointAt(window_.get(), QPoint(300, 230)); }
  // The pointer leaves the field for a tick and comes back; answers the
  // tick at which the tip shows again.
  int LeaveAndReturn(CNumCtrl* field) {
    PointAway();
    Ticks(field, 1);
    PointAt(field, QPoint(30, 10));
    return Ticks(field, 8);
  }
  // Runs ticks; answers the tick at which the tip first showed (0: never).
  int Ticks(CNumCtrl* field, int count) {
    int shownAt = 0;
    for (int i = 1; i <= count; ++i) {
      clock_.Advance(CTipWnd::kTickMs);
      if (!shownAt && field->Tip() && field->Tip()->IsShowing()) shownAt = i;
    }
    return shownAt;
  }
};

TEST_F(NumboxTipTest, TheTipShowsAtTheEighthTickAndHidesAtTheFiftiethUntilThePointerComesBack) {
  CNumCtrl* field = TipField();
  QSignalSpy begins(field, &CNumCtrl::ToolTipBegin);
  QSignalSpy ends(field, &CNumCtrl::ToolTipEnd);
  EXPECT_EQ(Ticks(field, 8), 8);
  EXPECT_EQ(begins.count(), 1);
  EXPECT_TRUE(field->Tip()->isVisible());
  EXPECT_TRUE(field->Tip()->TipRect().contains(QCursor::pos() + QPoint(3, 20)));
  Ticks(field, 49);
  EXPECT_TRUE(field->Tip()->IsShowing());
  Ticks(field, 1);
  EXPECT_FALSE(field->Tip()->IsShowing());
  EXPECT_EQ(ends.count(), 1);
  EXPECT_EQ(Ticks(field, 30), 0);
  EXPECT_EQ(LeaveAndReturn(field), 8);
}

TEST_F(NumboxTipTest, AMouseMoveStartsTheCountAgain) {
  CNumCtrl* field = TipField();
  Ticks(field, 5);
  PointAt(field, QPoint(40, 10));
  EXPECT_EQ(Ticks(field, 8), 8);
}

TEST_F(NumboxTipTest, AKeyHidesTheTipUntilThePointerLeaves) {
  CNumCtrl* field = TipField();
  CNumCtrl* other = AddField();
  QSignalSpy ends(field, &CNumCtrl::ToolTipEnd);
  Ticks(field, 8);
  ASSERT_TRUE(field->Tip()->IsShowing());
  QTest::keyClick(other, Qt::Key_Shift);
  EXPECT_FALSE(field->Tip()->IsShowing());
  EXPECT_EQ(ends.count(), 1);
  EXPECT_EQ(Ticks(field, 30), 0);
  EXPECT_EQ(LeaveAndReturn(field), 8);
}

TEST_F(NumboxTipTest, ALeftClickHidesTheTipUntilReleasedARightClickUntilThePointerLeaves) {
  CNumCtrl* field = TipField();
  Ticks(field, 8);
  QTest::mousePress(field, Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_FALSE(field->Tip()->IsShowing());
  QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_EQ(Ticks(field, 1), 1);  // at once: it showed a moment ago
  QTest::mousePress(field, Qt::RightButton, {}, QPoint(20, 10));
  QTest::mouseRelease(field, Qt::RightButton, {}, QPoint(20, 10));
  EXPECT_FALSE(field->Tip()->IsShowing());
  EXPECT_EQ(Ticks(field, 20), 0);
}

TEST_F(NumboxTipTest, WhatKeepsTheTipAwayOrBringsItSooner) {
  struct Case {
    const char* name;
    std::function<void(CNumCtrl*)> setup;
    int ticks;
    int shownAt;
    int begins;
  } cases[] = {
      {"a delay of 0", [](CNumCtrl* f) { f->SetToolTipDelay(0); }, 3, 1, 1},
      {"a timeout of 0 keeps it", [](CNumCtrl* f) { f->SetToolTipTimeout(0); }, 100, 8, 1},
      {"tips off", [](CNumCtrl* f) { f->SetToolTips(false); }, 20, 0, 0},
      {"an empty text asks, shows nothing", [](CNumCtrl* f) { f->SetToolTipText(""); }, 16, 0, 2},
      {"a cancelling handler is asked each tick",
       [](CNumCtrl* f) { QObject::connect(f, &CNumCtrl::ToolTipBegin, [](short& c) { c = -1; }); },
       10, 0, 3},
      {"a handler may give the text", [](CNumCtrl* f) {
         f->SetToolTipText("");
         QObject::connect(f, &CNumCtrl::ToolTipBegin, f, [f](short&) { f->SetToolTipText("Late"); });
       }, 8, 8, 1},
      {"a disabled field", [](CNumCtrl* f) { f->SetEnabled(false); }, 20, 0, 0},
      {"a disabled window", [this](CNumCtrl*) { window_->setEnabled(false); }, 20, 0, 0},
      {"while the calculator is down",
       [this](CNumCtrl* f) {
         Focus(f);
         QTest::keyClick(f, Qt::Key_F4);
       },
       10, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window_->setEnabled(true);
    nextTop_ = 10;
    CNumCtrl* field = TipField();
    c.setup(field);
    QSignalSpy begins(field, &CNumCtrl::ToolTipBegin);
    EXPECT_EQ(Ticks(field, c.ticks), c.shownAt);
    if (c.shownAt) {
      EXPECT_TRUE(field->Tip()->IsShowing());
    }
    EXPECT_EQ(begins.count(), c.begins);
    delete field;
  }
}

TEST_F(NumboxTipTest, NearTheEdgesTheTipStaysOnTheScreen) {
  const QRect screen = window_->screen()->availableGeometry();
  window_->setGeometry(screen.right() - 180, screen.bottom() - 40, 180, 40);
  nextTop_ = 10;
  CNumCtrl* field = TipField("A long tip text near the corner");
  field->SetToolTipDelay(0);
  PointAt(field, QPoint(150, 10));
  Ticks(field, 1);
  ASSERT_TRUE(field->Tip()->IsShowing());
  const QRect tip = field->Tip()->TipRect();
  EXPECT_EQ(tip.right(), screen.right());
  EXPECT_EQ(tip.bottom() + 1, field->mapToGlobal(QPoint(0, 0)).y());
}

TEST_F(NumboxTipTest, AFieldDeletedWhileItsTipShowsLeavesNoKeyWatchBehind) {
  CNumCtrl* field = TipField();
  CNumCtrl* other = AddField();
  Ticks(field, 8);
  ASSERT_TRUE(field->Tip()->IsShowing());
  delete field;
  QTest::keyClick(other, Qt::Key_Shift);
  QPointer<CNumCtrl> watch(AddField());
  QObject::connect(watch.data(), &CNumCtrl::ToolTipBegin, watch.data(), [&watch](short&) { delete watch.data(); });
  watch->SetToolTipText("gone");
  PointAt(watch, QPoint(20, 10));
  clock_.Advance(8 * CTipWnd::kTickMs);
  EXPECT_TRUE(watch.isNull());
}

}  // namespace
}  // namespace numbox::testing
