// Writes the stored property data of the tax entry control's sixteen amount
// fields, one file per field named after it ("txtSecured.num"), into the
// folder given: levmktaxlines <folder>. The files are kept with the control
// (dataentry/TaxLines) and loaded as they are; this tool only remakes them
// from the settings below should they ever have to be made again.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <memory>

#include "numbox/CNumCtrl.h"

namespace {

struct LineSettings {
  const char* column;
  short wholePlaces = 10;
  bool decimalFixed = false;
  bool disabled = false;  // shown disabled on a light grey ground
};

constexpr LineSettings kLines[] = {
    {"Secured"},
    {"Unsecured"},
    {"HOX"},
    {"Subventions"},
    {"DistributionTimberYieldTax"},
    {"DistributionPriorYearTax", 10, true},
    {"ReleasePriorYearTaxImpound"},
    {"SupplementalTax"},
    {"EducationalRevenueAugmentationFund"},
    {"PriorYearRestrictedMonie", 10, false, true},
    {"Total", 12, false, true},
    {"CommRedFunds"},
    {"SERAF"},
    {"RedevAgencyAssetLiquidation"},
    {"CollegeERAF"},
    {"EstExcessERAF"},
};

constexpr numbox::OleColor kButtonText = 0x80000012;
constexpr numbox::OleColor kLightGrey = 0x00C0C0C0;

// A field whose stored text can be put back: setting DataField reads the
// field's source, which a field on its own does not have, and stores the
// value 0; every line is stored with an empty text.
class LineField : public numbox::CNumCtrl {
 public:
  void ClearStoredText() { engine_.SetStoredText(QString()); }
};

QByteArray LineData(const LineSettings& line) {
  auto field = std::make_unique<LineField>();
  field->SetExtent(QSize(2646, 529));  // 1500 x 300 twips
  field->SetForeColor(kButtonText);
  field->SetFormat("#,##0");
  field->SetTabOnEnter(true);
  field->SetNullFont(numbox::FontDesc::SansSerif(82500, 400, true));
  field->SetSpinKeys(false);
  field->SetDataField(line.column);
  field->ClearStoredText();
  field->SetCalcDropDown(false);
  field->SetCalcDispFont(numbox::FontDesc::SansSerif(82500, 700));
  field->SetCalcBtnFont(numbox::FontDesc::SansSerif(82500, 700));
  field->SetCalcMemFont(numbox::FontDesc::SansSerif(82500, 400));
  field->SetToolTipFont(numbox::FontDesc::SansSerif(82500, 400));
  field->SetMaskType(0);
  field->SetDataType(4);
  field->SetMaskDecimalPlaces(0);
  field->SetMaskWholePlaces(line.wholePlaces);
  if (line.decimalFixed) field->SetMaskDecimalFixed(true);
  if (line.disabled) {
    field->SetEnabled(false);
    field->SetBackColor(kLightGrey);
  }
  return field->Save();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: levmktaxlines <folder>\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (const LineSettings& line : kLines) {
    QFile file(folder.filePath(QStringLiteral("txt%1.num").arg(line.column)));
    const QByteArray data = LineData(line);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
      std::fprintf(stderr, "levmktaxlines: cannot write %s\n", qPrintable(file.fileName()));
      return 1;
    }
  }
  return 0;
}
