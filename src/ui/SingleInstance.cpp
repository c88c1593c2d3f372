#include "ui/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

TSingleInstance::TSingleInstance(const QString& name, const QString& folder)
    : FPath((folder.isEmpty() ? RuntimeFolder() : folder) + QLatin1Char('/') + name) {}

TSingleInstance::~TSingleInstance() { Release(); }

QString TSingleInstance::RuntimeFolder() {
  QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!folder.isEmpty() && QDir(folder).exists()) return folder;
  folder = QStringLiteral("/tmp/%1").arg(::getuid());
  const QByteArray path = QFile::encodeName(folder);
  ::mkdir(path.constData(), 0700);
  // Only a folder of the user's own, private and not a link, is trusted: another user
  // who made it first could otherwise hold the lock and keep the program from starting.
  struct stat info;
  if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
      info.st_uid != ::getuid() || (info.st_mode & 0077) != 0) {
    folder = QDir::homePath() + QStringLiteral("/.cache");
    QDir().mkpath(folder);
  }
  return folder;
}

bool TSingleInstance::Acquire() {
  if (FFd >= 0) return true;
  int fd = ::open(QFile::encodeName(FPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  FFd = fd;
  return true;
}

void TSingleInstance::Release() {
  if (FFd < 0) return;
  ::flock(FFd, LOCK_UN);
  ::close(FFd);
  FFd = -1;
}
