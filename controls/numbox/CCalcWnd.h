#pragma once
// The field's calculator drop-down: a frameless tool window below (or
// above) the field that never takes the focus. The field keeps the focus
// and hands it the keys; while it is down it holds the mouse, so that a
// click anywhere else commits it. Its settings belong to the field and
// are persisted with the field's properties.

#include "numbox/CalcEngine.h"
#include "numbox/Frames.h"
#include "numbox/PropTypes.h"

#include <QWidget>

#include <array>

namespace numbox {

class CNumCtrl;

// The calculator's settings, as the field keeps them.
struct CalcSettings {
  qint32 width = 150;  // pixels; 0 or less: the width of the field
  qint32 height = 150;
  OleColor backColor = kIgnoreColor;
  OleColor dispBackColor = 0x808080;
  OleColor dispForeColor = 0xFFFFFF;
  FontDesc dispFont = FontDesc::SansSerif(90000, 900);
  OleColor btnForeColor = kIgnoreColor;
  OleColor btnBackColor = kIgnoreColor;
  FontDesc btnFont = FontDesc::SansSerif(90000, 900);
  OleColor btnClrForeColor = 0x0000FF;
  OleColor btnMemForeColor = 0x0000FF;
  OleColor btnOpForeColor = 0xFF0000;
  FontDesc memFont = FontDesc::SansSerif(90000, 400);
  QString memText = "M";
  OleColor memForeColor = 0x0000FF;
  OleColor memBackColor = kIgnoreColor;
  QString errorText = "ERROR";
  std::array<QString, kCalcButtonCount> btnText = DefaultButtonTexts();

  static std::array<QString, kCalcButtonCount> DefaultButtonTexts();
};

class CCalcWnd : public QWidget {
  Q_OBJECT

 public:
  explicit CCalcWnd(CNumCtrl* owner);

  CalcEngine& Engine() { return engine_; }
  const CalcEngine& Engine() const { return engine_; }
  // Loads a value and resets the pressed-button tracking.
  void Load(double x);
  // Acts on a button as a click on it does; raises CalcBtnClick when the
  // button acted. False when the field is gone afterwards.
  bool Press(int button);
  // The keys that the field hands on while the calculator is down; each
  // answers whether it used the key.
  bool Character(int code);
  bool KeyDown(int vk);
  QString DisplayText() const;

  // Layout, in the window's coordinates.
  QRect DisplayRect() const;
  QRect ButtonRect(int button) const;
  QRect MemoryRect() const;
  // The button at a point, or −1.
  int ButtonAt(QPoint at) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QRect CellRect(int row, int column) const;
  QColor TextColor(OleColor value) const;
  void FillIfSet(QPainter& p, const QRect& r, OleColor color) const;

  CNumCtrl* owner_;
  CalcEngine engine_;
  int pressed_ = -1;
  bool tracking_ = false;
  bool pushed_ = false;
};

}  // namespace numbox
