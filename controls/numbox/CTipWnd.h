#pragma once
// The field's tool tip: a small window that shows the field's tip text
// near the pointer once the pointer has rested on the field for the delay,
// and hides it after the timeout, when the pointer leaves, on a click and
// on any key. A tick every 100 ms (on the field's clock service, so that
// tests move it by hand) drives it; while a tip shows, an application-wide
// key filter hides it on the first key.
//
// The tip keeps a list of tools (rectangles of the field with a text
// each); the field uses one, tool 0, which covers the whole field.

#include "numbox/Frames.h"
#include "numbox/PropTypes.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

namespace numbox {

class CNumCtrl;

class CTipWnd : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTickMs = 100;

  explicit CTipWnd(CNumCtrl* owner);
  ~CTipWnd() override;

  // ---- settings (set through the field's members) --------------------------
  bool ToolTips() const { return enabled_; }
  qint32 Delay() const { return delay_; }
  qint32 Timeout() const { return timeout_; }
  OleColor BackColor() const { return backColor_; }
  OleColor ForeColor() const { return foreColor_; }
  FontDesc TipFont() const { return font_; }

  // ---- tools -------------------------------------------------------------
  void AddTool(short id, const QString& text, const QRect& rect);
  // Gives the last tool with that id the text; false when there is none.
  bool SetToolText(short id, const QString& text);
  void RemoveAllTools() { tools_.clear(); current_ = -1; }

  // ---- what the field tells the tip ----------------------------------------
  // Starts the tick (once).
  void Start();
  void MouseMoved();
  // A button press: hides the tip until the pointer moves to another tool.
  void HideAndSuppress();
  // A button release: hides the tip.
  void HideTip();

  // One tick of the timer.
  void Tick();
  bool IsShowing() const { return visible_; }
  // The tip's rectangle on the screen while it shows.
  QRect TipRect() const { return tipRect_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Tool {
    short id;
    QString text;
    QRect rect;  // in the field's coordinates
  };

  void ScheduleTick();
  // The tool under a screen point, or −1.
  int ToolAt(QPoint global) const;
  void ShowTip();

  CNumCtrl* owner_;
  std::vector<Tool> tools_;
  Flag enabled_ = Flag::Default(true);
  qint32 delay_ = 750;
  qint32 timeout_ = 5000;
  OleColor backColor_ = 0x80000018;
  OleColor foreColor_ = 0x80000017;
  FontDesc font_ = FontDesc::SansSerif(90000, 400);

  bool started_ = false;
  int hover_ = 0;
  int shown_ = 0;
  bool suppressed_ = false;
  bool visible_ = false;
  bool atOnce_ = false;
  int current_ = -1;
  QRect tipRect_;
  QString shownText_;

  friend class CNumCtrl;
  friend class PropertyExchange;
};

}  // namespace numbox
