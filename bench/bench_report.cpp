// The tax report over 300 tax rows, one page each, bound, paginated and
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
#include "rptTax.h"

namespace {

constexpr int kRows = 300;

std::filesystem::path Target() { return std::filesystem::temp_directory_path() / "levbench-report.pdf"; }

// 300 rows of the tax report's fields: every amount line filled, the
// names of residence and the explanation of negative amounts.
db::RecordsetPtr TaxRows() {
  const std::vector<std::string> amounts = {"Secured", "Unsecured", "HOX", "Subventions", "DistributionTimberYieldTax",
                                            "DistributionPriorYearTax", "ReleasePriorYearTaxImpound",
                                            "SupplementalTax", "EducationalRevenueAugmentationFund",
                                            "PriorYearRestrictedMonie", "Total", "CommRedFunds", "SERAF",
                                            "RedevAgencyAssetLiquidation", "CollegeERAF", "EstExcessERAF"};
  std::vector<db::FieldMeta> fields;
  auto add = [&](const std::string& name, db::DataType type) {
    db::FieldMeta meta;
    meta.name = name;
    meta.type = type;
    fields.push_back(meta);
  };
  add("TaxType", db::DataType::VarWChar);
  add("RES_COUNTY_ID", db::DataType::Integer);
  add("RES_SCHOOL_DISTRICT_ID", db::DataType::Integer);
  add("RESCOUNTYNAME", db::DataType::VarWChar);
  add("ResSchoolDistName", db::DataType::VarWChar);
  for (const std::string& amount : amounts) add(amount, db::DataType::Currency);
  add("Explanation", db::DataType::VarWChar);
  std::vector<std::vector<vb::Variant>> rows;
  for (int i = 0; i < kRows; ++i) {
    std::vector<vb::Variant> row = {vb::Variant("School District"), vb::Variant(1), vb::Variant(20000 + i),
                                    vb::Variant("Alder"), vb::Variant("District of Residence " + std::to_string(i))};
    for (std::size_t a = 0; a < amounts.size(); ++a)
      row.push_back(vb::Variant(vb::Currency{(i - 150) * 12345670LL + static_cast<long long>(a) * 10000}));
    row.push_back(vb::Variant(i % 2 ? "Negative amounts are refunds of taxes collected twice in the prior year." : ""));
    rows.push_back(std::move(row));
  }
  return db::Recordset::FromRows(std::move(fields), std::move(rows));
}

std::shared_ptr<report::Report> MakeReport() {
  std::shared_ptr<report::Report> rpt = report::Create<rptTax>();
  rpt->DataSource(TaxRows());
  return rpt;
}

void BM_Report_WritePdf(benchmark::State& state) {
  auto rpt = MakeReport();
  for (auto _ : state) rpt->WritePdf(Target().string());
}

// The same pages' texts, lines and bars, already placed, drawn straight.
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
        } else if (item.kind == report::ControlKind::Line) {
          painter.drawLine(QPointF(item.rect.left, item.rect.top), QPointF(item.rect.Right(), item.rect.Bottom()));
        } else if (!item.lines.empty()) {
          painter.setFont(report::detail::TwipsFont(item.font));
          for (std::size_t l = 0; l < item.lines.size(); ++l) {
            painter.drawText(QPointF(item.rect.left, item.lineTop + item.lineHeight * (static_cast<double>(l) + 0.8)),
                             QString::fromStdString(item.lines[l]));
          }
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
