#pragma once
// The Dialogs seam over Qt's standard dialogs, installed by the program at
// start.

#include <string>

#include "ui/Dialogs.h"

namespace ui {

class QtDialogs final : public Dialogs {
 public:
  int MsgBox(const std::string& prompt, int style, const std::string& title) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChoosePrinter(const std::string& current) override;
  int ShowModal(QWidget& window) override;
};

// A classic filter ("Text (*.txt)|*.txt|All files (*.*)|*.*") as Qt's
// name filter ("Text (*.txt);;All files (*.*)"): each description followed
// by its patterns in brackets, unless it names them already.
std::string QtNameFilter(const std::string& classicFilter);

}  // namespace ui
