#include "report/Report.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "report/Paginate.h"
#include "report/ReportPreview.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Printers.h"
#include "vb/Conversions.h"

namespace report {
namespace {

// A report's pages as a job of the printer seam.
class PagesJob final : public ui::PaintedJob {
 public:
  PagesJob(std::string title, int orientation, std::vector<Page> pages)
      : title_(std::move(title)), orientation_(orientation), pages_(std::move(pages)) {}
  std::string Title() const override { return title_; }
  int PageCount() const override { return static_cast<int>(pages_.size()); }
  int Orientation() const override { return orientation_; }
  void PaintPage(QPainter& painter, int page) const override {
    report::PaintPage(pages_.at(static_cast<std::size_t>(page - 1)), painter);
  }
  std::string Capture() const override { return CaptureText(pages_); }

 private:
  std::string title_;
  int orientation_;
  std::vector<Page> pages_;
};

}  // namespace

namespace detail {

void RaiseMissing(const char* kind, std::string_view name) {
  throw vb::VbError(vb::err::SubscriptOutOfRange,
                    "Subscript out of range: the report has no " + std::string(kind) + " \"" + std::string(name) + "\".");
}

void RaiseMissing(const char* kind, int index) {
  throw vb::VbError(vb::err::SubscriptOutOfRange,
                    "Subscript out of range: the report has no " + std::string(kind) + " " + std::to_string(index) + ".");
}

bool NamesEqual(std::string_view a, std::string_view b) { return vb::TextEquals(a, b); }

}  // namespace detail

Report::Report(const std::string& layoutPath) : Report(LoadLayout(layoutPath)) {}

Report::Report(Layout layout) : layout_(std::move(layout)) {}

Report::~Report() = default;

void Report::RaiseInitialize() {
  if (initialized_) return;
  initialized_ = true;
  DataReport_Initialize();
}

void Report::Caption(std::string caption) {
  layout_.caption = std::move(caption);
  if (preview_) preview_->setWindowTitle(QString::fromStdString(layout_.caption));
}

void Report::Orientation(int orientation) {
  if (orientation < 0 || orientation > 2)
    throw vb::VbError(vb::err::InvalidPropertyValue, "A report's orientation is 1 (portrait) or 2 (landscape).");
  layout_.orientation = orientation;
}

void Report::Width(int twips) {
  if (twips < 0) throw vb::VbError(vb::err::InvalidPropertyValue, "A report window's width cannot be below 0.");
  layout_.windowWidth = twips;
  if (preview_) preview_->FitWindow();
}

void Report::Height(int twips) {
  if (twips < 0) throw vb::VbError(vb::err::InvalidPropertyValue, "A report window's height cannot be below 0.");
  layout_.windowHeight = twips;
  if (preview_) preview_->FitWindow();
}

int Report::JobOrientation() const {
  return layout_.orientation == ui::OrientationLandscape || layout_.orientation == ui::OrientationPortrait
             ? layout_.orientation
             : ui::JobOrientation();
}

std::vector<Page> Report::Capture() {
  detail::PaginateRequest request;
  request.layout = &layout_;
  request.data = data_;
  request.orientation = JobOrientation();
  request.title = layout_.title;
  request.now = ui::Now();
  return detail::Paginate(request);
}

void Report::Refresh() {
  if (preview_) preview_->ShowPages(Capture());
}

void Report::RaiseError(int jobType, long cookie, const vb::VbError& error) {
  bool showError = true;
  DataReport_Error(jobType, cookie, error, showError);
  if (showError) ui::MsgBox(error.Description(), ui::vbExclamation);
}

long Report::PrintReport(bool showDialog) {
  const long cookie = ++lastCookie_;
  lastOutcome_ = ui::JobOutcome::Failed;
  if (ui::printers().Names().empty()) {
    RaiseError(AsyncPrint, cookie, vb::VbError(ErrPrinter, "There is no printer to print the report on."));
    return cookie;
  }
  std::string printer = ui::JobPrinter();
  if (showDialog) {
    const auto chosen = ui::dialogs().ChoosePrinter(printer);
    if (!chosen) {
      lastOutcome_ = ui::JobOutcome::Cancelled;
      return cookie;
    }
    printer = *chosen;
  }
  const PagesJob job(layout_.caption, JobOrientation(), Capture());
  lastOutcome_ = ui::printers().PrintPages(printer, job);
  if (lastOutcome_ == ui::JobOutcome::Failed) {
    RaiseError(AsyncPrint, cookie,
               vb::VbError(ErrPrinter, "The report cannot be printed on the printer \"" + printer + "\"."));
  }
  return cookie;
}

void Report::WritePdf(const std::string& path) {
  const std::vector<Page> pages = Capture();
  QPdfWriter writer(QString::fromStdString(path));
  writer.setTitle(QString::fromStdString(layout_.caption));
  writer.setResolution(1200);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter),
                                   JobOrientation() == ui::OrientationLandscape ? QPageLayout::Landscape
                                                                                : QPageLayout::Portrait,
                                   QMarginsF()));
  QPainter painter;
  if (!painter.begin(&writer)) {
    throw vb::VbError(vb::err::PathFileAccessError, "The report cannot be written to " + path + ".");
  }
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i) writer.newPage();
    PaintPage(pages[i], painter);
  }
  painter.end();
}

void Report::Show(int style) {
  if (!preview_) preview_ = std::make_unique<ReportPreview>(*this);
  preview_->ShowPages(Capture());
  if (style == 1) {
    preview_->ShowModal();
  } else {
    preview_->ShowModeless();
  }
}

bool Report::Visible() const { return preview_ && preview_->Loaded(); }

void Report::Visible(bool visible) {
  if (visible) {
    Show(0);
  } else if (preview_) {
    preview_->Unload();
  }
}

}  // namespace report
