#include "ui/TextFieldInput.h"

#include <QEvent>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <QWidget>

namespace ui {

namespace {

constexpr QKeySequence::StandardKey kEditingCommands[] = {QKeySequence::SelectAll, QKeySequence::Copy,
                                                          QKeySequence::Cut,       QKeySequence::Paste,
                                                          QKeySequence::Undo,      QKeySequence::Redo};

// Keeps the characters typed with Alt held out of the box it is installed on;
// it lives as the box's child.
class AltCharacterFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && IsAltCharacter(*static_cast<QKeyEvent*>(event))) {
      event->ignore();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

bool IsAltCharacter(const QKeyEvent& event) {
  if (!(event.modifiers() & (Qt::AltModifier | Qt::MetaModifier))) return false;
  const QString text = event.text();
  return !text.isEmpty() && text.at(0).isPrint();
}

void KeepAltCharactersOut(QWidget& box) { box.installEventFilter(new AltCharacterFilter(&box)); }

bool IsEditingCommand(const QKeyEvent& event) {
  for (QKeySequence::StandardKey command : kEditingCommands)
    if (event.matches(command)) return true;
  return false;
}

QString OfferText(const QString& text, const std::function<void(std::int16_t&)>& keyPress) {
  QString kept;
  for (QChar c : text) {
    if (c.unicode() < u' ') continue;
    auto keyAscii = static_cast<std::int16_t>(c.unicode());
    keyPress(keyAscii);
    const auto code = static_cast<char16_t>(keyAscii);
    if (code >= u' ') kept += QChar(code);
  }
  return kept;
}

void OfferKeyPress(QKeyEvent* event, const std::function<void(std::int16_t&)>& keyPress,
                   const std::function<void(QKeyEvent*)>& edit) {
  if (IsEditingCommand(*event)) {
    edit(event);
    return;
  }
  if (IsAltCharacter(*event)) {
    // Neither typed nor offered; the window may still have a use for it.
    event->ignore();
    return;
  }
  std::int16_t keyAscii = 0;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      keyAscii = 13;
      break;
    case Qt::Key_Backspace:
      keyAscii = 8;
      break;
    case Qt::Key_Escape:
    case Qt::Key_Delete:
      break;
    default:
      if (!event->text().isEmpty()) keyAscii = static_cast<std::int16_t>(event->text().at(0).unicode());
      break;
  }
  if (keyAscii == 0) {
    edit(event);
    return;
  }
  const std::int16_t typed = keyAscii;
  keyPress(keyAscii);
  if (keyAscii == 0 || keyAscii == 13) {
    event->accept();
    return;
  }
  if (keyAscii == typed) {
    edit(event);
    return;
  }
  const QChar replacement(static_cast<char16_t>(keyAscii));
  QKeyEvent changed(event->type(), keyAscii == 8 ? int(Qt::Key_Backspace) : int(Qt::Key_unknown),
                    event->modifiers() & ~Qt::ControlModifier, keyAscii == 8 ? QString() : QString(replacement));
  edit(&changed);
  event->accept();
}

void FocusSelection::FocusIn(Qt::FocusReason reason, int start, int length) {
  if (reason == Qt::MouseFocusReason && length > 0)
    kept_ = std::make_pair(start, length);
  else
    kept_.reset();
}

std::optional<std::pair<int, int>> FocusSelection::AfterPress() { return std::exchange(kept_, std::nullopt); }

}  // namespace ui
