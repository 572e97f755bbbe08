// Plays a copy of the program starting up:
//   instance_helper <name> <folder> try   exits 0 when it took the lock, 3 when
//                                         the running copy came to the front, 4 otherwise
//   instance_helper <name> <folder> hold  takes the lock, says "held" and waits

#include <QCoreApplication>
#include <cstdio>
#include <cstring>

#include "ui/SingleInstance.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  QCoreApplication app(argc, argv);
  ui::SingleInstance instance(argv[1], argv[2]);
  if (!instance.TryAcquire()) return instance.ActivateRunning() ? 3 : 4;
  if (std::strcmp(argv[3], "hold") != 0) return 0;
  std::printf("held\n");
  std::fflush(stdout);
  return app.exec();
}
