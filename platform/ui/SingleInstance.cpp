#include "ui/SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QWidget>

namespace ui {
namespace {

constexpr char kActivate[] = "activate\n";

}  // namespace

SingleInstance::SingleInstance(std::string name, std::string folder)
    : name_(std::move(name)), folder_(std::move(folder)), handler_(BringProgramToFront) {
  if (folder_.empty()) {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) runtime = QDir::tempPath();
    folder_ = runtime.toStdString();
  }
}

SingleInstance::~SingleInstance() { Release(); }

std::string SingleInstance::LockPath() const { return folder_ + "/" + name_ + ".lock"; }
std::string SingleInstance::SocketPath() const { return folder_ + "/" + name_ + ".sock"; }

bool SingleInstance::TryAcquire() {
  if (Held()) return true;
  QDir().mkpath(QString::fromStdString(folder_));
  auto lock = std::make_unique<QLockFile>(QString::fromStdString(LockPath()));
  // A lock is stale only when the copy that took it is no longer running,
  // however long a running copy has held it.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return false;
  lock_ = std::move(lock);

  // The socket of a copy that crashed may still be there; the lock shows it
  // is ours now.
  const QString socketPath = QString::fromStdString(SocketPath());
  QLocalServer::removeServer(socketPath);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QObject::connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
  server_->listen(socketPath);  // without the socket the lock still keeps others out
  return true;
}

bool SingleInstance::Held() const { return lock_ && lock_->isLocked(); }

void SingleInstance::Release() {
  if (server_) {
    server_->close();
    server_.reset();
  }
  if (lock_) {
    lock_->unlock();
    lock_.reset();
  }
}

bool SingleInstance::ActivateRunning(int timeoutMs) const {
  QLocalSocket socket;
  socket.connectToServer(QString::fromStdString(SocketPath()));
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write(kActivate);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  // The running copy answers once it has acted on the request.
  const bool answered = socket.waitForReadyRead(timeoutMs) && socket.readAll().startsWith("ok");
  socket.disconnectFromServer();
  return answered;
}

void SingleInstance::SetActivationHandler(std::function<void()> handler) {
  handler_ = handler ? std::move(handler) : std::function<void()>(BringProgramToFront);
}

void SingleInstance::OnNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine()) return;
      if (socket->readLine() == kActivate) {
        handler_();
        emit activationRequested();
        socket->write("ok\n");
        socket->flush();
      }
    });
  }
}

void BringProgramToFront() {
  QWidget* window = QApplication::activeWindow();
  if (!window) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible()) {
        window = w;
        break;
      }
    }
  }
  if (!window) return;
  if (window->isMinimized()) window->showNormal();
  window->raise();
  window->activateWindow();
}

}  // namespace ui
