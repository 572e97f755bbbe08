#include "report/Pages.h"

#include <QPaintDevice>
#include <QPainter>

#include "report/Text.h"

namespace report {

std::string PrintedItem::Text() const {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) text += '\n';
    text += lines[i];
  }
  return text;
}

std::string CaptureText(const std::vector<Page>& pages) {
  std::string out;
  for (const Page& page : pages) {
    out += "page " + std::to_string(page.number) + " of " + std::to_string(pages.size()) + " (" +
           std::to_string(page.width) + " x " + std::to_string(page.height) + ")\n";
    for (const PrintedItem& item : page.items) {
      out += item.section + "/" + item.control + " " + std::to_string(item.rect.left) + "," +
             std::to_string(item.rect.top) + "," + std::to_string(item.rect.width) + "," +
             std::to_string(item.rect.height);
      if (!item.lines.empty()) {
        out += ": ";
        for (std::size_t i = 0; i < item.lines.size(); ++i) {
          if (i) out += "\\n";
          out += item.lines[i];
        }
      }
      out += '\n';
    }
  }
  return out;
}

std::vector<std::string> TextsOn(const std::vector<Page>& pages, int page) {
  std::vector<std::string> texts;
  if (page < 1 || page > static_cast<int>(pages.size())) return texts;
  for (const PrintedItem& item : pages[static_cast<std::size_t>(page - 1)].items) {
    std::string text = item.Text();
    if (!text.empty()) texts.push_back(std::move(text));
  }
  return texts;
}

namespace {

QColor Colour(const Rgb& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

QRectF RectOf(const Rect& r) { return QRectF(r.left, r.top, r.width, r.height); }

// A hairline of one screen pixel (15 twips), a thin frame or rule on paper.
constexpr double kHairline = 15;

void PaintText(const PrintedItem& item, QPainter& painter) {
  if (item.lines.empty()) return;
  const detail::LineMetrics metrics = detail::MetricsOf(item.font);
  painter.setFont(detail::TwipsFont(item.font));
  painter.setPen(Colour(item.color));
  for (std::size_t i = 0; i < item.lines.size(); ++i) {
    const std::string& line = item.lines[i];
    if (line.empty()) continue;
    const double inset = item.border == 1 ? kFramedTextInset : 0;
    double x = item.rect.left + inset;
    if (item.align != Align::Left) {
      const double width = i < item.lineWidths.size() ? item.lineWidths[i] : detail::TextWidth(line, item.font);
      const double slack = item.rect.width - 2 * inset - width;
      x += item.align == Align::Right ? slack : slack / 2;
    }
    const double baseline = item.lineTop + static_cast<double>(i) * item.lineHeight + metrics.ascent;
    painter.drawText(QPointF(x, baseline), QString::fromStdString(line));
  }
  if (item.border == 1) {
    painter.setPen(QPen(Colour(item.color), kHairline));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(RectOf(item.rect));
  }
}

}  // namespace

void PaintPage(const Page& page, QPainter& painter, double scale) {
  painter.save();
  painter.scale(scale, scale);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (const PrintedItem& item : page.items) {
    switch (item.kind) {
      case ControlKind::Shape:
        if (item.filled) {
          painter.fillRect(RectOf(item.rect), Colour(item.fillColor));
        } else {
          painter.setPen(QPen(Colour(item.color), kHairline));
          painter.setBrush(Qt::NoBrush);
          painter.drawRect(RectOf(item.rect));
        }
        break;
      case ControlKind::Line:
        if (item.rect.width == 0 && item.rect.height == 0) break;  // a line of no length prints nothing
        painter.setPen(QPen(Colour(item.color), kHairline));
        painter.drawLine(QPointF(item.rect.left, item.rect.top), QPointF(item.rect.Right(), item.rect.Bottom()));
        break;
      default: PaintText(item, painter); break;
    }
  }
  painter.restore();
}

void PaintPage(const Page& page, QPainter& painter) {
  const QPaintDevice* device = painter.device();
  PaintPage(page, painter, device ? device->logicalDpiX() / 1440.0 : 1.0);
}

}  // namespace report
