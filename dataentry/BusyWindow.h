#pragma once
// A window at work: the hourglass pointer and the window disabled for the
// life of the guard, the normal pointer and the window enabled again
// afterwards, also when the work failed.

#include <QWidget>

#include "Utilities.h"

class BusyWindow {
 public:
  explicit BusyWindow(QWidget& window) : window_(window) {
    Utilities::ScreenMouseEnabled(false);
    window_.setEnabled(false);
  }
  ~BusyWindow() {
    Utilities::ScreenMouseEnabled(true);
    window_.setEnabled(true);
  }
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;

 private:
  QWidget& window_;
};
