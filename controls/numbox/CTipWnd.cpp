#include "numbox/CTipWnd.h"

#include "numbox/CNumCtrl.h"
#include "numbox/NumServices.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QScreen>

namespace numbox {

namespace {

// One per process: while a tip shows, any key hides it.
class TipKeyFilter : public QObject {
 public:
  static TipKeyFilter& Instance() {
    static TipKeyFilter filter;
    return filter;
  }
  void Install(CTipWnd* tip) {
    tip_ = tip;
    if (!installed_ && qApp) {
      qApp->installEventFilter(this);
      installed_ = true;
    }
  }
  // Removes the watch when `tip` installed it (or the tip that did is gone).
  void RemoveFor(const CTipWnd* tip) {
    if (!installed_ || (tip_ && tip_ != tip)) return;
    tip_ = nullptr;
    if (qApp) qApp->removeEventFilter(this);
    installed_ = false;
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && tip_) {
      tip_->HideAndSuppress();
    }
    return false;
  }

 private:
  QPointer<CTipWnd> tip_;
  bool installed_ = false;
};

}  // namespace

CTipWnd::CTipWnd(CNumCtrl* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::WindowStaysOnTopHint),
      owner_(owner) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setObjectName("quorToolTip");
}

CTipWnd::~CTipWnd() {
  // The key watch must not outlive the tip that installed it.
  TipKeyFilter::Instance().RemoveFor(this);
}

void CTipWnd::AddTool(short id, const QString& text, const QRect& rect) { tools_.push_back(Tool{id, text, rect}); }

bool CTipWnd::SetToolText(short id, const QString& text) {
  for (auto it = tools_.rbegin(); it != tools_.rend(); ++it) {
    if (it->id == id) {
      it->text = text;
      return true;
    }
  }
  return false;
}

void CTipWnd::Start() {
  if (started_) return;
  started_ = true;
  ScheduleTick();
}

void CTipWnd::ScheduleTick() {
  QPointer<CTipWnd> self(this);
  CurrentClock().After(kTickMs, this, [self] {
    if (!self) return;
    self->Tick();
    if (self) self->ScheduleTick();
  });
}

void CTipWnd::MouseMoved() {
  Start();
  if (enabled_ && !visible_) hover_ = 0;
}

int CTipWnd::ToolAt(QPoint global) const {
  const QWidget* under = QApplication::widgetAt(global);
  if (!under || (under != owner_ && under->parentWidget() != owner_)) return -1;
  // Only on the active, enabled window.
  const QWidget* form = owner_->window();
  if (QApplication::activeWindow() != form || !form->isEnabled()) return -1;
  const QPoint local = owner_->mapFromGlobal(global);
  for (int i = static_cast<int>(tools_.size()) - 1; i >= 0; --i) {
    if (tools_[static_cast<std::size_t>(i)].rect.contains(local)) return i;
  }
  return -1;
}

void CTipWnd::Tick() {
  if (!enabled_ || !owner_->isEnabled() || !owner_->isVisible()) return;
  QPointer<CTipWnd> self(this);
  const int tool = ToolAt(QCursor::pos());
  if (tool < 0) atOnce_ = false;
  if (!visible_) {
    if (tool < 0) {
      HideTip();
      return;
    }
    if (QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::MiddleButton | Qt::RightButton)) return;
    if (tool != current_) {
      hover_ = 0;
      suppressed_ = false;
      current_ = tool;
    }
    if (suppressed_) return;
    hover_ += kTickMs;
    if (delay_ <= hover_ || atOnce_) ShowTip();
    return;
  }
  if (tool != current_) {
    HideTip();
  } else if (timeout_ != 0) {
    shown_ += kTickMs;
    if (shown_ >= timeout_) {
      HideTip();
      if (self) suppressed_ = true;
    }
  }
}

void CTipWnd::ShowTip() {
  QPointer<CTipWnd> self(this);
  if (!owner_->FireToolTipBegin()) return;  // cancelled, or the field is gone
  if (!self) return;
  const QScreen* screen = owner_->screen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  hover_ = 0;
  const QPoint p = QCursor::pos();
  const int tool = ToolAt(p);
  if (tool < 0) return;
  const Tool& t = tools_[static_cast<std::size_t>(tool)];
  if (t.text.isEmpty()) return;
  const QFontMetrics fm(font_.ToQFont());
  const int tw = fm.horizontalAdvance(t.text), th = fm.height();
  const int right = std::min(p.x() + tw + 5, area.right() + 1);
  const int left = right - (tw + 5);
  int bottom = p.y() + 16 + th + 4;
  if (bottom > area.bottom() + 1) bottom = owner_->mapToGlobal(t.rect.topLeft()).y();
  const int top = bottom - (th + 4);
  tipRect_ = QRect(left, top, tw + 5, th + 4);
  shownText_ = t.text;
  setGeometry(tipRect_);
  show();
  raise();
  visible_ = true;
  atOnce_ = true;
  shown_ = 0;
  TipKeyFilter::Instance().Install(this);
}

void CTipWnd::HideTip() {
  // Only the tip that shows removes the key watch: another field's tick
  // must not take it from the tip that is up.
  TipKeyFilter::Instance().RemoveFor(this);
  if (visible_) {
    hide();
    visible_ = false;
    hover_ = 0;
    QPointer<CTipWnd> self(this);
    owner_->FireToolTipEnd();
    if (!self) return;
  }
  suppressed_ = false;
}

void CTipWnd::HideAndSuppress() {
  QPointer<CTipWnd> self(this);
  HideTip();
  if (self) suppressed_ = true;
}

void CTipWnd::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  p.fillRect(r, Qt::black);
  p.fillRect(r.adjusted(1, 1, -1, -1), ColorOf(backColor_, owner_->palette()));
  p.setFont(font_.ToQFont());
  p.setPen(ColorOf(foreColor_, owner_->palette()));
  p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, shownText_);
}

}  // namespace numbox
