#include "BoundControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVariant>

#include "vb/Conversions.h"

namespace {

[[noreturn]] void NotSupported() {
  throw vb::VbError(vb::err::NotSupported, "Object doesn't support this property or method");
}

class QtControl final : public BoundControl {
 public:
  explicit QtControl(QWidget& widget) : widget_(widget) {}

  std::string Name() const override { return widget_.objectName().toStdString(); }
  std::string Tag() const override { return widget_.property("tag").toString().toStdString(); }

  vb::Variant Text() const override {
    if (auto* edit = qobject_cast<QLineEdit*>(&widget_)) return vb::Variant(edit->text().toStdString());
    if (auto* text = qobject_cast<QPlainTextEdit*>(&widget_)) return vb::Variant(text->toPlainText().toStdString());
    if (auto* text = qobject_cast<QTextEdit*>(&widget_)) return vb::Variant(text->toPlainText().toStdString());
    if (auto* combo = qobject_cast<QComboBox*>(&widget_)) return vb::Variant(combo->currentText().toStdString());
    NotSupported();
  }

  void Text(const vb::Variant& value) override {
    const QString text = QString::fromStdString(vb::TextOf(value));
    if (auto* edit = qobject_cast<QLineEdit*>(&widget_)) return edit->setText(text);
    if (auto* box = qobject_cast<QPlainTextEdit*>(&widget_)) return box->setPlainText(text);
    if (auto* box = qobject_cast<QTextEdit*>(&widget_)) return box->setPlainText(text);
    if (auto* combo = qobject_cast<QComboBox*>(&widget_)) {
      int index = combo->findText(text);
      if (index >= 0) return combo->setCurrentIndex(index);
      if (combo->isEditable()) return combo->setEditText(text);
      return combo->setCurrentIndex(-1);
    }
    NotSupported();
  }

  vb::Variant Value() const override {
    if (auto* check = qobject_cast<QCheckBox*>(&widget_)) {
      switch (check->checkState()) {
        case Qt::Checked: return vb::Variant(static_cast<std::int16_t>(1));
        case Qt::PartiallyChecked: return vb::Variant(static_cast<std::int16_t>(2));
        default: return vb::Variant(static_cast<std::int16_t>(0));
      }
    }
    NotSupported();
  }

  void Value(const vb::Variant& value) override {
    if (auto* check = qobject_cast<QCheckBox*>(&widget_)) {
      const long v = vb::CLng(value);
      return check->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    }
    NotSupported();
  }

  void ListIndex(int index) override {
    if (auto* combo = qobject_cast<QComboBox*>(&widget_)) return combo->setCurrentIndex(index);
    NotSupported();
  }

 private:
  QWidget& widget_;
};

}  // namespace

vb::Variant BoundControl::Text() const { NotSupported(); }
void BoundControl::Text(const vb::Variant&) { NotSupported(); }
vb::Variant BoundControl::Value() const { NotSupported(); }
void BoundControl::Value(const vb::Variant&) { NotSupported(); }
void BoundControl::ListIndex(int) { NotSupported(); }

QtBoundControls::QtBoundControls(QWidget& container, const Maker& maker) {
  for (QWidget* widget : container.findChildren<QWidget*>()) {
    std::unique_ptr<BoundControl> own = maker ? maker(*widget) : nullptr;
    owned_.push_back(own ? std::move(own) : std::make_unique<QtControl>(*widget));
    view_.push_back(owned_.back().get());
  }
}

QtBoundControls::~QtBoundControls() = default;
