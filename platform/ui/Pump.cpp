#include "ui/Pump.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <utility>
#include <vector>

namespace ui {
namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
      return true;
    default:
      return false;
  }
}

// Input that reached the program while a pump ran, kept in its order and
// posted again once control is back in the event loop. The window system's
// own input is held by the event loop itself; this catches input that was
// posted as events (by tools and by the program's own key handling).
class HeldInput final : public QObject {
 public:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (!IsUserInput(event->type())) return false;
    held_.emplace_back(target, event->clone());
    return true;
  }

  // Posts the held input after the running handler: a zero timer only fires
  // in the event loop (or in a later pump, which holds it again).
  void ReleaseLater() {
    if (held_.empty() || releaseQueued_) return;
    releaseQueued_ = true;
    QTimer::singleShot(0, this, [this] {
      releaseQueued_ = false;
      auto held = std::exchange(held_, {});
      for (auto& [target, event] : held)
        if (target) QCoreApplication::postEvent(target, event.release());
    });
  }

 private:
  std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
  bool releaseQueued_ = false;
};

}  // namespace

void DoEvents() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return;
  static QPointer<HeldInput> held;
  static int depth = 0;  // a timer that runs inside the pump may pump again
  if (!held) {
    held = new HeldInput;
    held->setParent(app);
  }
  if (depth++ == 0) app->installEventFilter(held);
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  if (--depth == 0) {
    app->removeEventFilter(held);
    held->ReleaseLater();
  }
}

}  // namespace ui
