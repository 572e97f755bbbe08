#include "ui/Shell.h"
#include "ui/Dialogs.h"
#include "ui/Seam.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace ui {
namespace {

class DesktopShell final : public Shell {
 public:
  bool OpenUrl(const std::string& url) override {
    const QUrl target = QUrl::fromUserInput(QString::fromStdString(url));
    return target.isValid() && QDesktopServices::openUrl(target);
  }
  bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override {
    QStringList args;
    for (const auto& a : arguments) args << QString::fromStdString(a);
    return QProcess::startDetached(QString::fromStdString(program), args);
  }
};

}  // namespace

Shell& shell() {
  static DesktopShell desktop;
  return SeamSlot<Shell>::Get(desktop);
}

Shell* SetShell(Shell* s) { return SeamSlot<Shell>::Set(s); }

bool OpenPage(const std::string& url) {
  if (shell().OpenUrl(url)) return true;
  MsgBox("The page " + url + " could not be opened.", vbExclamation);
  return false;
}

}  // namespace ui
