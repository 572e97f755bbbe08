#include "numbox/CNumAboutDlg.h"

#include "ui_CNumAboutDlg.h"

#include <QPainter>
#include <QPixmap>

namespace numbox {

namespace {

// The library's icon: a small numeric field with its calculator button.
QPixmap LibraryIcon() {
  QPixmap icon(32, 32);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.fillRect(2, 9, 28, 14, Qt::white);
  p.setPen(QColor(0x80, 0x80, 0x80));
  p.drawRect(2, 9, 27, 13);
  p.fillRect(21, 11, 7, 10, QColor(0xC0, 0xC0, 0xC0));
  p.fillRect(23, 15, 3, 1, Qt::black);
  p.fillRect(24, 16, 1, 1, Qt::black);
  QFont f = p.font();
  f.setPixelSize(9);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(0x00, 0x00, 0x80));
  p.drawText(QRect(3, 10, 18, 12), Qt::AlignRight | Qt::AlignVCenter, "123");
  return icon;
}

}  // namespace

CNumAboutDlg::CNumAboutDlg(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CNumAboutDlg>()) {
  ui_->setupUi(this);
  ui_->picIcon->setPixmap(LibraryIcon());
  ui_->cmdOK->setProperty("controlId", kOkId);
  connect(ui_->cmdOK, &QPushButton::clicked, this, [this] { done(kOkResult); });
  setFixedSize(sizeHint());
}

CNumAboutDlg::~CNumAboutDlg() = default;

void CNumAboutDlg::ClickOK() { ui_->cmdOK->click(); }

}  // namespace numbox
