#pragma once
// The face of the data-entry controls: their text at the 8.25 points the
// twips layouts were made for (the program's windows use the same size),
// and the pictures of the buttons that move through rows.

#include <QFont>
#include <QWidget>

class QAbstractButton;

inline void UseLayoutTextSize(QWidget& control) {
  QFont text = control.font();
  text.setPointSizeF(8.25);
  control.setFont(text);
}

// The faces of the four buttons that move to the first, previous, next and
// last row: a triangle pointing left or right, with a bar at the end for the
// first and last row, in the palette's button text colour (its disabled
// colour on a disabled button).
void SetMoveFaces(const QPalette& palette, QAbstractButton& first, QAbstractButton& previous, QAbstractButton& next,
                  QAbstractButton& last);
