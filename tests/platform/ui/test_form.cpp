// The life of a form: loaded once, activated each time it is shown,
// asked before every unload, unloaded once however it is closed, and
// loadable again afterwards.

#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ScriptedDialogs.h"
#include "ui/Form.h"

namespace {

class TracedForm : public ui::Form {
 public:
  std::string trace;
  // The answers of the next questions before unloading: true keeps the form.
  std::vector<bool> keep;
  // Run while the question is asked.
  std::function<void()> whileAsked;

 protected:
  void Form_Load() override { trace += "L"; }
  void Form_Activate() override { trace += "A"; }
  void Form_QueryUnload(bool& cancel, UnloadMode mode) override {
    trace += mode == UnloadMode::ControlMenu ? "Qm" : "Qc";
    if (whileAsked) std::exchange(whileAsked, nullptr)();
    if (!keep.empty()) {
      cancel = keep.front();
      keep.erase(keep.begin());
    }
  }
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
  EXPECT_EQ(form.trace, "LAQmU");
  EXPECT_FALSE(form.Loaded());

  dialogs.AnswerModal([&](QWidget&) {
    form.Unload();
    return 0;
  });
  form.ShowModal();
  EXPECT_EQ(form.trace, "LAQmULAQcU");
  dialogs.ExpectAllUsed();
}

TEST(FormLife, TheQuestionBeforeUnloadingCanKeepTheFormOpenWhicheverWayItIsClosed) {
  TracedForm form;
  form.Load();
  form.show();

  form.keep = {true, true, true};
  EXPECT_FALSE(form.Unload());
  EXPECT_FALSE(form.close());  // the close box
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_EQ(form.trace, "LQcQmQc");
  EXPECT_TRUE(form.Loaded());
  EXPECT_TRUE(form.isVisible());

  // A close asked for while the question is open is refused; the question
  // is not asked twice.
  form.trace.clear();
  form.whileAsked = [&] { EXPECT_FALSE(form.Unload()); };
  EXPECT_TRUE(form.Unload());
  EXPECT_EQ(form.trace, "QcU");
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(form.Loaded());

  // A form that is not loaded closes without asking.
  form.trace.clear();
  form.show();
  EXPECT_TRUE(form.close());
  EXPECT_EQ(form.trace, "");
}

}  // namespace
