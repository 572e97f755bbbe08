// The FTP client against the test server: the blocks and texts of a send,
// the files it leaves on the server, and its failure texts.

#include <gtest/gtest.h>

#include "UploadFixture.h"
#include "clsFTP.h"

namespace {

class FtpClientTest : public UploadTest {
 protected:
  // A client of the upload account, its Status texts kept in statuses_.
  void Account(clsFTP& ftp, int port = 0) {
    ftp.Server = "127.0.0.1";
    ftp.Username = "BPTYrsq";
    ftp.Password = "KMTW7gate";
    ftp.Port = port ? port : Port();
    ftp.Status = [this](std::string& text) { statuses_.push_back(text); };
  }
  // Connected, in leafiles.
  bool Ready(clsFTP& ftp) {
    std::string folder = "leafiles";
    return ftp.Connect() && ftp.SetDirectory(folder);
  }
};

TEST_F(FtpClientTest, SendsAFileInWholeBlocksAndALastWriteAndReportsEach) {
  struct Case {
    std::size_t size;
    std::vector<std::string> texts;  // after the connection's two
  };
  const Case cases[] = {
      {1, {"Transfer Complete: 1 Bytes Total"}},
      {100000, {"Bytes Transferred: 100000", "Transfer Complete: 100000 Bytes Total"}},
      {250000,
       {"Bytes Transferred: 100000", "Bytes Transferred: 200000", "Transfer Complete: 250000 Bytes Total"}},
  };
  for (const Case& c : cases) {
    const std::string name = "VuzO_" + std::to_string(c.size);
    const auto source = ExportFileOf(name, c.size);
    clsFTP ftp;
    Account(ftp);
    ASSERT_TRUE(Ready(ftp)) << ftp.LastError();
    statuses_.clear();
    std::string remoteName;
    EXPECT_TRUE(ftp.SendFile(source.string(), remoteName)) << ftp.LastError();
    EXPECT_EQ(remoteName, name);  // the source's file name, handed back
    EXPECT_EQ(statuses_, c.texts) << c.size;
    EXPECT_EQ(ReadBytes(ServerUploadFolder() / name), ReadBytes(source)) << c.size;
    ftp.Disconnect();
  }
  // Nothing but the files themselves is left on the server.
  EXPECT_EQ(ServerUploads(), (std::vector<std::string>{"VuzO_1", "VuzO_100000", "VuzO_250000"}));
}

TEST_F(FtpClientTest, AnEmptyFileIsNotSent) {
  const auto source = ExportFileOf("VuzO_empty", 0);
  clsFTP ftp;
    Account(ftp);
  ASSERT_TRUE(Ready(ftp));
  std::string remoteName;
  EXPECT_FALSE(ftp.SendFile(source.string(), remoteName));
  EXPECT_EQ(ftp.LastError(), "Attempting to send an empty file");
  EXPECT_TRUE(ServerUploads().empty());
}

TEST_F(FtpClientTest, FailuresSayWhatWentWrong) {
  {
    clsFTP ftp;
    Account(ftp);
    ftp.Password = "wrong";
    EXPECT_FALSE(ftp.Connect());
    // The server's refusal: 12003, a fixed text and the reply line.
    const std::string& text = ftp.LastError();
    EXPECT_TRUE(text.starts_with("12003: ")) << text;
    ASSERT_NE(text.find('\r'), std::string::npos) << text;
    EXPECT_TRUE(text.substr(text.find('\r') + 1).starts_with("530 ")) << text;
  }
  {
    clsFTP ftp;
    Account(ftp, fixtures::ClosedPort());
    EXPECT_FALSE(ftp.Connect());
    EXPECT_EQ(ftp.LastError(), "7: Couldn't connect to server");
  }
  {
    clsFTP ftp;
    Account(ftp);
    ASSERT_TRUE(ftp.Connect());
    std::string missing = "nowhere";
    EXPECT_FALSE(ftp.SetDirectory(missing));
    const std::string failure = ftp.LastError();
    EXPECT_TRUE(failure.starts_with("12003: ") && failure.find("\r550 ") != std::string::npos) << failure;
    // A success does not clear it.
    std::string folder = "leafiles";
    EXPECT_TRUE(ftp.SetDirectory(folder));
    EXPECT_EQ(ftp.LastError(), failure);
  }
  {
    clsFTP ftp;
    Account(ftp);
    ASSERT_TRUE(Ready(ftp));
    std::string remoteName;
    EXPECT_FALSE(ftp.SendFile((ProgramFolder() / "Export" / "VuzO_gone").string(), remoteName));
    EXPECT_EQ(ftp.LastError(), "File not found");
  }
}

TEST_F(FtpClientTest, AFileTheServerHoldsIsNotReplaced) {
  WriteBytes(ServerUploadFolder() / "VuzO_held", "held");
  const auto source = ExportFileOf("VuzO_held", 1000);
  clsFTP ftp;
    Account(ftp);
  ASSERT_TRUE(Ready(ftp));
  std::string remoteName;
  EXPECT_FALSE(ftp.SendFile(source.string(), remoteName));
  EXPECT_EQ(ftp.LastError(), "VuzO_held already exists on the server");
  EXPECT_EQ(ReadBytes(ServerUploadFolder() / "VuzO_held"), "held");
  EXPECT_EQ(ServerUploads(), std::vector<std::string>{"VuzO_held"});
}

TEST_F(FtpClientTest, ACutSendLeavesNothingOnTheServerAndTheNextSendSucceeds) {
  StartServer({.refuseReplace = true, .cutAfter = 150000});
  const auto source = ExportFileOf("VuzO_cut", 250000);
  {
    clsFTP ftp;
    Account(ftp);
    ASSERT_TRUE(Ready(ftp));
    std::string remoteName;
    EXPECT_FALSE(ftp.SendFile(source.string(), remoteName));
    EXPECT_FALSE(ftp.LastError().empty());
    EXPECT_TRUE(ServerUploads().empty());
  }
  StartServer({.refuseReplace = true});
  clsFTP ftp;
    Account(ftp);
  ASSERT_TRUE(Ready(ftp));
  std::string remoteName;
  EXPECT_TRUE(ftp.SendFile(source.string(), remoteName)) << ftp.LastError();
  EXPECT_EQ(ReadBytes(ServerUploadFolder() / "VuzO_cut"), ReadBytes(source));
  EXPECT_EQ(ServerUploads(), std::vector<std::string>{"VuzO_cut"});
}

TEST_F(FtpClientTest, GetFileReplacesTheLocalFileOnlyWhenTheWholeFileHasArrived) {
  WriteBytes(ServerUploadFolder() / "remote.bin", Pattern(300000));
  const auto local = ProgramFolder() / "Import" / "local.bin";
  WriteBytes(local, "old");
  clsFTP ftp;
    Account(ftp);
  ASSERT_TRUE(Ready(ftp));
  EXPECT_TRUE(ftp.GetFile("remote.bin", local.string())) << ftp.LastError();
  EXPECT_EQ(ReadBytes(local), Pattern(300000));
  // A file the server lacks leaves the local one as it was.
  EXPECT_FALSE(ftp.GetFile("missing.bin", local.string()));
  EXPECT_TRUE(ftp.LastError().starts_with("12003: ")) << ftp.LastError();
  EXPECT_EQ(ReadBytes(local), Pattern(300000));
  // Nothing else is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(local.parent_path()), {}), 1);
}

}  // namespace
