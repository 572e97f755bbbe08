#pragma once
// The face of the data-entry controls: the pictures of the buttons that
// move through rows.

#include <QPalette>

class QAbstractButton;

// The faces of the four buttons that move to the first, previous, next and
// last row: a triangle pointing left or right, with a bar at the end for the
// first and last row, in the palette's button text colour (its disabled
// colour on a disabled button).
void SetMoveFaces(const QPalette& palette, QAbstractButton& first, QAbstractButton& previous, QAbstractButton& next,
                  QAbstractButton& last);
