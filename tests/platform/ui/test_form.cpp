// The life of a form: loaded once, activated each time it is shown,
// asked before every unload, unloaded once however it is closed, and
// loadable again afterwards.

#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "KeyInput.h"
#include "ScriptedDialogs.h"
#include "ui/Form.h"
#include "ui/MainForm.h"
#include "ui/QuorMaskText.h"
#include "ui/ScreenPlace.h"
#include "ui/Twips.h"

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

// Enter on a focused command button presses it in every window of the
// program, dialog or main window; it leaves a field that takes Enter alone,
// and a button that is the window's default still presses only itself.
TEST(FormKeys, EnterPressesTheFocusedButtonOnly) {
  enum Target { kOk, kDefault, kField };
  struct Case {
    Target focus;
    int key;
    Qt::KeyboardModifiers modifiers;
    int okClicks;
    int defaultClicks;
    int fieldEnters;
  };
  const Case cases[] = {
      {kOk, Qt::Key_Return, Qt::NoModifier, 1, 0, 0},
      {kOk, Qt::Key_Enter, Qt::KeypadModifier, 1, 0, 0},
      {kOk, Qt::Key_Return, Qt::ControlModifier, 0, 0, 0},
      {kOk, Qt::Key_Space, Qt::NoModifier, 1, 0, 0},  // as it always did
      {kDefault, Qt::Key_Return, Qt::NoModifier, 0, 1, 0},
      {kField, Qt::Key_Return, Qt::NoModifier, 0, 0, 1},
  };
  const std::function<std::unique_ptr<QWidget>(QWidget*&)> windows[] = {
      [](QWidget*& host) {
        auto form = std::make_unique<ui::Form>();
        host = form.get();
        return std::unique_ptr<QWidget>(std::move(form));
      },
      [](QWidget*& host) {
        auto main = std::make_unique<ui::MainForm>();
        host = new QWidget(main.get());
        main->setCentralWidget(host);
        return std::unique_ptr<QWidget>(std::move(main));
      },
  };
  for (const auto& makeWindow : windows) {
    for (const Case& c : cases) {
      QWidget* host = nullptr;
      const std::unique_ptr<QWidget> window = makeWindow(host);
      auto* field = new ui::QuorMaskText(host);
      auto* ok = new QPushButton("&OK", host);
      auto* byDefault = new QPushButton("&Logon", host);
      for (QPushButton* button : {ok, byDefault}) button->setAutoDefault(false);
      byDefault->setDefault(true);
      auto* layout = new QVBoxLayout(host);
      for (QWidget* widget : std::initializer_list<QWidget*>{field, ok, byDefault}) layout->addWidget(widget);
      int okClicks = 0, defaultClicks = 0, fieldEnters = 0;
      QObject::connect(ok, &QPushButton::clicked, [&] { ++okClicks; });
      QObject::connect(byDefault, &QPushButton::clicked, [&] { ++defaultClicks; });
      QObject::connect(field, &ui::QuorMaskText::KeyPress, [&](std::int16_t& key) { fieldEnters += key == 13; });
      window->show();
      QWidget* const targets[] = {ok, byDefault, field};
      QWidget* focus = targets[c.focus];
      focus->setFocus();
      QApplication::processEvents();

      fixtures::Key(*focus, c.key, {}, c.modifiers);
      const std::string name = std::string(window->metaObject()->className()) + " focus " +
                               std::to_string(c.focus) + " key " + std::to_string(c.key);
      EXPECT_EQ(okClicks, c.okClicks) << name;
      EXPECT_EQ(defaultClicks, c.defaultClicks) << name;
      EXPECT_EQ(fieldEnters, c.fieldEnters) << name;
    }
  }
}

}  // namespace

// --- Where windows open ---------------------------------------------------------

TEST(FormPlace, AWindowTakesItsPlaceInsideTheAvailableArea) {
  const QRect area(0, 30, 1024, 738);  // a 1024 x 768 screen less a 30-pixel panel at the top
  struct Case {
    const char* what;
    QRect frame;
    bool centre;
    QRect placed;
  } cases[] = {
      {"centred", {0, 0, 600, 400}, true, {212, 199, 600, 400}},
      {"placed and inside stays", {100, 100, 600, 400}, false, {100, 100, 600, 400}},
      {"past the bottom moves up", {190, 485, 910, 554}, false, {114, 214, 910, 554}},
      {"above the area moves down", {-50, 0, 300, 200}, false, {0, 30, 300, 200}},
      {"taller than the area shrinks to it", {0, 0, 600, 1000}, true, {212, 30, 600, 738}},
      {"larger than the area fills it", {300, 300, 2000, 1000}, false, {0, 30, 1024, 738}},
  };
  for (const Case& c : cases) EXPECT_EQ(ui::PlaceInside(c.frame, area, c.centre), c.placed) << c.what;
  // A window that cannot be made as small as the area shows its top-left corner.
  EXPECT_EQ(ui::PlaceInside({100, 100, 1200, 500}, area, true, {1100, 300}), QRect(0, 149, 1100, 500));
}

TEST(FormPlace, WindowsOpenWhollyInsideASmallScreen) {
  const QRect area = QApplication::primaryScreen()->availableGeometry();
  ASSERT_LT(area.height(), 1000);

  // A main window taller and wider than the screen, which nothing placed;
  // its layout lets it become no narrower than half the screen.
  ui::MainForm main;
  auto* content = new QWidget;
  content->setMinimumWidth(area.width() / 2);
  main.setCentralWidget(content);
  main.resize(area.width() + 200, area.height() + 300);
  main.ShowModeless();
  QApplication::processEvents();
  EXPECT_TRUE(area.contains(main.frameGeometry())) << main.frameGeometry().x() << "," << main.frameGeometry().y();
  main.Unload();

  // One that its layout keeps wider than the screen shows its left edge,
  // also when its content widens it as it opens, after it was placed.
  ui::MainForm wide;
  auto* wideContent = new QWidget;
  wide.setCentralWidget(wideContent);
  wide.resize(300, 200);
  wide.ShowModeless();
  wideContent->setMinimumWidth(area.width() + 100);
  QApplication::processEvents();
  EXPECT_EQ(wide.frameGeometry().left(), area.left());
  EXPECT_GE(wide.frameGeometry().top(), area.top());
  EXPECT_LE(wide.frameGeometry().bottom(), area.bottom());
  wide.Unload();

  // A dialog placed reaching past the bottom right corner.
  TracedForm form;
  form.resize(300, 200);
  form.move(area.right() - 100, area.bottom() - 50);
  form.ShowModeless();
  EXPECT_TRUE(area.contains(form.frameGeometry()));
  EXPECT_EQ(form.size(), QSize(300, 200));
  form.Unload();
}

TEST(FormPlace, AWindowSizedByItsLayoutTableOpensOverItsOwnerOrCentred) {
  const QRect area = QApplication::primaryScreen()->availableGeometry();
  // The table's own row of a window gives its client area, not where it opens.
  const ui::TwipsPlace places[] = {{"frmPlaced", 0, 0, 4500, 3000}, {"cmdOK", 120, 2400, 1215, 315}};
  const QSize size(ui::TwipsToPixelsX(4500), ui::TwipsToPixelsY(3000));
  auto distance = [](QPoint a, QPoint b) { return (a - b).manhattanLength(); };

  ui::MainForm owner;
  owner.setGeometry(area.left() + 10, area.top() + 10, area.width() / 2 + 200, area.height() / 2 + 150);
  owner.ShowModeless();
  QApplication::processEvents();
  for (QWidget* parent : {static_cast<QWidget*>(&owner), static_cast<QWidget*>(nullptr)}) {
    ui::Form form(parent);
    form.setObjectName("frmPlaced");
    auto* ok = new QPushButton(&form);
    ok->setObjectName("cmdOK");
    ui::PlaceControls(form, places);
    EXPECT_EQ(form.size(), size);
    EXPECT_EQ(ok->geometry(), QRect(ui::TwipsToPixelsX(120), ui::TwipsToPixelsY(2400), ui::TwipsToPixelsX(1215),
                                    ui::TwipsToPixelsY(315)));
    form.ShowModeless();
    QApplication::processEvents();
    const QPoint centre = parent ? owner.frameGeometry().center() : area.center();
    EXPECT_LE(distance(form.frameGeometry().center(), centre), 2)
        << (parent ? "over its owner" : "on its screen") << ": " << form.frameGeometry().x() << ","
        << form.frameGeometry().y();
    form.Unload();
  }
  owner.Unload();
}
