#include "ControlFace.h"

#include <QAbstractButton>
#include <QIcon>
#include <QPainter>
#include <QPalette>

namespace {

QPixmap MoveFaceIn(const QColor& ink, bool forward, bool toEnd) {
  QPixmap face(12, 9);
  face.fill(Qt::transparent);
  QPainter p(&face);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  const int tip = forward ? 8 : 3, base = forward ? 3 : 8;
  const QPoint triangle[] = {QPoint(base, 0), QPoint(tip, 4), QPoint(base, 8)};
  p.drawPolygon(triangle, 3);
  if (toEnd) p.drawRect(forward ? 9 : 1, 0, 2, 9);
  return face;
}

QIcon MoveFace(const QPalette& palette, bool forward, bool toEnd) {
  QIcon face(MoveFaceIn(palette.color(QPalette::Active, QPalette::ButtonText), forward, toEnd));
  face.addPixmap(MoveFaceIn(palette.color(QPalette::Disabled, QPalette::ButtonText), forward, toEnd), QIcon::Disabled);
  return face;
}

}  // namespace

void SetMoveFaces(const QPalette& palette, QAbstractButton& first, QAbstractButton& previous, QAbstractButton& next,
                  QAbstractButton& last) {
  first.setIcon(MoveFace(palette, false, true));
  previous.setIcon(MoveFace(palette, false, false));
  next.setIcon(MoveFace(palette, true, false));
  last.setIcon(MoveFace(palette, true, true));
}
