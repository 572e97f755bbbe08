#pragma once
// The user's part in the print commands' modal windows, for any fixture.

#include <QPlainTextEdit>
#include <string>

#include "ScriptedDialogs.h"
#include "frmTaxSummary.h"

// The tax dialog's next answer: "School District", "COE" (then Print), or
// "Cancel".
inline void AnswerTaxDialog(ScriptedDialogs& dialogs, const std::string& choice) {
  dialogs.AnswerModal([choice](QWidget& window) {
    auto& dialog = dynamic_cast<frmTaxSummary&>(window);
    if (choice == "Cancel") {
      dialog.cmdClose->click();
    } else {
      (choice == "COE" ? dialog.optCOE : dialog.optDistrict)->setChecked(true);
      dialog.cmdView->click();
    }
    return dialog.result();
  });
}

// The next modal window is the status window: its text goes to `log`, and
// it is closed.
inline void RecordStatus(ScriptedDialogs& dialogs, std::string& log) {
  dialogs.AnswerModal([&log](QWidget& window) {
    log = window.findChild<QPlainTextEdit*>("txtStatus")->toPlainText().toStdString();
    window.close();
    return 0;
  });
}
