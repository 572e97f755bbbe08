#include "numbox/PropTypes.h"

#include <algorithm>
#include <cmath>

namespace numbox {

QFont FontDesc::ToQFont() const {
  QFont font(name);
  font.setPointSizeF(std::max(size, 1) / 10000.0);
  font.setWeight(static_cast<QFont::Weight>(std::clamp<int>(weight, 1, 1000)));
  font.setItalic(italic);
  font.setUnderline(underline);
  font.setStrikeOut(strikeout);
  return font;
}

FontDesc FontDesc::FromQFont(const QFont& font) {
  FontDesc d;
  d.name = font.family();
  // A font given in pixels counts 96 pixels to the inch.
  const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
  d.size = static_cast<qint32>(std::lround(points * 10000.0));
  d.weight = static_cast<short>(font.weight());
  d.italic = font.italic();
  d.underline = font.underline();
  d.strikeout = font.strikeOut();
  return d;
}

FontDesc FontDesc::SansSerif(qint32 size, short weight, bool italic) {
  FontDesc d;
  d.size = size;
  d.weight = weight;
  d.italic = italic;
  return d;
}

}  // namespace numbox
