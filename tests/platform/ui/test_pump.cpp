// The pump that long handlers call midway: what is pending runs, the user's
// input waits for the handler to return.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "ui/Pump.h"

namespace {

void Type(QWidget& target, const QString& text) {
  for (const QChar c : text)
    QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, c));
}

TEST(Pump, RunsTimersButHoldsTypingUntilTheHandlerReturns) {
  QLineEdit field;
  int timerRuns = 0;
  QTimer::singleShot(0, [&] { ++timerRuns; });
  Type(field, "ab");

  // Inside a handler: two pumps, one of them nested in a timer.
  QTimer::singleShot(0, [&] { ui::DoEvents(); });
  ui::DoEvents();
  ui::DoEvents();
  EXPECT_EQ(timerRuns, 1) << "timers run in the pump";
  EXPECT_EQ(field.text(), "") << "keys wait while the handler runs";
  Type(field, "c");
  ui::DoEvents();
  EXPECT_EQ(field.text(), "");

  // Back in the event loop the keys arrive, in the order they were typed.
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(field.text(), "abc");
}

}  // namespace
