#include "ui/MenuModel.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "vb/Conversions.h"
#include "vb/VbError.h"

namespace ui {

std::string MenuItem::Caption() const { return action_ ? action_->text().toStdString() : std::string(); }

void MenuItem::Visible(bool visible) {
  visible_ = visible;
  Mirror();
}

void MenuItem::Enabled(bool enabled) {
  enabled_ = enabled;
  Mirror();
}

void MenuItem::Checked(bool checked) {
  checked_ = checked;
  Mirror();
}

void MenuItem::Mirror() {
  if (!action_) return;
  action_->setVisible(visible_);
  action_->setEnabled(enabled_);
  // Only a checked item is checkable, so that the menu shows no empty
  // check boxes; a click on it toggles the action, and the item's own
  // state is put back before its command runs.
  if (!separator_) {
    action_->setCheckable(checked_);
    action_->setChecked(checked_);
  }
}

MenuModel::MenuModel(QMenuBar& bar, std::span<const MenuItemSpec> items, QObject* parent) : QObject(parent) {
  auto hasItems = [&](const char* name) {
    for (const MenuItemSpec& spec : items)
      if (spec.parent && vb::TextEquals(spec.parent, name)) return true;
    return false;
  };
  for (const MenuItemSpec& spec : items) {
    auto item = std::make_unique<MenuItem>();
    item->name_ = spec.name;
    item->visible_ = spec.visible;
    item->enabled_ = spec.enabled;
    const QString caption = QString::fromUtf8(spec.caption);
    QMenu* parentMenu = nullptr;
    if (spec.parent) {
      auto found = menus_.find(vb::LCase(spec.parent));
      if (found == menus_.end())
        throw vb::VbError(vb::err::SubscriptOutOfRange,
                          std::string("The menu ") + spec.parent + " comes after its item " + spec.name + ".");
      parentMenu = found->second;
    }
    if (hasItems(spec.name)) {
      QMenu* menu = parentMenu ? parentMenu->addMenu(caption) : bar.addMenu(caption);
      menu->setObjectName(QString::fromUtf8(spec.name));
      menus_[vb::LCase(spec.name)] = menu;
      item->action_ = menu->menuAction();
    } else if (caption == "-") {
      item->separator_ = true;
      item->action_ = parentMenu ? parentMenu->addSeparator() : bar.addSeparator();
    } else {
      item->action_ = parentMenu ? parentMenu->addAction(caption) : bar.addAction(caption);
    }
    item->action_->setObjectName(QString::fromUtf8(spec.name));
    if (spec.shortcut) item->action_->setShortcut(QKeySequence(QString::fromUtf8(spec.shortcut)));
    MenuItem* raw = item.get();
    connect(raw->action_, &QAction::triggered, this, [raw] {
      raw->Mirror();
      if (raw->command_) raw->command_();
    });
    raw->Mirror();
    byName_[vb::LCase(spec.name)] = raw;
    items_.push_back(std::move(item));
  }
}

MenuModel::~MenuModel() = default;

MenuItem& MenuModel::Item(std::string_view name) {
  return const_cast<MenuItem&>(static_cast<const MenuModel&>(*this).Item(name));
}

const MenuItem& MenuModel::Item(std::string_view name) const {
  auto found = byName_.find(vb::LCase(name));
  if (found == byName_.end())
    throw vb::VbError(vb::err::SubscriptOutOfRange, "There is no menu item " + std::string(name) + ".");
  return *found->second;
}

bool MenuModel::Has(std::string_view name) const { return byName_.count(vb::LCase(name)) > 0; }

void MenuModel::OnClick(std::string_view name, std::function<void()> command) {
  Item(name).command_ = std::move(command);
}

void MenuModel::Click(std::string_view name) { Item(name).action_->trigger(); }

}  // namespace ui
