#include "report/ReportPreview.h"

#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "report/Report.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"

namespace report {

namespace {

// The blank around the page in the window, in pixels.
constexpr int kGutter = 12;

// The zoom choices: a percentage, or a fit.
constexpr int kFitWidth = -1;
constexpr int kFitPage = -2;

}  // namespace

// The sheet of the current page, drawn at the window's zoom on a grey desk.
class PageView final : public QWidget {
 public:
  explicit PageView(QWidget* parent) : QWidget(parent) {}

  void Set(const Page* page, double scale) {
    page_ = page;
    scale_ = scale;
    const int w = page ? static_cast<int>(page->width * scale) : 0;
    const int h = page ? static_cast<int>(page->height * scale) : 0;
    resize(w + 2 * kGutter, h + 2 * kGutter);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
    if (!page_) return;
    const QRectF sheet(kGutter, kGutter, page_->width * scale_, page_->height * scale_);
    painter.fillRect(sheet.translated(3, 3), QColor(64, 64, 64));
    painter.fillRect(sheet, Qt::white);
    painter.translate(kGutter, kGutter);
    PaintPage(*page_, painter, scale_);
  }

 private:
  const Page* page_ = nullptr;
  double scale_ = 1;
};

ReportPreview::ReportPreview(Report& report, QWidget* parent) : ui::Form(parent), report_(report) {
  setupUi(this);
  setWindowFlag(Qt::WindowMinMaxButtonsHint);
  view_ = new PageView(scrPage);
  scrPage->setWidget(view_);
  scrPage->setBackgroundRole(QPalette::Dark);
  scrPage->viewport()->installEventFilter(this);
  for (const auto& [text, value] : std::initializer_list<std::pair<const char*, int>>{
           {"Fit Width", kFitWidth}, {"Whole Page", kFitPage}, {"50%", 50}, {"75%", 75}, {"100%", 100},
           {"150%", 150}, {"200%", 200}}) {
    cboZoom->addItem(text, value);
  }
  connect(cmdFirst, &QPushButton::clicked, this, [this] { cmdFirst_Click(); });
  connect(cmdPrevious, &QPushButton::clicked, this, [this] { cmdPrevious_Click(); });
  connect(cmdNext, &QPushButton::clicked, this, [this] { cmdNext_Click(); });
  connect(cmdLast, &QPushButton::clicked, this, [this] { cmdLast_Click(); });
  connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
  connect(cboZoom, &QComboBox::activated, this, [this] { cboZoom_Click(); });
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::Form_Load() {
  setWindowTitle(QString::fromStdString(report_.Caption()));
  FitWindow();
}

void ReportPreview::FitWindow() {
  resize(std::max(320, ui::TwipsToPixelsX(report_.Width())), std::max(240, ui::TwipsToPixelsY(report_.Height())));
  Ui::ReportPreview::layout->activate();
  Update();
}

void ReportPreview::ShowPages(std::vector<Page> pages) {
  pages_ = std::move(pages);
  current_ = std::clamp(current_, 1, std::max(1, static_cast<int>(pages_.size())));
  Update();
}

void ReportPreview::GoToPage(int page) {
  const int clamped = std::clamp(page, 1, std::max(1, static_cast<int>(pages_.size())));
  if (clamped == current_) return;
  current_ = clamped;
  scrPage->verticalScrollBar()->setValue(0);
  Update();
}

void ReportPreview::cboZoom_Click() { Update(); }

void ReportPreview::cmdPrint_Click() {
  try {
    report_.PrintReport(true);
  } catch (const std::exception& e) {
    ui::MsgBox(e.what(), ui::vbExclamation);
  }
}

void ReportPreview::resizeEvent(QResizeEvent* event) {
  ui::Form::resizeEvent(event);
  Update();
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event) {
  if (watched == scrPage->viewport() && event->type() == QEvent::Resize) Update();
  return ui::Form::eventFilter(watched, event);
}

double ReportPreview::Scale() const {
  const double actual = logicalDpiX() / 1440.0;
  const int zoom = cboZoom->currentData().toInt();
  if (zoom > 0) return actual * zoom / 100.0;
  const Page* page = pages_.empty() ? nullptr : &pages_[static_cast<std::size_t>(current_ - 1)];
  const int sheetWidth = page ? page->width : LetterShortSide;
  const int sheetHeight = page ? page->height : LetterLongSide;
  // Room for the page beside the scroll bar it may need.
  const double width = scrPage->viewport()->width() - 2.0 * kGutter -
                       (zoom == kFitWidth ? scrPage->verticalScrollBar()->sizeHint().width() : 0);
  const double height = scrPage->viewport()->height() - 2.0 * kGutter;
  const double fitWidth = std::max(0.01, width / sheetWidth);
  return zoom == kFitWidth ? fitWidth : std::max(0.01, std::min(fitWidth, height / sheetHeight));
}

void ReportPreview::Update() {
  if (updating_) return;
  updating_ = true;
  const int count = static_cast<int>(pages_.size());
  lblPage->setText(QString("Page %1 of %2").arg(current_).arg(count));
  cmdFirst->setEnabled(current_ > 1);
  cmdPrevious->setEnabled(current_ > 1);
  cmdNext->setEnabled(current_ < count);
  cmdLast->setEnabled(current_ < count);
  view_->Set(count ? &pages_[static_cast<std::size_t>(current_ - 1)] : nullptr, Scale());
  updating_ = false;
}

}  // namespace report
