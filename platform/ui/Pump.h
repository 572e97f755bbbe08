#pragma once
// The pump that long handlers call midway so that the windows stay painted:
// it runs what is pending (painting, timers, posted work) but holds the
// user's input (keys, mouse buttons, wheel, context menus) until the running
// handler has returned to the event loop. So a click made while a list is
// being rebuilt cannot start a second command in the middle of the first.
// It never rests: each call returns as soon as nothing is pending.

namespace ui {

void DoEvents();

}  // namespace ui
