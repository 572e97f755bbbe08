#include "frmMsgBox.h"

#include <QPointer>

#include "ui/Dialogs.h"
#include "ui/Shell.h"
#include "ui/Twips.h"
#include "vb/Conversions.h"

frmMsgBox::frmMsgBox(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  connect(cmdGoToURL, &QPushButton::clicked, this, [this] { cmdGoToURL_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

frmMsgBox& frmMsgBox::Default() {
  static QPointer<frmMsgBox> instance;
  if (!instance) instance = new frmMsgBox;
  return *instance;
}

void frmMsgBox::Form_Load() {
  cmdOK->setText("Close");
  cmdGoToURL->setText("Go to Software Release Notes");
  lblText->setText(QString::fromStdString(MsgBoxText));
  // One 250-twip line for every started hundred characters.
  const double labelTwips = static_cast<double>(vb::Len(MsgBoxText) / 100 + 1) * 250;
  lblText->resize(lblText->width(), ui::TwipsToPixelsY(labelTwips));
  const double windowTwips = labelTwips + 1500;
  setFixedHeight(ui::TwipsToPixelsY(windowTwips));
  setWindowTitle(QString::fromStdString(MsgBoxTitle));
  const double buttonTopTwips = windowTwips - 650 - ui::PixelsToTwipsY(cmdGoToURL->height());
  cmdGoToURL->move(cmdGoToURL->x(), ui::TwipsToPixelsY(buttonTopTwips));
  cmdOK->move(cmdOK->x(), ui::TwipsToPixelsY(buttonTopTwips));
}

void frmMsgBox::cmdGoToURL_Click() {
  ui::OpenPage(URL);
}

void frmMsgBox::cmdOK_Click() { Unload(QDialog::Accepted); }
