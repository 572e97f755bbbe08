// The life of a form: loaded once, activated each time it is shown,
// unloaded once however it is closed, and loadable again afterwards.

#include <gtest/gtest.h>

#include <string>

#include "ScriptedDialogs.h"
#include "ui/Form.h"

namespace {

class TracedForm : public ui::Form {
 public:
  std::string trace;

 protected:
  void Form_Load() override { trace += "L"; }
  void Form_Activate() override { trace += "A"; }
  void Form_Unload() override { trace += "U"; }
};

TEST(FormLife, LoadOnceActivateEachShowUnloadOnceReloadAfterwards) {
  ScriptedDialogs dialogs;
  TracedForm form;
  form.Load();
  form.Load();
  EXPECT_EQ(form.trace, "L");

  dialogs.AnswerModal([&](QWidget&) {
    EXPECT_EQ(form.trace, "LA");  // activated before the user sees it
    form.close();                 // the close box
    form.Unload();                // a second close does not unload again
    return 0;
  });
  form.ShowModal();
  EXPECT_EQ(form.trace, "LAU");
  EXPECT_FALSE(form.Loaded());

  dialogs.AnswerModal([&](QWidget&) {
    form.Unload();
    return 0;
  });
  form.ShowModal();
  EXPECT_EQ(form.trace, "LAULAU");
  dialogs.ExpectAllUsed();
}

}  // namespace
