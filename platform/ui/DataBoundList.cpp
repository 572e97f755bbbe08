#include "ui/DataBoundList.h"

#include <QSignalBlocker>

#include "vb/Conversions.h"
#include "vb/VbError.h"

namespace ui {

namespace {

constexpr int kBoundRole = Qt::UserRole;
constexpr int kBookmarkRole = Qt::UserRole + 1;

}  // namespace

DataBoundList::DataBoundList(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  connect(this, &QComboBox::activated, this, [this] { emit Click(); });
  connect(this, &QComboBox::currentIndexChanged, this, [this] { NotifyChange(); });
}

void DataBoundList::NotifyChange() {
  std::string text = Text();
  if (text == notifiedText_) return;
  notifiedText_ = std::move(text);
  emit Change();
}

void DataBoundList::RowSource(db::RecordsetPtr rs) {
  rowSource_ = std::move(rs);
  Fill();
}

void DataBoundList::ListField(std::string column) {
  listField_ = std::move(column);
  Fill();
}

void DataBoundList::BoundColumn(std::string column) {
  boundColumn_ = std::move(column);
  Fill();
}

void DataBoundList::Bind(db::RecordsetPtr rs, std::string listField, std::string boundColumn) {
  rowSource_ = std::move(rs);
  listField_ = std::move(listField);
  boundColumn_ = std::move(boundColumn);
  Fill();
}

void DataBoundList::Refresh() { Fill(); }

void DataBoundList::Fill() {
  // The text is cleared whatever happens; Change follows the new list.
  try {
    FillRows();
  } catch (...) {
    NotifyChange();
    throw;
  }
  NotifyChange();
}

void DataBoundList::FillRows() {
  const QSignalBlocker quiet(this);
  clear();
  if (!rowSource_ || rowSource_->State() != db::ObjectState::Open || listField_.empty()) return;
  db::Recordset& rs = *rowSource_;
  const int shown = rs.FieldIndex(listField_);
  const int bound = boundColumn_.empty() ? shown : rs.FieldIndex(boundColumn_);
  if (shown < 0 || bound < 0) vb::Raise(vb::err::ItemNotFound);
  // The rows are read where they stand: the record set does not move, so an
  // edit in progress stays open and no move notification fires.
  for (long position = 1; position <= rs.RecordCount(); ++position) {
    addItem(QString::fromStdString(vb::TextOf(rs.ValueAt(position, shown))));
    setItemData(count() - 1, QString::fromStdString(vb::TextOf(rs.ValueAt(position, bound))), kBoundRole);
    setItemData(count() - 1, static_cast<qlonglong>(position), kBookmarkRole);
  }
  setCurrentIndex(-1);
}

std::string DataBoundList::Text() const { return currentIndex() < 0 ? std::string() : currentText().toStdString(); }

void DataBoundList::Text(const std::string& text) {
  const QString wanted = QString::fromStdString(text);
  int index = wanted.isEmpty() ? -1 : findText(wanted, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index < 0 && !wanted.isEmpty()) index = findText(wanted, Qt::MatchFixedString);
  setCurrentIndex(index);
}

std::string DataBoundList::BoundText() const {
  return currentIndex() < 0 ? std::string() : itemData(currentIndex(), kBoundRole).toString().toStdString();
}

long DataBoundList::SelectedBookmark() const {
  return currentIndex() < 0 ? 0 : static_cast<long>(itemData(currentIndex(), kBookmarkRole).toLongLong());
}

}  // namespace ui
