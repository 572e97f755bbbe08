#include "ui/QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>

#include "ui/Printers.h"

namespace ui {
namespace {

QMessageBox::StandardButton StandardButtonOf(int answer) {
  switch (answer) {
    case vbOK: return QMessageBox::Ok;
    case vbCancel: return QMessageBox::Cancel;
    case vbAbort: return QMessageBox::Abort;
    case vbRetry: return QMessageBox::Retry;
    case vbIgnore: return QMessageBox::Ignore;
    case vbYes: return QMessageBox::Yes;
    default: return QMessageBox::No;
  }
}

QMessageBox::Icon IconOfStyle(int style) {
  switch (IconOf(style)) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A proposed name that holds "*" is a pattern, which the dialog offers as
// its first filter instead of a name.
bool NameIsPattern(const FileDialogRequest& request) { return request.fileName.find('*') != std::string::npos; }

QString StartPath(const FileDialogRequest& request) {
  if (NameIsPattern(request)) return Q(request.initialDir);
  if (request.initialDir.empty()) return Q(request.fileName);
  if (request.fileName.empty()) return Q(request.initialDir);
  return Q(request.initialDir + "/" + request.fileName);
}

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

}  // namespace

int TitleWidth(const QString& title, const QFont& font) {
  // The title bar writes its title in a bold face and keeps room for its
  // icon and its buttons, which grow with the font.
  QFont barFont(font);
  barFont.setBold(true);
  const QFontMetrics bar(barFont);
  return bar.horizontalAdvance(title) + 6 * bar.height();
}

void WidenToTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  int width = TitleWidth(box.windowTitle(), box.font());
  if (const QScreen* screen = box.screen()) width = std::min(width, screen->availableGeometry().width() * 9 / 10);
  // A strut across every column below the box's own rows: the box sizes
  // itself to its layout's least width whenever it is shown.
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                grid->columnCount());
}

// "*.*" matches every name, with an extension or without, as the classic
// dialogs match it; Qt's would show only names holding a dot (and so none
// of the certified-data files, which have no extension).
static QString AnyExtension(QString filter) {
  static const QRegularExpression dotStar(QStringLiteral("\\*\\.\\*(?=[\\s);]|$)"));
  return filter.replace(dotStar, QStringLiteral("*"));
}

std::string QtNameFilter(const std::string& classicFilter) {
  const QStringList parts = Q(classicFilter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(';', ' ');
    filters << (description.contains('(') ? description : description + " (" + patterns + ")");
  }
  if (filters.isEmpty() && !classicFilter.empty()) filters << Q(classicFilter);
  return AnyExtension(filters.join(";;")).toStdString();
}

int QtDialogs::MsgBox(const std::string& prompt, int style, const std::string& title) {
  QMessageBox box(IconOfStyle(style), Q(title), Q(prompt), QMessageBox::NoButton, QApplication::activeWindow());
  if (style & (vbMsgBoxTopmost | vbSystemModal)) box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  const std::vector<int> answers = ButtonAnswers(style);
  std::vector<QAbstractButton*> buttons;
  for (int answer : answers) buttons.push_back(box.addButton(StandardButtonOf(answer)));
  auto buttonOf = [&](int answer) -> QAbstractButton* {
    const auto at = std::find(answers.begin(), answers.end(), answer);
    return at == answers.end() ? nullptr : buttons[static_cast<std::size_t>(at - answers.begin())];
  };
  box.setDefaultButton(static_cast<QPushButton*>(buttonOf(DefaultAnswer(style))));
  // Escape (and the close box) answer Cancel, or No where there is no Cancel.
  const int closeAnswer = CloseAnswer(style);
  if (QAbstractButton* escape = buttonOf(closeAnswer)) box.setEscapeButton(escape);
  WidenToTitle(box);
  box.exec();
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (box.clickedButton() == buttons[i]) return answers[i];
  return closeAnswer;
}

std::optional<std::string> QtDialogs::InputBox(const std::string& prompt, const std::string& title,
                                               const std::string& defaultText) {
  bool ok = false;
  const QString text = QInputDialog::getText(QApplication::activeWindow(), Q(title), Q(prompt), QLineEdit::Normal,
                                             Q(defaultText), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

std::optional<std::string> QtDialogs::OpenFile(const FileDialogRequest& request) {
  QString filters = Q(QtNameFilter(request.filter));
  if (NameIsPattern(request)) {
    const QString patterns = AnyExtension(Q(request.fileName).replace(';', ' '));
    filters = filters.isEmpty() ? patterns : patterns + ";;" + filters;
  }
  return Chosen(QFileDialog::getOpenFileName(QApplication::activeWindow(), Q(request.title), StartPath(request), filters));
}

std::optional<std::string> QtDialogs::SaveFile(const FileDialogRequest& request) {
  return Chosen(QFileDialog::getSaveFileName(QApplication::activeWindow(), Q(request.title), StartPath(request),
                                             Q(QtNameFilter(request.filter))));
}

std::optional<std::string> QtDialogs::ChoosePrinter(const std::string& current) {
  QStringList names;
  for (const auto& name : printers().Names()) names << Q(name);
  const int currentIndex = std::max<int>(0, static_cast<int>(names.indexOf(Q(current))));
  bool ok = false;
  const QString chosen =
      QInputDialog::getItem(QApplication::activeWindow(), "Print", "Printer:", names, currentIndex, false, &ok);
  if (!ok || chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

std::optional<std::string> QtDialogs::ChooseFolder(const FileDialogRequest& request) {
  return Chosen(QFileDialog::getExistingDirectory(QApplication::activeWindow(), Q(request.title), StartPath(request)));
}

int QtDialogs::ShowModal(QWidget& window) {
  if (auto* dialog = qobject_cast<QDialog*>(&window)) return dialog->exec();
  QPointer<QWidget> shown(&window);
  window.setWindowModality(Qt::ApplicationModal);
  window.show();
  while (shown && shown->isVisible()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return 0;
}

}  // namespace ui
