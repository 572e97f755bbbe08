#include "RecordDialogs.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "Utilities.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"
#include "vb/VbError.h"

namespace recorddialogs {

bool HasRows(const db::RecordsetPtr& rs) {
  return rs && rs->State() == db::ObjectState::Open && rs->RecordCount() > 0;
}

bool NoExistingRecord(Trap& trap, const db::RecordsetPtr& found) {
  bool exists = true;
  if (!trap([&] { exists = !vb::Deref(found).Eof() && found->RecordCount() >= 1; })) return false;
  if (exists) trap([] { ui::MsgBox("Record already exists for this selection", ui::vbInformation); });
  return !exists;
}

void CancelNewRecord(const char* module, ui::Form& window) {
  Trap trap(module, "cmdCancel_Click");
  trap([] {
    modGlobals::glngNewResCountyID = 0;
    modGlobals::glngNewResDistrictID = 0;
  });
  trap([&] { window.Unload(); });
}

namespace {

void FitLabels(QWidget& window) {
  for (QLabel* label : window.findChildren<QLabel*>()) {
    const int missing = label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->margin() - label->width();
    if (missing <= 0) continue;
    const Qt::Alignment alignment = label->alignment();
    const int left = alignment & Qt::AlignRight ? missing : alignment & Qt::AlignHCenter ? missing / 2 : 0;
    label->setGeometry(label->x() - left, label->y(), label->width() + missing, label->height());
  }
}

// The width a drop-down list needs to show `text` whole.
int ListWidthFor(const QComboBox& box, const QString& text) {
  QStyleOptionComboBox option;
  option.initFrom(&box);
  option.editable = box.isEditable();
  const QSize content(box.fontMetrics().horizontalAdvance(text), box.height());
  return box.style()->sizeFromContents(QStyle::CT_ComboBox, &option, content, &box).width();
}

// The lists of these dialogs end at the window's right margin, one under
// the other, and the buttons are centred below them: a list that must grow
// takes the lists ending where it does and the window with it, and the
// buttons stay centred. The window never grows past its screen, nor out of
// it.
void WidenLists(QWidget& window, QComboBox& box, int wanted) {
  const int right = box.x() + box.width();
  const int margin = window.width() - right;
  if (const QScreen* screen = window.screen())
    wanted = std::min(wanted, screen->availableGeometry().width() - margin - box.x());
  const int grow = wanted - box.width();
  if (grow <= 0) return;
  for (QComboBox* list : window.findChildren<QComboBox*>())
    if (list->x() + list->width() == right) list->resize(list->width() + grow, list->height());
  for (QPushButton* button : window.findChildren<QPushButton*>()) button->move(button->x() + grow / 2, button->y());
  window.setFixedSize(window.width() + grow, window.height());
  if (const QScreen* screen = window.screen(); screen && window.isVisible()) {
    const int overflow = window.frameGeometry().right() - screen->availableGeometry().right();
    if (overflow > 0) window.move(window.x() - overflow, window.y());
  }
}

// Each drop-down list grows, as rows come in, until it shows its longest
// row whole; its drop-down is then as wide as the list.
void ListsFitTheirRows(QWidget& window) {
  for (QComboBox* box : window.findChildren<QComboBox*>()) {
    QObject::connect(box->model(), &QAbstractItemModel::rowsInserted, box,
                     [&window, box](const QModelIndex&, int first, int last) {
                       int wanted = 0;
                       for (int row = first; row <= last; ++row)
                         wanted = std::max(wanted, ListWidthFor(*box, box->itemText(row)));
                       WidenLists(window, *box, wanted);
                     });
  }
}

}  // namespace

void DesignLook(QWidget& window) {
  ui::UseLayoutFace(window);
  FitLabels(window);
  window.setFixedSize(window.size());
  ListsFitTheirRows(window);
}

void ShowBusy(QWidget& window, bool busy) {
  Utilities::ScreenMouseEnabled(!busy);
  window.setEnabled(!busy);
}

BusyWindow::BusyWindow(QWidget& window) : window_(window) { ShowBusy(window_, true); }

BusyWindow::~BusyWindow() { ShowBusy(window_, false); }

}  // namespace recorddialogs
