// One running copy per user: a lock file in the runtime folder (on Windows
// the program's local application data folder). A second start finds it
// held and ends quietly.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace corvaline::gui {

class SingleInstance {
 public:
  // lockPath empty: "corvaline.lock" in the user's runtime folder.
  explicit SingleInstance(const QString& lockPath = QString());
  // True when this process is the only instance; the lock is kept for the
  // life of the object (and released by the system when the process dies).
  bool Acquire();

 private:
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace corvaline::gui
