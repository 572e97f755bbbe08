// A banded report of 300 tax rows, one page each, bound, paginated and
// written into a PDF, against the same texts and bars drawn straight with
// QPainter into a QPdfWriter in the same run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "db/Recordset.h"
#include "report/Report.h"
#include "report/Text.h"

namespace {

constexpr int kRows = 300;

std::filesystem::path Target() { return std::filesystem::temp_directory_path() / "levbench-report.pdf"; }

// The tax report's shape: a page heading, one kept-together detail band a
// page with sixteen amount lines of five controls each, and a page footer.
std::string TaxLayout() {
  auto label = [](const std::string& name, int left, int top, int width, const std::string& caption,
                  const char* align = "left") {
    return R"({"name": ")" + name + R"(", "kind": "label", "left": )" + std::to_string(left) + R"(, "top": )" +
           std::to_string(top) + R"(, "width": )" + std::to_string(width) + R"(, "height": 300, "caption": ")" +
           caption + R"(", "align": ")" + align + R"(", "canGrow": true, "font": {"name": "Courier New", "size": 9}})";
  };
  auto bar = [](const std::string& name, int top) {
    return R"({"name": ")" + name + R"(", "kind": "shape", "left": 144, "top": )" + std::to_string(top) +
           R"(, "width": 9930, "height": 45, "fillColor": "#400040"})";
  };
  std::string header = label("lblformname", 144, 144, 9936, "Tax Report", "center") + "," + bar("Shape2", 432) +
                       "," + label("lblCountyName", 144, 576, 7344, "County: Alder") + "," +
                       label("lblDistrictName", 144, 864, 7344, "District: Alder County Office of Education") +
                       "," + label("Label9", 144, 1152, 1440, "CDS CODE") + "," + bar("Shape1", 1440);
  std::string detail = R"({"name": "Text1", "kind": "textBox", "left": 5296, "top": 111, "width": 4784, "height": 300,
      "dataField": "ResSchoolDistName", "font": {"name": "Courier New", "size": 9, "bold": true}})";
  for (int line = 0; line < 16; ++line) {
    const int top = 2487 + line * 480;
    const std::string n = std::to_string(line + 1);
    detail += "," + label("Item" + n, 144, top, 6870, "Amount line " + n) + "," +
              label("Code" + n, 7172, top, 500, "A-" + n, "center") + "," + label("Dollar" + n, 7612, top, 500, "$") +
              R"(, {"name": "txt)" + n + R"(", "kind": "textBox", "left": 8032, "top": )" + std::to_string(top) +
              R"J(, "width": 1900, "height": 300, "dataField": "Amount", "format": "#,##0;(#,##0)", "align": "right",
              "canGrow": true, "font": {"name": "Courier New", "size": 9}}, {"name": "Line)J" + n +
              R"(", "kind": "line", "left": 8032, "top": )" + std::to_string(top + 300) + R"(, "width": 1900, "height": 0})";
  }
  const std::string footer = bar("Shape6", 144) + "," + label("Label3", 144, 288, 5184, "Varnholt") + "," +
                             label("Label1", 144, 864, 9924, "Page %p of %P", "center") + "," +
                             label("Label2", 6912, 864, 3000, "%d  %T", "right");
  return R"({"name": "rptBench", "width": 10081, "margins": {"left": 720, "right": 720, "top": 720, "bottom": 720},
    "sections": [
      {"name": "Section1", "kind": "pageHeader", "height": 1629, "controls": [)" + header + R"(]},
      {"name": "Section3", "kind": "detail", "height": 12111, "keepTogether": true, "pageBreak": "before",
       "controls": [)" + detail + R"(]},
      {"name": "Sec45", "kind": "pageFooter", "height": 1248, "controls": [)" + footer + R"(]}]})";
}

db::RecordsetPtr TaxRows() {
  std::vector<db::FieldMeta> fields(2);
  fields[0].name = "ResSchoolDistName";
  fields[0].type = db::DataType::VarWChar;
  fields[1].name = "Amount";
  fields[1].type = db::DataType::Currency;
  std::vector<std::vector<vb::Variant>> rows;
  for (int i = 0; i < kRows; ++i) {
    rows.push_back({"District of Residence " + std::to_string(i), vb::Variant(vb::Currency{(i - 150) * 12345670LL})});
  }
  return db::Recordset::FromRows(std::move(fields), std::move(rows));
}

std::shared_ptr<report::Report> MakeReport() {
  auto rpt = report::Create<report::Report>(report::ParseLayout(TaxLayout(), "bench"));
  rpt->DataSource(TaxRows());
  return rpt;
}

void BM_Report_WritePdf(benchmark::State& state) {
  auto rpt = MakeReport();
  for (auto _ : state) rpt->WritePdf(Target().string());
}

// The same pages' texts and bars, already placed, drawn straight.
void BM_Report_QPainterBaseline(benchmark::State& state) {
  const std::vector<report::Page> pages = MakeReport()->Capture();
  for (auto _ : state) {
    QPdfWriter writer(QString::fromStdString(Target().string()));
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
    QPainter painter(&writer);
    const double scale = writer.logicalDpiX() / 1440.0;
    painter.scale(scale, scale);
    for (std::size_t p = 0; p < pages.size(); ++p) {
      if (p) writer.newPage();
      for (const report::PrintedItem& item : pages[p].items) {
        if (item.kind == report::ControlKind::Shape) {
          painter.fillRect(QRectF(item.rect.left, item.rect.top, item.rect.width, item.rect.height), QColor(64, 0, 64));
        } else if (!item.lines.empty()) {
          painter.setFont(report::detail::TwipsFont(item.font));
          painter.drawText(QPointF(item.rect.left, item.lineTop + item.lineHeight * 0.8),
                           QString::fromStdString(item.lines.front()));
        }
      }
    }
  }
}

BENCHMARK(BM_Report_QPainterBaseline)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Report_WritePdf)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  bench::RatioReporter reporter({{"300 tax pages into a PDF", "BM_Report_WritePdf", "BM_Report_QPainterBaseline", 2.0}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::filesystem::remove(Target());
  return 0;
}
