#include "frmAbout.h"

#include <QFileInfo>

#include "ProductArtwork.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "ui/Settings.h"
#include "ui/Shell.h"
#include "vb/App.h"
#include "zelErrHandler.h"

frmAbout::frmAbout(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  Picture3->setPixmap(ProductArtwork(Picture3->minimumSize()));
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
}

void frmAbout::Form_Load() {
  Trap trap("frmAbout", "Form_Load");
  trap([&] {
    QFont font = lblSplashName->font();
    font.setPointSize(24);
    lblSplashName->setFont(font);
  });
  trap([&] { lblSplashName->setText(QString::fromStdString(modGlobals::SplashNameText())); });
  trap([&] { lblVersion->setText(QString::fromStdString(modGlobals::VersionText())); });
  trap([&] { setWindowTitle(QString::fromStdString(vb::App::Title())); });
}

void frmAbout::cmdSysInfo_Click() {
  Trap trap("frmAbout", "cmdSysInfo_Click");
  trap([&] { StartSysInfo(); });
}

void frmAbout::cmdOK_Click() {
  Trap trap("frmAbout", "cmdOK_Click");
  trap([&] { Unload(QDialog::Accepted); });
}

void frmAbout::StartSysInfo() {
  bool started = false;
  try {
    std::string path;
    if (GetKeyValue("VHO-KRN", "Setting", "SysInfoPath", path)) {
      const QFileInfo tool(QString::fromStdString(path));
      if (tool.isFile() && tool.isExecutable()) started = ui::shell().StartProgram(path, {});
    }
  } catch (const std::exception&) {
    started = false;
  }
  if (!started) ui::MsgBox("System information is unavailable at this time", ui::vbOKOnly, vb::App::Title());
}

bool frmAbout::GetKeyValue(const std::string& appName, const std::string& section, const std::string& key,
                           std::string& value) {
  bool found = false;
  Trap trap("frmAbout", "GetKeyValue");
  trap([&] {
    value.clear();
    found = ui::HasSetting(appName, section, key);
    if (found) value = ui::GetSetting(appName, section, key);
  });
  return found;
}
