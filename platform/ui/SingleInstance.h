#pragma once
// One running copy of the program per user: a lock file named after the
// program title and version, and a local socket next to it through which a
// second copy asks the running one to come to the front. A lock left behind
// by a copy that crashed does not block a new start.

#include <QObject>
#include <functional>
#include <memory>
#include <string>

class QLockFile;
class QLocalServer;

namespace ui {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // `name`: the lock's name ("Levrona-19.0.0_APPLICATION_MUTEX"); `folder`:
  // where the lock and the socket live (by default the user's runtime folder).
  explicit SingleInstance(std::string name, std::string folder = {});
  ~SingleInstance() override;

  // Takes the lock; answers true when this copy is the only one running.
  // While held, requests of other copies to come to the front are answered.
  bool TryAcquire();
  bool Held() const;
  // Gives the lock up (at the end of the program).
  void Release();
  // Asks the running copy to come to the front; answers true when it
  // received the request.
  bool ActivateRunning(int timeoutMs = 2000) const;

  // What this copy does when another copy asks it to come to the front; by
  // default its active or first visible top-level window is raised.
  void SetActivationHandler(std::function<void()> handler);

  std::string LockPath() const;
  std::string SocketPath() const;

 signals:
  void activationRequested();

 private:
  void OnNewConnection();

  std::string name_;
  std::string folder_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QLocalServer> server_;
  std::function<void()> handler_;
};

// Raises the program's active or first visible top-level window.
void BringProgramToFront();

}  // namespace ui
