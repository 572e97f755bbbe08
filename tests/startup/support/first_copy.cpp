// Plays the copy of the program that runs first: takes the single-instance
// lock of the program, says "held", and says "activated" each time another
// copy asks it to come to the front.

#include <QCoreApplication>
#include <cstdio>

#include "ui/SingleInstance.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ui::SingleInstance instance("Levrona-19.0.0_APPLICATION_MUTEX");
  instance.SetActivationHandler([] {
    std::printf("activated\n");
    std::fflush(stdout);
  });
  if (!instance.TryAcquire()) return 4;
  std::printf("held\n");
  std::fflush(stdout);
  return app.exec();
}
