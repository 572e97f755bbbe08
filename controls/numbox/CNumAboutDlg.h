#pragma once
// The about box of the numeric field library: its icon, the product name,
// the version line and OK, which ends it with 1.

#include <QDialog>

#include <memory>

namespace Ui {
class CNumAboutDlg;
}

namespace numbox {

class CNumAboutDlg : public QDialog {
  Q_OBJECT

 public:
  // The id of the OK button.
  static constexpr int kOkId = 1004;
  static constexpr int kOkResult = 1;

  explicit CNumAboutDlg(QWidget* parent = nullptr);
  ~CNumAboutDlg() override;

  // Presses OK.
  void ClickOK();

 private:
  std::unique_ptr<Ui::CNumAboutDlg> ui_;
};

}  // namespace numbox
