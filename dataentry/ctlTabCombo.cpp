#include "ctlTabCombo.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QSignalBlocker>

#include "ui/Form.h"
#include "ui/Twips.h"
#include "vb/VbError.h"
#include "zelErrHandler.h"

namespace {

constexpr const char* kModule = "ctlTabCombo";

// The layout, in twips.
constexpr int kHeight = 315;
constexpr int kListLeft = 50;
constexpr int kButtonRoom = 500;  // the list and the tab strip leave this to the buttons
constexpr int kButtonWidth = 495;

using ui::SetTwipsGeometry;

// The button pictures, drawn on the button face: a small tabbed page (the
// tab strip) and a small drop-down list (the list).
QPixmap TabbedPage(const QPalette& palette) {
  QPixmap picture(20, 16);
  picture.fill(palette.color(QPalette::Button));
  QPainter p(&picture);
  p.setPen(palette.color(QPalette::ButtonText));
  p.setBrush(palette.color(QPalette::Base));
  p.drawRect(2, 5, 15, 9);     // the page
  p.drawRect(2, 1, 5, 4);      // its front tab
  p.setBrush(palette.color(QPalette::Button));
  p.drawRect(8, 2, 5, 3);      // a tab behind
  p.setPen(palette.color(QPalette::Base));
  p.drawLine(3, 5, 6, 5);      // the front tab opens into the page
  return picture;
}

QPixmap DropDownList(const QPalette& palette) {
  QPixmap picture(20, 18);
  picture.fill(palette.color(QPalette::Button));
  QPainter p(&picture);
  const QColor ink = palette.color(QPalette::ButtonText);
  p.setPen(ink);
  p.setBrush(palette.color(QPalette::Base));
  p.drawRect(1, 1, 17, 5);     // the box
  p.drawRect(1, 7, 13, 9);     // the dropped list
  p.setBrush(palette.color(QPalette::Button));
  p.drawRect(13, 1, 5, 5);     // the arrow button
  p.setBrush(ink);
  const QPoint arrow[] = {QPoint(14, 3), QPoint(17, 3), QPoint(15, 5)};
  p.drawPolygon(arrow, 3);
  for (int y : {9, 11, 13}) p.drawLine(3, y, 11, y);  // its items
  return picture;
}

}  // namespace

ctlTabCombo::ctlTabCombo(QWidget* parent) : QWidget(parent) {
  setupUi(this);
  ui::UseLayoutFace(*this, ui::FaceFamily::Kept);
  SetTwipsGeometry(*cboCtl, 0, 0, 4590, kHeight);
  SetTwipsGeometry(*tabCtl, 0, 0, 4575, kHeight);
  SetTwipsGeometry(*cmdTab, 4560, 0, kButtonWidth, kHeight);
  SetTwipsGeometry(*cmdCombo, 4560, 0, kButtonWidth, kHeight);
  cmdTab->setIcon(TabbedPage(palette()));
  cmdTab->setIconSize(QSize(20, 16));
  cmdCombo->setIcon(DropDownList(palette()));
  cmdCombo->setIconSize(QSize(20, 18));
  // A focus given to the switcher goes to the presentation in use. The tab
  // strip is not a tab stop: a focus given to it shows the chosen entry and
  // hands the focus on to that entry's control, so as a stop it would only
  // send the Tab key back; a click and the code still give it the focus.
  setFocusProxy(tabCtl);

  connect(cmdCombo, &QPushButton::clicked, this, [this] { cmdCombo_Click(); });
  connect(cmdTab, &QPushButton::clicked, this, [this] { cmdTab_Click(); });
  connect(cboCtl, &QComboBox::activated, this, [this] { cboCtl_Click(); });
  // A click raises TabClick once the tab strip has taken it in.
  connect(tabCtl, &QTabBar::tabBarClicked, this, [this] {
    QMetaObject::invokeMethod(this, [this] { tabCtl_Click(); }, Qt::QueuedConnection);
  });
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now == tabCtl) tabCtl_GotFocus();
  });
}

// --- Members -------------------------------------------------------------------------

QWidget* ctlTabCombo::ParentForm() const { return parentForm_; }

void ctlTabCombo::ParentForm(QWidget* aForm) { parentForm_ = aForm; }

std::string ctlTabCombo::cbotext() const { return cboCtl->currentText().toStdString(); }

std::int16_t ctlTabCombo::CurrentIndex() const { return currentIndex_ < 1 ? 1 : currentIndex_; }

std::int16_t ctlTabCombo::TabNumber() const {
  return tabCtl->count() == 0 ? 0 : static_cast<std::int16_t>(tabCtl->currentIndex() + 1);
}

std::string& ctlTabCombo::NameAt(int position) {
  if (position < 0 || position >= kMaxEntries) vb::Raise(vb::err::SubscriptOutOfRange);
  return names_[static_cast<std::size_t>(position)];
}

QWidget& ctlTabCombo::HostControl(const std::string& name) const {
  return ui::Control(vb::Deref(parentForm_.data()), name);
}

void ctlTabCombo::AddItem(const std::string& strName, const std::string& StrCtl) {
  Trap trap(kModule, "AddItem");
  const QString caption = QString::fromStdString(strName);
  trap([&] {
    // A new item is not chosen: the list's position stays where it was.
    const QSignalBlocker quiet(cboCtl);
    const int position = cboCtl->currentIndex();
    cboCtl->addItem(caption);
    cboCtl->setCurrentIndex(position);
  });
  trap([&] { tabCtl->setTabText(tabCtl->addTab(caption), caption); });
  // Only a name that found its place in the table counts as an entry.
  trap([&] {
    NameAt(count_) = StrCtl;
    ++count_;
  });
}

void ctlTabCombo::DelItem() {
  Trap trap(kModule, "DelItem");
  trap([&] {
    const QSignalBlocker quiet(cboCtl);
    cboCtl->clear();
  });
  trap([&] {
    while (tabCtl->count() > 0) tabCtl->removeTab(tabCtl->count() - 1);
  });
}

void ctlTabCombo::EnableCtl(bool enabled) {
  Trap trap(kModule, "EnableCtl");
  for (int k = 0; k < count_; ++k) trap([&] { HostControl(NameAt(k)).setEnabled(enabled); });
}

void ctlTabCombo::NextControl() {
  Trap trap(kModule, "NextControl");
  trap([&] {
    if (mode_ != "Tab") return;
    const int selected = tabCtl->currentIndex() + 1;
    tabCtl->setCurrentIndex(selected == tabCtl->count() ? 0 : selected);
    currentIndex_ = static_cast<std::int16_t>(tabCtl->currentIndex() + 1);
  });
  trap([&] {
    if (mode_ != "Combo") return;
    const int position = cboCtl->currentIndex();
    SetListPosition(position == cboCtl->count() - 1 ? 0 : position + 1);
    currentIndex_ = static_cast<std::int16_t>(cboCtl->currentIndex() + 1);
  });
}

void ctlTabCombo::SetListPosition(int position) {
  if (position < 0 || position >= cboCtl->count()) vb::Raise(vb::err::InvalidPropertyValue);
  {
    const QSignalBlocker quiet(cboCtl);
    cboCtl->setCurrentIndex(position);
  }
  cboCtl_Click();
}

// --- Showing an entry -------------------------------------------------------------------

void ctlTabCombo::VisibleCtl(const std::string& selector) {
  Trap trap(kModule, "VisibleCtl");
  for (int k = 0; k < count_; ++k) trap([&] { HostControl(NameAt(k)).setVisible(false); });
  std::string name;
  trap([&] {
    if (selector == "Tab1") {
      name = NameAt(tabCtl->currentIndex());
      currentIndex_ = static_cast<std::int16_t>(tabCtl->currentIndex() + 1);
    } else if (selector == "Combo1") {
      name = NameAt(cboCtl->currentIndex());
      currentIndex_ = static_cast<std::int16_t>(cboCtl->currentIndex() + 1);
    }
  });
  // A control that cannot take the focus, or none of that name, is passed over.
  Trap show(kModule, "VisibleCtl", Trap::Mode::Silent);
  show([&] {
    QWidget& control = HostControl(name);
    control.setVisible(true);
    control.setFocus(Qt::OtherFocusReason);
  });
}

void ctlTabCombo::tabCtl_GotFocus() {
  Trap trap(kModule, "tabCtl_GotFocus");
  trap([&] { mode_ = "Tab"; });
  trap([&] { VisibleCtl("Tab1"); });
}

void ctlTabCombo::tabCtl_Click() {
  Trap trap(kModule, "tabCtl_Click");
  trap([&] { emit TabClick(); });
}

void ctlTabCombo::cboCtl_Click() {
  Trap trap(kModule, "cboCtl_Click");
  trap([&] { mode_ = "Combo"; });
  trap([&] { VisibleCtl("Combo1"); });
  trap([&] { emit TabClick(); });
}

// --- The two presentations ---------------------------------------------------------------

void ctlTabCombo::cmdCombo_Click() {
  Trap trap(kModule, "cmdCombo_Click");
  trap([&] { cboCtl->setVisible(true); });
  trap([&] { cmdTab->setVisible(true); });
  trap([&] { tabCtl->setVisible(false); });
  trap([&] { cmdCombo->setVisible(false); });
  trap([&] { setFocusProxy(cboCtl); });
  trap([&] { SetListPosition(cboCtl->findText(tabCtl->tabText(tabCtl->currentIndex()))); });
  trap([&] { mode_ = "Combo"; });
}

void ctlTabCombo::cmdTab_Click() {
  Trap trap(kModule, "cmdTab_Click");
  trap([&] { tabCtl->setVisible(true); });
  trap([&] { cmdCombo->setVisible(true); });
  trap([&] { cboCtl->setVisible(false); });
  trap([&] { cmdTab->setVisible(false); });
  trap([&] { setFocusProxy(tabCtl); });
  trap([&] {
    const int position = cboCtl->currentIndex();
    if (position < 0 || position >= tabCtl->count()) vb::Raise(vb::err::InvalidPropertyValue);
    tabCtl->setCurrentIndex(position);
  });
  trap([&] { currentIndex_ = static_cast<std::int16_t>(tabCtl->currentIndex() + 1); });
  trap([&] { mode_ = "Tab"; });
}

// --- Layout ---------------------------------------------------------------------------------

// The list and the tab strip run from 50 twips to 500 short of the right
// edge, the buttons start there; the switcher is always 315 twips high.
void ctlTabCombo::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Trap trap(kModule, "UserControl_Resize", Trap::Mode::Silent);
  const int width = ui::PixelsToWholeTwipsX(this->width());
  trap([&] {
    if (width < kButtonRoom) vb::Raise(vb::err::InvalidPropertyValue);
    SetTwipsGeometry(*cboCtl, kListLeft, 0, width - kButtonRoom, kHeight);
    SetTwipsGeometry(*cmdTab, width - kButtonRoom, 0, kButtonWidth, kHeight);
    SetTwipsGeometry(*cmdCombo, width - kButtonRoom, 0, kButtonWidth, kHeight);
    SetTwipsGeometry(*tabCtl, kListLeft, 0, width - kButtonRoom, kHeight);
  });
  trap([&] {
    const int height = ui::TwipsToPixelsY(kHeight);
    if (this->height() != height) resize(this->width(), height);
  });
}
