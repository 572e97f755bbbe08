#include "zelErrHandler.h"

#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "vb/App.h"
#include "vb/End.h"

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

}  // namespace zelErrHandler

bool Trap::Handle(long number, const std::string& description) {
  failed_ = true;
  errorNumber_ = number;
  errorDescription_ = description;
  if (mode_ == Mode::Silent) return false;
  switch (zelErrHandler::ReportError(number, description, vb::App::Title(), module_, procedure_)) {
    case ui::vbAbort:
      vb::End();
    case ui::vbRetry:
      return true;
    case ui::vbIgnore:
      return false;
    default:
      left_ = true;
      return false;
  }
}
