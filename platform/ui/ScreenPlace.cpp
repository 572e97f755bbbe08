#include "ui/ScreenPlace.h"

#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace ui {

QRect PlaceInside(QRect frame, const QRect& available, bool centre, const QSize& smallest) {
  if (!available.isValid()) return frame;
  frame.setWidth(std::max(std::min(frame.width(), available.width()), smallest.width()));
  frame.setHeight(std::max(std::min(frame.height(), available.height()), smallest.height()));
  if (centre) frame.moveCenter(available.center());
  // Right and bottom edges first, so that a window that still does not fit
  // keeps its top-left corner in view.
  if (frame.right() > available.right()) frame.moveRight(available.right());
  if (frame.bottom() > available.bottom()) frame.moveBottom(available.bottom());
  if (frame.left() < available.left()) frame.moveLeft(available.left());
  if (frame.top() < available.top()) frame.moveTop(available.top());
  return frame;
}

namespace {

void Place(QWidget& window, bool centre) {
  const QScreen* screen = window.screen();
  if (!screen) return;
  // Sizes its layout has yet to apply count: the smallest size it lets the
  // window take, which would widen it again afterwards.
  if (window.layout()) window.layout()->activate();
  const QRect frame = window.frameGeometry();
  const QSize margins = frame.size() - window.size();
  const QSize smallest = window.minimumSize().expandedTo(window.minimumSizeHint()) + margins;
  const QRect placed = PlaceInside(frame, screen->availableGeometry(), centre, smallest);
  if (placed.size() != frame.size()) window.resize(placed.size() - margins);
  if (placed.topLeft() != frame.topLeft()) window.move(placed.topLeft());
}

}  // namespace

void PlaceOnScreen(QWidget& window) {
  if (!window.isWindow()) return;
  // A window placed by its code keeps its place; one that nothing placed
  // opens centred over its owner while that is shown, else on its screen.
  const QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
  const bool placed = window.testAttribute(Qt::WA_Moved);
  const bool overOwner = !placed && owner && owner->isVisible();
  if (overOwner) {
    QRect frame = window.frameGeometry();
    frame.moveCenter(owner->frameGeometry().center());
    window.move(frame.topLeft());
  }
  Place(window, !placed && !overOwner);
  // What the window's own opening work changes once it is shown (texts that
  // widen its bars, the frame the desktop adds) is brought inside as soon as
  // the events run again.
  QTimer::singleShot(0, &window, [w = QPointer<QWidget>(&window)] {
    if (w && w->isVisible()) Place(*w, false);
  });
}

}  // namespace ui
