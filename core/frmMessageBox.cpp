#include "frmMessageBox.h"

#include "modGlobals.h"
#include "zelErrHandler.h"

frmMessageBox::frmMessageBox(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  cmdAction = {cmdAction_0, cmdAction_1, cmdAction_2, cmdAction_3};
  for (int i = 0; i < static_cast<int>(cmdAction.size()); ++i)
    connect(cmdAction[i], &QPushButton::clicked, this, [this, i] { cmdAction_Click(i); });
}

void frmMessageBox::cmdAction_Click(int index) {
  Trap trap("frmMessageBox", "cmdAction_Click", Trap::Mode::Silent);
  trap([&] {
    const int answer = Answers.at(static_cast<std::size_t>(index));
    modGlobals::gintMessageBoxAnswer = static_cast<std::int16_t>(answer);
    Unload(answer);
  });
}

// Escape and the close box press No.
void frmMessageBox::reject() { cmdAction_Click(1); }
