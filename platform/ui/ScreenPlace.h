#pragma once
// Where a window opens: wholly inside the available area of its screen (the
// screen less panels and docks). A window placed by its code keeps that
// place, one that nothing placed opens centred over its shown owner or on
// its screen, and either is moved inside when it would reach past an edge;
// a window larger than the area is made smaller, as far as its minimum size
// allows, and keeps its top-left corner (title bar and menus) in view.

#include <QRect>

class QWidget;

namespace ui {

// The frame rectangle that a window of frame `frame` takes in `available`:
// centred when `centre`, otherwise at its own place; shrunk to the area
// when larger, though not below `smallest`, and moved inside it (a frame
// that cannot fit keeps its top-left corner in the area).
QRect PlaceInside(QRect frame, const QRect& available, bool centre, const QSize& smallest = {});

// Places a top-level window that is about to appear (ui::Form and
// ui::MainForm call it when they are shown). Other widgets are left alone.
void PlaceOnScreen(QWidget& window);

}  // namespace ui
