#pragma once
// What the certified-data benchmarks share: the user who answers every
// prompt at once, and a main window that stands still while an export runs.

#include <QWidget>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "MainWindowLink.h"
#include "ui/Dialogs.h"

namespace benchfixture {

// Answers every prompt at once: a message is printed and acknowledged, a
// modal window is answered by `modal` (closed unread when none is given).
class Unattended final : public ui::Dialogs {
 public:
  explicit Unattended(std::function<int(QWidget&)> modal = {}) : modal_(std::move(modal)) {}
  int MsgBox(const std::string& prompt, int, const std::string&) override {
    std::fprintf(stderr, "%s\n", prompt.c_str());
    return ui::vbOK;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::optional<std::string> OpenFile(const ui::FileDialogRequest&) override { return {}; }
  std::optional<std::string> SaveFile(const ui::FileDialogRequest&) override { return {}; }
  std::optional<std::string> ChoosePrinter(const std::string&) override { return {}; }
  std::optional<std::string> ChooseFolder(const ui::FileDialogRequest&) override { return {}; }
  int ShowModal(QWidget& window) override { return modal_ ? modal_(window) : 0; }

 private:
  std::function<int(QWidget&)> modal_;
};

class StillMainWindow final : public MainWindowLink {
 public:
  bool CorrectionMarked() const override { return false; }
  void DisconnectTopandBottomGrid() override {}
  void ConnectTopandBottomGrid() override {}
  void RefreshTopandBottomGrid(bool) override {}
};

}  // namespace benchfixture
