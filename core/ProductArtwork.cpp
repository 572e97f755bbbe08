#include "ProductArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QPixmap ProductArtwork(const QSize& size) {
  QPixmap art(size);
  QPainter painter(&art);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal w = size.width();
  const qreal h = size.height();

  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0.0, QColor(250, 251, 255));
  sky.setColorAt(0.62, QColor(221, 232, 248));
  sky.setColorAt(1.0, QColor(205, 222, 244));
  painter.fillRect(art.rect(), sky);

  // The sun, low and faint.
  QRadialGradient sun(QPointF(w * 0.78, h * 0.70), w * 0.22);
  sun.setColorAt(0.0, QColor(255, 246, 214, 200));
  sun.setColorAt(1.0, QColor(255, 246, 214, 0));
  painter.fillRect(art.rect(), sun);

  // Two rolling fields.
  const auto field = [&](qreal left, qreal c1, qreal c2, qreal right, const QColor& colour) {
    QPainterPath path;
    path.moveTo(0, h * left);
    path.cubicTo(w * 0.30, h * c1, w * 0.60, h * c2, w, h * right);
    path.lineTo(w, h);
    path.lineTo(0, h);
    path.closeSubpath();
    painter.fillPath(path, colour);
  };
  field(0.80, 0.72, 0.84, 0.76, QColor(196, 219, 196));
  field(0.90, 0.84, 0.96, 0.88, QColor(176, 205, 178));

  // A schoolhouse on the far field, with its bell tower.
  const QColor wall(233, 224, 208);
  const QColor roof(150, 112, 98);
  const qreal baseX = w * 0.10;
  const qreal baseY = h * 0.79;
  painter.setPen(QPen(QColor(120, 100, 90), 1));
  painter.setBrush(wall);
  painter.drawRect(QRectF(baseX, baseY - 26, 58, 26));
  painter.drawRect(QRectF(baseX + 20, baseY - 44, 18, 18));
  painter.setBrush(roof);
  painter.drawPolygon(QPolygonF({QPointF(baseX - 5, baseY - 26), QPointF(baseX + 29, baseY - 40),
                                 QPointF(baseX + 63, baseY - 26)}));
  painter.drawPolygon(
      QPolygonF({QPointF(baseX + 17, baseY - 44), QPointF(baseX + 29, baseY - 56), QPointF(baseX + 41, baseY - 44)}));
  painter.setBrush(QColor(120, 146, 180));
  painter.drawRect(QRectF(baseX + 8, baseY - 18, 9, 8));
  painter.drawRect(QRectF(baseX + 41, baseY - 18, 9, 8));
  painter.setBrush(roof);
  painter.drawRect(QRectF(baseX + 25, baseY - 15, 9, 15));

  // A thin frame.
  painter.setPen(QPen(QColor(150, 164, 196), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
  return art;
}
