#pragma once
// The Dialogs seam over Qt's standard dialogs, installed by the program at
// start.

#include <string>

#include "ui/Dialogs.h"

class QFont;
class QMessageBox;
class QString;

namespace ui {

class QtDialogs final : public Dialogs {
 public:
  int MsgBox(const std::string& prompt, int style, const std::string& title) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChoosePrinter(const std::string& current) override;
  std::optional<std::string> ChooseFolder(const FileDialogRequest& request) override;
  int ShowModal(QWidget& window) override;
};

// A classic filter ("Text (*.txt)|*.txt|All files (*.*)|*.*") as Qt's
// name filter ("Text (*.txt);;All files (*.*)"): each description followed
// by its patterns in brackets, unless it names them already.
std::string QtNameFilter(const std::string& classicFilter);

// The least width of a box whose title bar shows `title` whole: the title
// in the bar's bold face of `font`, and room for the bar's icon and
// buttons.
int TitleWidth(const QString& title, const QFont& font);
// Makes a message box at least as wide as its title needs (at most nine
// tenths of its screen); call it once the box has its title, texts, icon
// and buttons.
void WidenToTitle(QMessageBox& box);

}  // namespace ui
