#include "ChoiceTree.h"

#include <QKeyEvent>
#include <QMouseEvent>

ChoiceTree::ChoiceTree(QWidget* parent) : QTreeWidget(parent) {}

void ChoiceTree::mousePressEvent(QMouseEvent* event) {
  doubleClicked_ = false;
  const int button = event->button() == Qt::LeftButton ? 1 : event->button() == Qt::RightButton ? 2 : 4;
  const Qt::KeyboardModifiers keys = event->modifiers();
  const int shift = (keys & Qt::ShiftModifier ? 1 : 0) + (keys & Qt::ControlModifier ? 2 : 0) + (keys & Qt::AltModifier ? 4 : 0);
  emit MouseDown(button, shift, event->position().toPoint());
  QTreeWidget::mousePressEvent(event);
}

void ChoiceTree::mouseDoubleClickEvent(QMouseEvent* event) {
  doubleClicked_ = true;
  QTreeWidget::mouseDoubleClickEvent(event);
}

void ChoiceTree::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  const bool click = event->button() == Qt::LeftButton && !doubleClicked_;
  doubleClicked_ = false;
  if (click) emit Click();
}

void ChoiceTree::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  if (typed.size() == 1 && typed.at(0).isPrint()) {
    std::int16_t keyAscii = static_cast<std::int16_t>(typed.at(0).unicode() & 0x7FFF);
    emit KeyPress(keyAscii);
    if (keyAscii == 0) {
      event->accept();
      return;
    }
  }
  QTreeWidget::keyPressEvent(event);
}
