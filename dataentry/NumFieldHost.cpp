#include "NumFieldHost.h"

#include <QDialog>
#include <QVariant>
#include <string>

#include "numbox/CNumCtrl.h"
#include "numbox/NumModule.h"
#include "numbox/NumServices.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"

namespace NumFieldHost {
namespace {

class ProgramFormat final : public numbox::HostFormat {
 public:
  bool Format(const QVariant& value, const QString& format, QString& out) override {
    try {
      out = QString::fromStdString(vb::Format(vb::Variant(value.toString().toStdString()), format.toStdString()));
      return true;
    } catch (const vb::VbError&) {
      return false;
    }
  }
};

ProgramFormat programFormat;

class BoundField final : public BoundControl {
 public:
  explicit BoundField(numbox::CNumCtrl& field) : field_(field) {}

  std::string Name() const override { return field_.objectName().toStdString(); }
  std::string Tag() const override { return field_.property("tag").toString().toStdString(); }

  vb::Variant Text() const override {
    const QString text = field_.Text();
    return text.isEmpty() ? vb::Null : vb::Variant(text.toStdString());
  }

  void Text(const vb::Variant& value) override {
    try {
      field_.SetText(QString::fromStdString(vb::TextOf(value)));
    } catch (const numbox::NumError& e) {
      throw vb::VbError(e.Number(), e.Description().toStdString());
    }
  }

 private:
  numbox::CNumCtrl& field_;
};

}  // namespace

void Install() {
  numbox::SetHostFormat(&programFormat);
  numbox::SetShowModal([](QDialog& window) { return ui::dialogs().ShowModal(window); });
}

void Uninstall() {
  numbox::SetHostFormat(nullptr);
  numbox::SetShowModal({});
}

std::unique_ptr<BoundControl> BoundNumField(QWidget& widget) {
  if (auto* field = qobject_cast<numbox::CNumCtrl*>(&widget)) return std::make_unique<BoundField>(*field);
  return nullptr;
}

}  // namespace NumFieldHost
