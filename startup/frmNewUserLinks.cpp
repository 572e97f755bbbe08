#include "frmNewUserLinks.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>

#include "frmNewUser.h"
#include "modGlobals.h"
#include "ui/Form.h"
#include "vb/VbError.h"

namespace contactLinks {

namespace {

struct Group {
  const char* text;
  int code;
};
constexpr Group kGroups[] = {
    {"County Office", 2}, {"School District", 3}, {"Charter School", 4}, {"SELPA", 5}, {"County Auditor", 7}};

std::function<void()>& LogonWindow() {
  static std::function<void()> show;
  return show;
}

// The loaded main window, found by its name; nullptr when none is open.
ui::Form* MainWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* form = qobject_cast<ui::Form*>(widget);
    if (form && form->Loaded() && form->objectName() == QStringLiteral("frmMain")) return form;
  }
  return nullptr;
}

}  // namespace

const char* GroupText(long code) {
  for (const Group& g : kGroups)
    if (g.code == code) return g.text;
  return nullptr;
}

int GroupCode(const std::string& text) {
  for (const Group& g : kGroups)
    if (text == g.text) return g.code;
  return 0;
}

void OnFormOpen(clsGlobalParam& /*Param*/) {
  const std::string& current = modGlobals::gstrCurrentForm;
  if (current == "New User" || current == "Update User")
    for (const char* group : {"County Office", "County Auditor"})
      frmNewUser::Default().cboUserGroup->addItem(QString::fromUtf8(group));
  if (current != "New User" && current != "frmMain")
    if (ui::Form* main = MainWindow()) main->setEnabled(false);
}

void ShowNewLogon() {
  if (!LogonWindow()) vb::Raise(vb::err::ObjectNotSet);
  LogonWindow()();
}

void SetLogonWindow(std::function<void()> show) { LogonWindow() = std::move(show); }

void EnableMainWindow() {
  if (ui::Form* main = MainWindow()) main->setEnabled(true);
}

void ShowUserNameInStatusBar(const std::string& name) {
  ui::Form* main = MainWindow();
  if (!main) return;
  auto* panel = main->findChild<QLabel*>(QStringLiteral("StBarMain_Panel2"));
  if (!panel) vb::Raise(vb::err::NotSupported);
  panel->setText(QString::fromStdString(name));
}

}  // namespace contactLinks
