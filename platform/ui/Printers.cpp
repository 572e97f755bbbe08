#include "ui/Printers.h"
#include "ui/Seam.h"

#include <optional>

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

#include "ui/Dialogs.h"

namespace ui {
namespace {

class SystemPrinters final : public Printers {
 public:
  std::vector<std::string> Names() override {
    std::vector<std::string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(name.toStdString());
    names.emplace_back(PdfPrinterName);
    return names;
  }
  std::string DefaultName() override {
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? std::string(PdfPrinterName) : name.toStdString();
  }
  bool PrintText(const std::string& printerName, const std::string& text) override {
    QPrinter printer;
    if (!SetUpJob(printer, printerName)) return false;
    QTextDocument document;
    document.setPlainText(QString::fromStdString(text));
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
  }
  JobOutcome PrintPages(const std::string& printerName, const PaintedJob& job) override {
    QPrinter printer(QPrinter::HighResolution);
    if (!SetUpJob(printer, printerName)) {
      return printerName == PdfPrinterName ? JobOutcome::Cancelled : JobOutcome::Failed;
    }
    printer.setDocName(QString::fromStdString(job.Title()));
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter),
                                      job.Orientation() == OrientationLandscape ? QPageLayout::Landscape
                                                                                : QPageLayout::Portrait,
                                      QMarginsF()));
    QPainter painter;
    if (!painter.begin(&printer)) return JobOutcome::Failed;
    for (int page = 1; page <= job.PageCount(); ++page) {
      if (page > 1 && !printer.newPage()) return JobOutcome::Failed;
      painter.save();
      job.PaintPage(painter, page);
      painter.restore();
    }
    painter.end();
    return printer.printerState() == QPrinter::Error ? JobOutcome::Failed : JobOutcome::Printed;
  }
};

int& Orientation() {
  static int orientation = OrientationPortrait;
  return orientation;
}

std::string& ChosenPrinter() {
  static std::string name;
  return name;
}

// The open PDF run: whether its folder was asked, the answer, and the name
// of its next job.
struct OpenPdfRun {
  bool open = false;
  bool asked = false;
  std::optional<std::string> folder;
  std::string nextName;
};

OpenPdfRun& Run() {
  static OpenPdfRun run;
  return run;
}

// The run's target of its next job: a file of the folder not taken yet.
std::optional<std::string> RunTarget() {
  OpenPdfRun& run = Run();
  if (!run.asked) {
    run.asked = true;
    FileDialogRequest request;
    request.title = "Print to PDF: the folder of the reports";
    run.folder = dialogs().ChooseFolder(request);
  }
  if (!run.folder) return std::nullopt;
  const QDir folder(QString::fromStdString(*run.folder));
  const QString base = QString::fromStdString(run.nextName.empty() ? std::string("Report") : run.nextName);
  QString path = folder.filePath(base + ".pdf");
  for (int n = 2; QFileInfo::exists(path); ++n) path = folder.filePath(base + QString(" (%1).pdf").arg(n));
  return path.toStdString();
}

}  // namespace

Printers& printers() {
  static SystemPrinters system;
  return SeamSlot<Printers>::Get(system);
}

Printers* SetPrinters(Printers* p) { return SeamSlot<Printers>::Set(p); }

std::string JobPrinter() { return ChosenPrinter().empty() ? printers().DefaultName() : ChosenPrinter(); }

void SetJobPrinter(const std::string& name) { ChosenPrinter() = name; }

int JobOrientation() { return Orientation(); }

void SetJobOrientation(int orientation) {
  Orientation() = orientation == OrientationLandscape ? OrientationLandscape : OrientationPortrait;
}

bool SetUpJob(QPrinter& printer, const std::string& printerName) {
  if (printerName == PdfPrinterName) {
    std::optional<std::string> target;
    if (Run().open) {
      target = RunTarget();
    } else {
      FileDialogRequest request;
      request.title = "Print to PDF";
      request.filter = "PDF (*.pdf)|*.pdf";
      target = dialogs().SaveFile(request);
    }
    if (!target) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(*target));
  } else {
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(printerName));
    if (info.isNull()) return false;
    printer.setPrinterName(info.printerName());
  }
  printer.setPageOrientation(JobOrientation() == OrientationLandscape ? QPageLayout::Landscape
                                                                       : QPageLayout::Portrait);
  return true;
}

PdfRun::PdfRun() { Run() = OpenPdfRun{true, false, std::nullopt, {}}; }

PdfRun::~PdfRun() { Run() = OpenPdfRun{}; }

void PdfRun::NameNextJob(const std::string& name) {
  if (!Run().open) return;
  std::string safe = name;
  for (char& c : safe) {
    if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) c = '-';
  }
  Run().nextName = safe;
}

}  // namespace ui
