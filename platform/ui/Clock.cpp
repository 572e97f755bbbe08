#include "ui/Clock.h"
#include "ui/Pump.h"
#include "ui/Seam.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QThread>

namespace ui {
namespace {

class SystemClock final : public Clock {
 public:
  vb::Date Now() override {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate base(1899, 12, 30);
    const double days = static_cast<double>(base.daysTo(now.date()));
    const double dayFraction = now.time().msecsSinceStartOfDay() / 86400000.0;
    return vb::Date{days + dayFraction};
  }
  void ProcessEvents() override {
    DoEvents();
    QThread::msleep(10);
  }
};

}  // namespace

Clock& clock() {
  static SystemClock system;
  return SeamSlot<Clock>::Get(system);
}

Clock* SetClock(Clock* c) { return SeamSlot<Clock>::Set(c); }

void Pause(double seconds) {
  Clock& c = clock();
  const double start = c.Now().serial;
  const double length = seconds / 86400.0;
  while (c.Now().serial - start <= length) c.ProcessEvents();
}

}  // namespace ui
