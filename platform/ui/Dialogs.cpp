#include "ui/Dialogs.h"

#include <iostream>
#include <vector>

#include "ui/Seam.h"
#include "vb/App.h"

namespace ui {
namespace {

// Used where no window system is set up: reports on standard error and
// takes the default.
class ConsoleDialogs final : public Dialogs {
 public:
  int MsgBox(const std::string& prompt, int style, const std::string& title) override {
    std::cerr << title << ": " << prompt << '\n';
    return DefaultAnswer(style);
  }
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string&) override {
    std::cerr << title << ": " << prompt << '\n';
    return std::nullopt;
  }
  std::optional<std::string> OpenFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> ChoosePrinter(const std::string&) override { return std::nullopt; }
  std::optional<std::string> ChooseFolder(const FileDialogRequest&) override { return std::nullopt; }
  int ShowModal(QWidget&) override { return 0; }
};

}  // namespace

std::vector<int> ButtonAnswers(int style) {
  switch (ButtonsOf(style)) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
    default: return {vbOK};
  }
}

int DefaultAnswer(int style) {
  const std::vector<int> answers = ButtonAnswers(style);
  const auto index = static_cast<std::size_t>(DefaultButtonOf(style));
  return answers[index < answers.size() ? index : 0];
}

int CloseAnswer(int style) {
  switch (ButtonsOf(style)) {
    case vbOKCancel:
    case vbYesNoCancel:
    case vbRetryCancel:
      return vbCancel;
    case vbYesNo:
      return vbNo;
    case vbAbortRetryIgnore:
      return vbCancel;  // such a box cannot be closed without a button
    default:
      return vbOK;
  }
}


Dialogs& dialogs() {
  static ConsoleDialogs console;
  return SeamSlot<Dialogs>::Get(console);
}

Dialogs* SetDialogs(Dialogs* d) { return SeamSlot<Dialogs>::Set(d); }

int MsgBox(const std::string& prompt, int style, const std::string& title) {
  return dialogs().MsgBox(prompt, style, title.empty() ? vb::App::Title() : title);
}

}  // namespace ui
