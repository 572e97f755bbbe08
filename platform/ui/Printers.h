#pragma once
// The printer seam: the printers the program can print on (the system's
// printers and a PDF printer, so that printing works on a machine without a
// print server), and the settings of the program's own print jobs. The
// orientation is a setting of the program's jobs; the system's default for
// other programs is never changed.

#include <string>
#include <vector>

class QPainter;
class QPrinter;

namespace ui {

// The name under which the PDF printer is listed.
inline constexpr const char* PdfPrinterName = "Print to PDF";

// Page orientations, with the classic values.
inline constexpr int OrientationPortrait = 1;
inline constexpr int OrientationLandscape = 2;

// A print job that paints its own pages (a report): the printer seam sets
// the job up and hands it one page after the other.
class PaintedJob {
 public:
  virtual ~PaintedJob() = default;
  // The job's name in the printer's queue.
  virtual std::string Title() const = 0;
  virtual int PageCount() const = 0;
  // The orientation the pages are laid out for.
  virtual int Orientation() const = 0;
  // Paints page `page` (from 1) on a painter whose device is the whole
  // Letter sheet, in device units from its top-left corner.
  virtual void PaintPage(QPainter& painter, int page) const = 0;
  // What the pages hold, as text: each page and each thing printed on it.
  virtual std::string Capture() const = 0;
};

// How a painted job ended.
enum class JobOutcome {
  Printed,
  Cancelled,  // the user cancelled its set-up (the PDF printer's file)
  Failed,     // the printer is unknown or refused the job
};

class Printers {
 public:
  virtual ~Printers() = default;
  // The printers by name: the system's, then the PDF printer.
  virtual std::vector<std::string> Names() = 0;
  // The system's default printer, or the PDF printer when there is none.
  virtual std::string DefaultName() = 0;
  // Prints a plain text as one job on the named printer, in the program's
  // job orientation; answers false when nothing was printed.
  virtual bool PrintText(const std::string& printer, const std::string& text) = 0;
  // Prints a painted job on the named printer, on Letter paper in the job's
  // own orientation, every page in order.
  virtual JobOutcome PrintPages(const std::string& printer, const PaintedJob& job) = 0;
};

// The installed printers (the system's until another set is installed).
Printers& printers();
// Installs a printer set (not owned) and answers the previous one; nullptr
// restores the system's.
Printers* SetPrinters(Printers* printers);

// The printer of the program's print jobs: the one chosen in the printer
// set-up, or the default printer until one is chosen. An empty name goes
// back to the default.
std::string JobPrinter();
void SetJobPrinter(const std::string& name);

// The orientation of the program's print jobs (portrait at start).
int JobOrientation();
void SetJobOrientation(int orientation);

// Prepares a Qt printer for a job on the named printer in the program's job
// orientation. For the PDF printer the target file is asked for through the
// save dialog of the Dialogs seam (in a PdfRun, the run's folder); answers
// false when the user cancels or the printer is unknown.
bool SetUpJob(QPrinter& printer, const std::string& printerName);

// A run of several print jobs (a batch) that asks where the PDF printer's
// files go once, not once per job: while a run is open, its first job on
// the PDF printer asks for a folder through the Dialogs seam, and every PDF
// job of the run is written into it, named as NameNextJob says (".pdf"
// added; a name the folder holds already gets " (2)", " (3)", ...). A
// cancelled question cancels every PDF job of the run. Runs do not nest.
//
//   ui::PdfRun run;
//   for (...) { ui::PdfRun::NameNextJob("10017 Tax"); report.PrintReport(false); }
class PdfRun {
 public:
  PdfRun();
  ~PdfRun();
  PdfRun(const PdfRun&) = delete;
  PdfRun& operator=(const PdfRun&) = delete;

  // The file name of the open run's next PDF job (characters a file name
  // cannot hold become "-"); without a run it does nothing.
  static void NameNextJob(const std::string& name);
};

}  // namespace ui
