#pragma once
// One copy of the program per logon: an exclusive lock on a file of a fixed name in
// the logon's own runtime folder, held for as long as the object lives.
#include <QString>

class TSingleInstance {
 public:
  // folder: where the lock file lives; empty for the logon's runtime folder.
  explicit TSingleInstance(const QString& name, const QString& folder = QString());
  ~TSingleInstance();
  TSingleInstance(const TSingleInstance&) = delete;
  TSingleInstance& operator=(const TSingleInstance&) = delete;

  // Takes the lock without waiting; false when another copy holds it (or it cannot be
  // taken at all).
  bool Acquire();
  void Release();
  const QString& LockPath() const { return FPath; }

  // $XDG_RUNTIME_DIR, or a private /tmp/<uid> folder when it is not set.
  static QString RuntimeFolder();

 private:
  QString FPath;
  int FFd = -1;
};
