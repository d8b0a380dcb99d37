#include "gui/shell/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace corvaline::gui {

namespace {

QString DefaultLockPath() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  // Windows has no runtime folder and Qt names the home folder instead: there
  // a program keeps such state in its local (never roaming) data folder.
  if (folder == QDir::homePath())
    folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  if (folder.isEmpty() || !QDir().mkpath(folder)) folder = QDir::tempPath();
  return folder + "/corvaline.lock";
}

}  // namespace

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath.isEmpty() ? DefaultLockPath() : lockPath)) {
  // The running instance holds the lock for days, so it must never turn
  // stale by age; a lock left by a crashed instance is still taken over,
  // because it names a process that no longer exists.
  lock_->setStaleLockTime(0);
}

bool SingleInstance::Acquire() { return lock_->tryLock(0); }

}  // namespace corvaline::gui
