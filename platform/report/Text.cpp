#include "report/Text.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>

#include "vb/Conversions.h"

namespace report {

std::string ResolveFamily(const std::string& name) {
  struct Resolved {
    const char* name;
    const char* family;
  };
  static constexpr Resolved kFamilies[] = {
      {"Courier New", "Liberation Mono"},
      {"Arial", "Liberation Sans"},
  };
  for (const Resolved& r : kFamilies) {
    if (vb::TextEquals(name, r.name)) return r.family;
  }
  return name;
}

namespace detail {
namespace {

struct Measured {
  QFont font;
  QFontMetricsF metrics;
  explicit Measured(const QFont& f) : font(f), metrics(f) {}
};

// Fonts and their metrics, made once per font of the layouts (and found
// again without a copy of the name: reports ask for them control by control).
const Measured& Measure(const Font& font) {
  using Key = std::tuple<std::string, int, bool, bool, bool>;
  static std::map<Key, std::unique_ptr<Measured>, std::less<>> cache;
  const int twips = static_cast<int>(std::lround(font.size * 20));
  static Font last;
  static const Measured* lastMeasured = nullptr;
  if (lastMeasured && last.name == font.name && last.size == font.size && last.bold == font.bold &&
      last.italic == font.italic && last.underline == font.underline) {
    return *lastMeasured;
  }
  const Key key{font.name, twips, font.bold, font.italic, font.underline};
  auto it = cache.find(key);
  if (it == cache.end()) {
    QFont f(QString::fromStdString(ResolveFamily(font.name)));
    const bool mono = vb::TextEquals(font.name, "Courier New");
    f.setStyleHint(mono ? QFont::TypeWriter : QFont::SansSerif);
    f.setPixelSize(std::max(1, twips));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    it = cache.emplace(key, std::make_unique<Measured>(f)).first;
  }
  last = font;
  lastMeasured = it->second.get();
  return *lastMeasured;
}

}  // namespace

QFont TwipsFont(const Font& font) { return Measure(font).font; }

LineMetrics MetricsOf(const Font& font) {
  const QFontMetricsF& m = Measure(font).metrics;
  return {m.ascent(), m.height()};
}

double TextWidth(const std::string& text, const Font& font) {
  return Measure(font).metrics.horizontalAdvance(QString::fromStdString(text));
}

std::vector<std::string> WrapLines(const std::string& text, const Font& font, double width,
                                   std::vector<double>* widths) {
  std::vector<std::string> lines;
  const Measured& measured = Measure(font);
  QString all = QString::fromStdString(text);
  all.replace("\r\n", "\n").replace('\r', '\n');
  for (const QString& paragraph : all.split('\n')) {
    // Most texts fit on one line: no layout needed.
    const double whole = measured.metrics.horizontalAdvance(paragraph);
    if (whole <= width) {
      lines.push_back(paragraph.toStdString());
      if (widths) widths->push_back(whole);
      continue;
    }
    QTextLayout layout(paragraph, measured.font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(std::max(1.0, width));
      QString part = paragraph.mid(line.textStart(), line.textLength());
      // The blanks a line breaks at print nothing.
      while (part.size() > 1 && part.endsWith(' ')) part.chop(1);
      lines.push_back(part.toStdString());
      if (widths) widths->push_back(measured.metrics.horizontalAdvance(part));
    }
    layout.endLayout();
  }
  return lines;
}

}  // namespace detail
}  // namespace report
