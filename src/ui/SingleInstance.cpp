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
  // Private to the user; an existing folder is used as it is.
  ::mkdir(QFile::encodeName(folder).constData(), 0700);
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
