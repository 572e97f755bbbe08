#pragma once
// The banded report object: a layout (see Layout.h) bound to a data source,
// laid out on Letter pages and printed, previewed, written to PDF or
// captured as text.
//
// A designer is a Report made from its JSON resource; a designer with code
// derives from Report and overrides the events. Create<> makes one and
// raises Initialize before anyone else sees it:
//
//   class rptNotes : public report::Report {
//    public:
//     rptNotes() : Report(":/designers/rptNotes.json") {}
//    protected:
//     void DataReport_Initialize() override { Orientation(ui::OrientationLandscape); }
//   };
//   auto rpt = report::Create<rptNotes>();
//   rpt->DataSource(rows);
//   rpt->Sections("Section1").Controls("lblFormName").Caption("Tax");
//   rpt->Show(1);
//
// Sections and controls are found by name in any letter case, or by
// 1-based index; a missing one is error 9. Printing is synchronous: every
// job has ended when PrintReport returns, so AsyncCount is always 0.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "db/Recordset.h"
#include "report/Layout.h"
#include "report/Pages.h"
#include "ui/Printers.h"
#include "vb/VbError.h"

namespace report {

class ReportPreview;

// The kinds of jobs that the Error event names.
enum AsyncType : int { AsyncPreview = 0, AsyncPrint = 1, AsyncExport = 2 };

// The run-time error of a print job that cannot be done.
inline constexpr long ErrPrinter = 482;

class Control {
 public:
  explicit Control(ControlLayout& c) : c_(&c) {}
  const std::string& Name() const { return c_->name; }
  ControlKind Kind() const { return c_->kind; }
  const std::string& Caption() const { return c_->caption; }
  void Caption(std::string caption) { c_->caption = std::move(caption); }
  bool Visible() const { return c_->visible; }
  void Visible(bool visible) { c_->visible = visible; }
  const std::string& DataMember() const { return c_->dataMember; }
  void DataMember(std::string member) { c_->dataMember = std::move(member); }
  const std::string& DataField() const { return c_->dataField; }
  void DataField(std::string field) { c_->dataField = std::move(field); }
  const std::string& Format() const { return c_->format; }
  void Format(std::string format) { c_->format = std::move(format); }
  int Left() const { return c_->left; }
  int Top() const { return c_->top; }
  int Width() const { return c_->width; }
  int Height() const { return c_->height; }

 private:
  ControlLayout* c_;
};

namespace detail {
// Error 9, naming the section or control that is not there.
[[noreturn]] void RaiseMissing(const char* kind, std::string_view name);
[[noreturn]] void RaiseMissing(const char* kind, int index);
bool NamesEqual(std::string_view a, std::string_view b);
}  // namespace detail

// The sections of a report or the controls of a section: by name in any
// letter case, or by 1-based index.
template <class Handle, class Element>
class Collection {
 public:
  explicit Collection(std::vector<Element>& elements, const char* kind) : elements_(&elements), kind_(kind) {}
  int Count() const { return static_cast<int>(elements_->size()); }
  Handle Item(std::string_view name) const {
    for (Element& element : *elements_) {
      if (detail::NamesEqual(element.name, name)) return Handle(element);
    }
    detail::RaiseMissing(kind_, name);
  }
  Handle Item(int index) const {
    if (index < 1 || index > Count()) detail::RaiseMissing(kind_, index);
    return Handle((*elements_)[static_cast<std::size_t>(index - 1)]);
  }
  Handle operator()(std::string_view name) const { return Item(name); }
  Handle operator()(int index) const { return Item(index); }

 private:
  std::vector<Element>* elements_;
  const char* kind_;
};

using Controls = Collection<Control, ControlLayout>;

class Section {
 public:
  explicit Section(SectionLayout& s) : s_(&s) {}
  const std::string& Name() const { return s_->name; }
  SectionKind Kind() const { return s_->kind; }
  bool Visible() const { return s_->visible; }
  void Visible(bool visible) { s_->visible = visible; }
  int Height() const { return s_->height; }
  void Height(int twips) { s_->height = twips; }
  bool KeepTogether() const { return s_->keepTogether; }
  void KeepTogether(bool keep) { s_->keepTogether = keep; }
  int ForcePageBreak() const { return s_->pageBreak; }
  void ForcePageBreak(int pageBreak) { s_->pageBreak = pageBreak; }
  report::Controls Controls() const { return report::Controls(s_->controls, "control"); }
  Control Controls(std::string_view name) const { return Controls().Item(name); }
  Control Controls(int index) const { return Controls().Item(index); }

 private:
  SectionLayout* s_;
};

using Sections = Collection<Section, SectionLayout>;

class Report {
 public:
  // A report of the layout in a file or Qt resource (see LoadLayout).
  explicit Report(const std::string& layoutPath);
  explicit Report(Layout layout);
  virtual ~Report();
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;

  // Raises Initialize, once; Create<> calls it.
  void RaiseInitialize();

  const std::string& Name() const { return layout_.name; }
  report::Sections Sections() { return report::Sections(layout_.sections, "section"); }
  Section Sections(std::string_view name) { return Sections().Item(name); }
  Section Sections(int index) { return Sections().Item(index); }

  // The preview window's caption.
  const std::string& Caption() const { return layout_.caption; }
  void Caption(std::string caption);
  // The report title, printed for "%i".
  const std::string& Title() const { return layout_.title; }
  void Title(std::string title) { layout_.title = std::move(title); }
  // The rows to print: a flat set, or a shaped one whose levels feed the
  // group sections outermost first (db/Shape.h).
  const db::RecordsetPtr& DataSource() const { return data_; }
  void DataSource(db::RecordsetPtr data) { data_ = std::move(data); }
  // 1 portrait, 2 landscape, 0 not set: the program's job orientation.
  int Orientation() const { return layout_.orientation; }
  void Orientation(int orientation);
  // The size of the preview window, in twips.
  int Width() const { return layout_.windowWidth; }
  void Width(int twips);
  int Height() const { return layout_.windowHeight; }
  void Height(int twips);
  // The width the layout's sections are designed for.
  int ReportWidth() const { return layout_.width; }
  // Whether the preview window is shown; showing it opens it modeless.
  bool Visible() const;
  void Visible(bool visible);

  // Lays the report out again from its data source (in the open preview too).
  void Refresh();
  // Prints every page on the program's job printer, or on one the user
  // picks when `showDialog` (cancelling prints nothing); answers the job's
  // cookie. With no printer, or a job that cannot be set up, Error is raised
  // and, unless its handler clears showError, the error is shown.
  long PrintReport(bool showDialog = false);
  int AsyncCount() const { return 0; }
  // How the last PrintReport ended: Printed, Cancelled (the printer dialog
  // or the PDF printer's file question) or Failed (no printer, or the
  // printer refused the job); Failed before any.
  ui::JobOutcome LastJobOutcome() const { return lastOutcome_; }
  // Style 1: the modal preview, with page moves, zoom and Print; returns
  // when it is closed. Style 0: the same window, modeless.
  void Show(int style = 0);

  // The pages as they print now.
  std::vector<Page> Capture();
  // Writes every page into a PDF file; error 75 when it cannot be written.
  void WritePdf(const std::string& path);
  // The orientation the pages are laid out in: the report's own, else the
  // program's job orientation.
  int JobOrientation() const;

 protected:
  virtual void DataReport_Initialize() {}
  // A job failed: `error` says why; clearing `showError` keeps the report
  // from showing it.
  virtual void DataReport_Error(int jobType, long cookie, const vb::VbError& error, bool& showError) {
    (void)jobType;
    (void)cookie;
    (void)error;
    (void)showError;
  }

 private:
  friend class ReportPreview;
  // Raises Error for a job and shows the error unless the handler says not to.
  void RaiseError(int jobType, long cookie, const vb::VbError& error);

  Layout layout_;
  db::RecordsetPtr data_;
  bool initialized_ = false;
  long lastCookie_ = 0;
  ui::JobOutcome lastOutcome_ = ui::JobOutcome::Failed;
  std::unique_ptr<ReportPreview> preview_;
};

// Makes a designer and raises its Initialize event.
template <class Designer = Report, class... Args>
std::shared_ptr<Designer> Create(Args&&... args) {
  auto report = std::make_shared<Designer>(std::forward<Args>(args)...);
  report->RaiseInitialize();
  return report;
}

}  // namespace report
