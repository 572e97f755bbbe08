#pragma once
// The clock seam: the current date and time, and letting pending window
// events run while the program waits. The program uses the system clock;
// tests install a clock of their own that they move by hand.

#include "vb/Variant.h"

namespace ui {

class Clock {
 public:
  virtual ~Clock() = default;
  // The current local date and time.
  virtual vb::Date Now() = 0;
  // Lets pending window events run through the pump (DoEvents, which holds
  // the user's input until the waiting handler returns), then rests briefly
  // (a few milliseconds) so that a waiting loop does not keep the processor
  // busy.
  virtual void ProcessEvents() = 0;
};

// The installed clock (the system clock until another is installed).
Clock& clock();
// Installs a clock (not owned) and answers the previous one; nullptr
// restores the system clock.
Clock* SetClock(Clock* clock);

// The current date and time through the installed clock.
inline vb::Date Now() { return clock().Now(); }

// Waits until the clock has moved on by more than `seconds`, letting window
// events run meanwhile, so that the window stays responsive.
void Pause(double seconds);

}  // namespace ui
