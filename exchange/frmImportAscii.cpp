#include "frmImportAscii.h"

#include <QElapsedTimer>
#include <filesystem>
#include <memory>
#include <fstream>
#include <optional>
#include <sstream>

#include "AsciiFile.h"
#include "AsciiImportCopy.h"
#include "ScopeOfParams.h"
#include "Utilities.h"
#include "modGlobals.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Pump.h"
#include "ui/Twips.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "vb/Trap.h"

namespace {

constexpr const char* kModule = "frmImportAscii";
using vb::kCrLf;

// The layout, in twips: the window's client area, then its controls. The
// label is wider than designed (900) so that its bold text is not cut off
// in the faces this system has; it still ends before the text field.
constexpr ui::TwipsPlace kPlaces[] = {
    {"frmImportAscii", 0, 0, 8925, 1230}, {"Label1", 240, 240, 1050, 195},     {"txtFile", 1320, 240, 6135, 315},
    {"cmdAction", 7560, 240, 1215, 375},  {"cmdClose", 7560, 720, 1215, 375},
};

// The bytes of a file; nullopt when it cannot be read.
std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return bytes.str();
}

}  // namespace

frmImportAscii::frmImportAscii(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  ui::UseLayoutFace(*this);
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  ui::PlaceControls(*this, kPlaces);
  setFixedSize(size());
  connect(cmdAction, &QPushButton::clicked, this, [this] { cmdAction_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

void frmImportAscii::Form_Load() {
  Trap trap(kModule, "Form_Load");
  trap([&] { mstrDelimiter = ","; });
  trap([&] { setWindowTitle("Importing ASCII Data"); });
}

void frmImportAscii::cmdClose_Click() { Unload(); }

void frmImportAscii::ShowImportFailure() { ui::MsgBox(asciiimport::ImportFailureMessage(), ui::vbInformation); }

std::string frmImportAscii::ImportFolder() {
  const std::filesystem::path program(vb::App::Path());
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(program, ignored))
    if (entry.is_directory(ignored) && vb::UCase(entry.path().filename().string()) == "IMPORT") return entry.path().string();
  return (program / "Import").string();
}

void frmImportAscii::cmdAction_Click() {
  Trap trap(kModule, "cmdAction_Click");
  vb::Date stamp{};
  trap([&] { stamp = ui::Now(); });
  trap([&] {
    setEnabled(false);
    mstrFormName.clear();
    verdict_ = {};
  });
  // Every way out of the run enables the window again.
  struct Enable {
    frmImportAscii& window;
    ~Enable() {
      Utilities::ScreenMouseEnabled(true);
      window.setEnabled(true);
    }
  } enable{*this};

  std::optional<std::string> chosen;
  trap([&] {
    ui::FileDialogRequest request;
    request.filter = "Text (*.txt)|*.txt";
    request.initialDir = ImportFolder();
    chosen = ui::dialogs().OpenFile(request);
  });
  if (!chosen) return;
  trap([&] { txtFile->setText(QString::fromStdString(*chosen)); });
  if (chosen->empty()) return;
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(*chosen, ignored)) {
    trap([] { ui::MsgBox("Import file is not available", ui::vbInformation); });
    return;
  }

  Utilities::ScreenMouseEnabled(false);
  std::vector<std::string> lines;
  bool read = false;
  trap([&] {
    const std::optional<std::string> bytes = ReadBytes(*chosen);
    if (!bytes) return;
    lines = asciifile::SplitLines(*bytes);
    read = true;
  });
  if (!read) {
    trap([] { ui::MsgBox("Import file is not available", ui::vbInformation); });
    return;
  }
  trap([&] {
    const clsGlobalParam& P = modGlobals::GlobalParam();
    asciiimport::Scope scope;
    scope.conn = modGlobals::SharedConnection();
    scope.CountyID = P.CountyID;
    scope.DistrictID = P.DistrictID;
    scope.ReportYear = P.ReportYear;
    scope.ReportPeriod = P.ReportPeriod;
    scope.LogonUserGroup = P.LogonUserGroup;
    // Painting goes on during a long check, at most every 100 ms.
    auto since = std::make_shared<QElapsedTimer>();
    since->start();
    scope.pump = [since] {
      if (since->elapsed() < 100) return;
      ui::DoEvents();
      since->restart();
    };
    verdict_ = asciiimport::ValidateImportFile(lines, scope);
  });
  if (!verdict_.accepted) {
    if (!trap.Failed()) ShowImportFailure();
    return;
  }

  // Load and copy: a failure of either changes nothing and says so.
  std::string cause;
  bool copied = false;
  try {
    mstrFormName = verdict_.formName;
    // The check's rows are the file's rows: the file is not read again.
    std::size_t next = verdict_.blocksFrom;
    mrsImportRows = std::move(verdict_.rows);
    copied = CopyImportRows(lines, next, cause);
  } catch (const vb::VbError& e) {
    cause = e.Description();
  } catch (const std::exception& e) {
    cause = e.what();
  }
  Utilities::ScreenMouseEnabled(true);
  if (!copied) {
    trap([&] {
      ui::MsgBox("The file could not be imported; nothing has been changed." + std::string(kCrLf) + cause,
                 ui::vbExclamation);
    });
    return;
  }
  std::string status;
  trap([&] { status = StatusText(stamp); });
  trap([&] { Utilities::TransferStatus(status); });
}

bool frmImportAscii::CopyImportRows(const std::vector<std::string>& lines, std::size_t& next, std::string&) {
  mstrImportReport.clear();
  mintRowsCopied = mintRowsOverwritten = mintRowsSkipped = 0;
  asciiimport::CopyRun run;
  run.conn = modGlobals::SharedConnection();
  run.scope = forms::ScopeOf(modGlobals::GlobalParam());
  run.formName = mstrFormName;
  run.ask = [](const std::string& message, const std::string& caption) {
    return Utilities::MessageBox(message, caption);
  };
  run.lines = &lines;
  run.blocksFrom = next;
  run.allocationBlock = verdict_.allocationBlock;
  run.transferBlock = verdict_.transferBlock;
  const asciiimport::CopyCounts counts = asciiimport::CopyImportRows(run, vb::Deref(mrsImportRows.get()), mstrImportReport);
  mintRowsCopied = counts.copied;
  mintRowsOverwritten = counts.overwritten;
  mintRowsSkipped = counts.skipped;
  return true;
}

std::string frmImportAscii::StatusText(const vb::Date& stamp) const {
  const vb::Variant at(stamp);
  return "Import Date & Time: " + vb::Format(at, "mmm-dd-yyyy") + "  " + vb::Format(at, "hh:mm:ss") + kCrLf + kCrLf +
         "ASCII Data FileName: " + txtFile->text().toStdString() + kCrLf + kCrLf + kCrLf + kCrLf + kCrLf +
         mstrImportReport + kCrLf + "Import Operation Completed.";
}
