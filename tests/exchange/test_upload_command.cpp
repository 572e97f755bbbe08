// The main window's upload command, with the upload window installed.

#include <gtest/gtest.h>

#include <QPointer>

#include "MainWindowFixture.h"
#include "frmTransfer.h"

namespace {

class UploadCommandTest : public MainWindowTest {
 protected:
  void TearDown() override {
    frmMain::SetUploadWindow(nullptr);
    MainWindowTest::TearDown();
  }
};

TEST_F(UploadCommandTest, OpensAFreshModalUploadWindowAndRefreshesNothing) {
  frmTransfer::Install();
  LogOn({});
  frmMain& w = Open();
  const std::vector<std::string> before = ListedAgencies();
  ASSERT_FALSE(before.empty());
  std::vector<QPointer<QWidget>> shown;
  for (int i = 0; i < 2; ++i) {
    dialogs_.AnswerModal([&](QWidget& window) {
      auto* upload = dynamic_cast<frmTransfer*>(&window);
      EXPECT_NE(upload, nullptr);
      EXPECT_TRUE(upload && upload->Loaded());
      EXPECT_EQ(window.parentWidget(), nullptr);
      shown.emplace_back(&window);
      // What a refresh would show.
      Execute("UPDATE KRN_LEAS SET STAT_TYPE = 'CLOSED'");
      return 0;
    });
    w.Menus().Click("mnuUploadCertifiedData");
  }
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_TRUE(!shown[0] && !shown[1]) << "each window is released when it closes";
  EXPECT_EQ(dialogs_.TakeMessages(), std::vector<std::string>{});
  EXPECT_EQ(ListedAgencies(), before);
  w.RefreshTopandBottomGrid(true);
  EXPECT_NE(ListedAgencies(), before) << "a refresh would have shown the change";
  dialogs_.ExpectAllUsed();
}

}  // namespace
