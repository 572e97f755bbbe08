#pragma once
// A window's menus as data: a table of items (name, caption, parent, design
// state) builds the menu bar, and each item keeps its visible, enabled and
// checked state, which is mirrored into the menu bar as it changes.
// Commands, tests and other parts of the program read and set items by name
// ("mnu_PY_P2", ignoring case).
//
// A click runs the item's command and nothing else: it never changes a
// check mark by itself, so a command that refuses leaves the marks as they
// were. Commands set the marks they mean to set.

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace ui {

struct MenuItemSpec {
  const char* name;
  const char* caption;         // "-" for a separator; "&" marks the access key
  const char* parent;          // nullptr for an item on the menu bar
  bool visible = true;         // the design state
  bool enabled = true;
  const char* shortcut = nullptr;  // a key such as "F1"
};

class MenuItem {
 public:
  const std::string& Name() const { return name_; }
  std::string Caption() const;
  bool Visible() const { return visible_; }
  void Visible(bool visible);
  bool Enabled() const { return enabled_; }
  void Enabled(bool enabled);
  bool Checked() const { return checked_; }
  void Checked(bool checked);

  // The action behind the item in the menu bar (a submenu's own action for
  // an item with items of its own).
  QAction* Action() const { return action_; }

 private:
  friend class MenuModel;
  void Mirror();

  std::string name_;
  QAction* action_ = nullptr;
  bool visible_ = true;
  bool enabled_ = true;
  bool checked_ = false;
  bool separator_ = false;
  std::function<void()> command_;
};

class MenuModel : public QObject {
 public:
  // Builds the items into the menu bar in table order; an item's parent
  // comes before it in the table.
  MenuModel(QMenuBar& bar, std::span<const MenuItemSpec> items, QObject* parent = nullptr);
  ~MenuModel() override;

  // Error 9 when there is no item of that name.
  MenuItem& Item(std::string_view name);
  const MenuItem& Item(std::string_view name) const;
  bool Has(std::string_view name) const;
  // The items in table order.
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }

  // The command that a click on the item runs.
  void OnClick(std::string_view name, std::function<void()> command);
  // Clicks the item as the user does: nothing happens while it is
  // disabled.
  void Click(std::string_view name);

 private:
  std::vector<std::unique_ptr<MenuItem>> items_;
  std::map<std::string, MenuItem*> byName_;  // lower-case names
  std::map<std::string, QMenu*> menus_;
};

}  // namespace ui
