#pragma once
// The record dialogs' tests: a fresh program folder and sample database
// (ProgramTest) with the county office of Birch County logged on and the tax
// form current, the hand-over variables cleared, and helpers that read what
// a list shows.

#include <QComboBox>
#include <QListWidget>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "clsGlobalParam.h"
#include "clsMyAdoUtils.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"

using Texts = std::vector<std::string>;

class RecordDialogTest : public ProgramTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  clsGlobalParam& gp() { return *modGlobals::gobjGlobalParam; }
  // Runs a statement on the program's own connection.
  void Execute(const std::string& sql, const std::vector<vb::Variant>& params = {});
  vb::Variant Scalar(const std::string& sql, const std::vector<vb::Variant>& params = {});
  // The changes that the program's connection has written so far.
  long long WrittenChanges();
  // A copy of the global parameters, as an opener hands it to a dialog.
  std::shared_ptr<clsGlobalParam> OpenersParameters();

  // The next `count` message boxes are answered OK.
  void AcknowledgeMessages(int count);
  // The texts of the message boxes shown since the last call.
  Texts TakeMessages();
};

Texts ItemsOf(const QComboBox& box);
Texts ItemsOf(const QListWidget& list);
