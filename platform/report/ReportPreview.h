#pragma once
// The preview window of a report: one page at a time, with page moves, a
// zoom and Print, sized as the report's Width and Height say.

#include <vector>

#include "report/Pages.h"
#include "ui/Form.h"
#include "ui_ReportPreview.h"

namespace report {

class Report;
class PageView;

class ReportPreview : public ui::Form, public Ui::ReportPreview {
  Q_OBJECT

 public:
  explicit ReportPreview(Report& report, QWidget* parent = nullptr);
  ~ReportPreview() override;

  // Shows these pages, staying on the current page where it still exists.
  void ShowPages(std::vector<Page> pages);
  // Sizes the window as the report's Width and Height say.
  void FitWindow();
  int CurrentPage() const { return current_; }
  // The pages shown.
  const std::vector<Page>& Pages() const { return pages_; }
  void GoToPage(int page);

  void cmdFirst_Click() { GoToPage(1); }
  void cmdPrevious_Click() { GoToPage(current_ - 1); }
  void cmdNext_Click() { GoToPage(current_ + 1); }
  void cmdLast_Click() { GoToPage(static_cast<int>(pages_.size())); }
  void cboZoom_Click();
  void cmdPrint_Click();
  void cmdClose_Click() { Unload(); }

 protected:
  void Form_Load() override;
  void resizeEvent(QResizeEvent* event) override;
  // The page is fitted again whenever the page area changes size (it gets
  // its size only after the window is first shown).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Update();
  // Device pixels per twip at the chosen zoom.
  double Scale() const;

  Report& report_;
  std::vector<Page> pages_;
  int current_ = 1;
  PageView* view_ = nullptr;
  bool updating_ = false;
};

}  // namespace report
