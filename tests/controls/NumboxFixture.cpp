#include "NumboxFixture.h"

#include "numbox/NumModule.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace numbox::testing {

int ErrorOf(const std::function<void()>& run) {
  try {
    run();
  } catch (const NumError& e) {
    return e.Number();
  }
  return 0;
}

void ManualClock::After(int ms, QObject* owner, std::function<void()> action) {
  pending_.push_back(Pending{now_ + ms, order_++, owner, std::move(action)});
}

void ManualClock::Advance(qint64 ms) {
  const qint64 end = now_ + ms;
  for (;;) {
    auto next = std::min_element(pending_.begin(), pending_.end(), [](const Pending& a, const Pending& b) {
      return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    if (next == pending_.end() || next->due > end) break;
    Pending due = std::move(*next);
    pending_.erase(next);
    now_ = due.due;
    if (due.owner) due.action();
  }
  now_ = end;
}

bool GroupingFormat::Format(const QVariant& value, const QString& format, QString& out) {
  bool ok = false;
  const double number = value.toString().toDouble(&ok);
  if (format != "#,##0" || !ok) return false;
  out = QLocale(QLocale::English, QLocale::UnitedStates).toString(static_cast<qlonglong>(std::llround(number)));
  return true;
}

void NumboxTest::SetUp() {
  SetLocale(&locale_);
  SetBeeper(&beeper_);
  SetClock(&clock_);
  SetHostFormat(&format_);
  SetShowModal([this](QDialog& dialog) {
    QStringList texts{dialog.windowTitle()};
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
      if (!label->text().isEmpty()) texts << label->text();
    }
    modals_ << texts.join(" | ");
    if (!allowModals_) ADD_FAILURE() << "unexpected modal window: " << modals_.last().toStdString();
    return modalResult_;
  });
  window_ = std::make_unique<QWidget>();
  window_->setObjectName("frmTest");
  window_->resize(320, 240);
}

void NumboxTest::TearDown() {
  window_.reset();
  SetLocale(nullptr);
  SetBeeper(nullptr);
  SetClock(nullptr);
  SetHostFormat(nullptr);
  SetShowModal(nullptr);
}

CNumCtrl* NumboxTest::AddField(const QString& name) {
  auto* field = new CNumCtrl(window_.get());
  field->setObjectName(name);
  field->setGeometry(10, nextTop_, 160, 21);
  field->show();
  nextTop_ += 26;
  return field;
}

CNumCtrl* NumboxTest::AddTaxLine(const QString& name) {
  CNumCtrl* field = AddField(name);
  field->SetFormat("#,##0");
  field->SetMaskType(0);
  field->SetDataType(4);
  field->SetMaskDecimalPlaces(0);
  field->SetMaskWholePlaces(10);
  field->SetTabOnEnter(true);
  field->SetSpinKeys(false);
  return field;
}

void NumboxTest::ShowWindow() {
  if (window_->isVisible() && window_->isActiveWindow()) return;
  window_->show();
  QApplication::setActiveWindow(window_.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
}

void NumboxTest::Focus(CNumCtrl* field) {
  ShowWindow();
  field->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(field->HasFocusNow());
}

void NumboxTest::Type(CNumCtrl* field, const QString& keys) { QTest::keyClicks(field, keys); }

}  // namespace numbox::testing
