#pragma once
// The tree of the export window: a tree widget that reports the classic
// events of a tree view. MouseDown comes before the tree acts on a press,
// Click after it has acted on the release (so a collapse by the expander is
// reported first), once per click (the release of a double click is none).
// A typed character is offered to KeyPress first; one set to 0 goes no
// further.

#include <QTreeWidget>
#include <cstdint>

class ChoiceTree : public QTreeWidget {
  Q_OBJECT

 public:
  explicit ChoiceTree(QWidget* parent = nullptr);

 signals:
  // Button 1 left, 2 right, 4 middle; Shift 1, Ctrl 2, Alt 4; the position
  // in the tree's visible area, in pixels.
  void MouseDown(int button, int shift, QPoint at);
  void Click();
  void KeyPress(std::int16_t& keyAscii);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool doubleClicked_ = false;
};
