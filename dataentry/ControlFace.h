#pragma once
// The face of the data-entry controls: their text at the 8.25 points the
// twips layouts were made for (the program's windows use the same size).

#include <QFont>
#include <QWidget>

inline void UseLayoutTextSize(QWidget& control) {
  QFont text = control.font();
  text.setPointSizeF(8.25);
  control.setFont(text);
}
