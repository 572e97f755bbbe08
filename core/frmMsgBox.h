#pragma once
// A message box with a link: a caption, a text whose height the window
// adapts to, a button that opens a web page and a Close button. One
// program-wide instance; the caller sets the three properties before each
// show.

#include <string>

#include "ui/Form.h"
#include "ui_frmMsgBox.h"

class frmMsgBox : public ui::Form, public Ui::frmMsgBox {
  Q_OBJECT

 public:
  explicit frmMsgBox(QWidget* parent = nullptr);
  // The program-wide instance, created on first use.
  static frmMsgBox& Default();

  std::string MsgBoxText;
  std::string MsgBoxTitle;
  std::string URL;

  void cmdGoToURL_Click();
  void cmdOK_Click();

 protected:
  void Form_Load() override;
};
