#include "zelErrHandler.h"

#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "vb/App.h"

namespace zelErrHandler {

std::string ReportText(long number, const std::string& description, const std::string& project,
                       const std::string& module, const std::string& procedure) {
  return "Error No: " + std::to_string(number) + "\r\n" +  //
         "Description: " + description + "\r\n" +          //
         "Project: " + project + "\r\n" +                   //
         "Source: " + module + "\r\n" +                     //
         "Procedure: " + procedure + "\r\n" +               //
         "Version: " + modGlobals::gstrVersion;
}

int ReportError(long number, const std::string& description, const std::string& project,
                const std::string& module, const std::string& procedure, long /*line*/) {
  return ui::dialogs().MsgBox(ReportText(number, description, project, module, procedure),
                              ui::vbAbortRetryIgnore + ui::vbExclamation + ui::vbMsgBoxTopmost, "Exception");
}

void InstallReport() {
  vb::SetErrorReport([](long number, const std::string& description, const std::string& module,
                        const std::string& procedure) {
    return ReportError(number, description, vb::App::Title(), module, procedure);
  });
}

}  // namespace zelErrHandler
