// One copy per logon: the lock itself, and the program started twice.
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include "GuiTestSupport.h"
#include "ui/SingleInstance.h"

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void secondLockFailsUntilFirstIsReleased();
  void runtimeFolderFallsBackToPrivateTmpFolder();
  void secondCopyOfTheProgramEndsWithCodeOne();
};

void SingleInstanceTest::secondLockFailsUntilFirstIsReleased() {
  TTempDir dir;
  const QString folder = QString::fromStdString(dir.Path());
  TSingleInstance first(QStringLiteral("RadOdoz_Azeviv"), folder);
  TSingleInstance second(QStringLiteral("RadOdoz_Azeviv"), folder);
  QCOMPARE(first.LockPath(), folder + "/RadOdoz_Azeviv");
  QVERIFY(first.Acquire());
  QVERIFY(!second.Acquire());
  first.Release();
  QVERIFY(second.Acquire());
  // A lock of another name is independent.
  TSingleInstance other(QStringLiteral("Other"), folder);
  QVERIFY(other.Acquire());
}

void SingleInstanceTest::runtimeFolderFallsBackToPrivateTmpFolder() {
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  const bool wasSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
  TTempDir dir;
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir.Path()));
  const QString given = TSingleInstance::RuntimeFolder();
  qunsetenv("XDG_RUNTIME_DIR");
  const QString fallback = TSingleInstance::RuntimeFolder();
  if (wasSet) qputenv("XDG_RUNTIME_DIR", saved);

  QCOMPARE(given, QString::fromStdString(dir.Path()));
  QCOMPARE(fallback, QStringLiteral("/tmp/%1").arg(::getuid()));
  struct stat info {};
  QCOMPARE(::stat(QFile::encodeName(fallback).constData(), &info), 0);
  QVERIFY(S_ISDIR(info.st_mode));
  QCOMPARE(info.st_uid, ::getuid());
}

void SingleInstanceTest::secondCopyOfTheProgramEndsWithCodeOne() {
  const QString program = QCoreApplication::applicationDirPath() + "/../src/mirvaso";
  if (!QFileInfo(program).isExecutable()) QSKIP("the window program is not built beside the tests");
  TTempDir runtime;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.Path()));
  env.insert("QT_QPA_PLATFORM", "offscreen");
  const QString lockFolder = QString::fromStdString(runtime.Path());

  QProcess first;
  first.setProcessEnvironment(env);
  first.start(program, {});
  QVERIFY(first.waitForStarted());
  // The first copy holds the lock once it is up.
  TSingleInstance probe(QStringLiteral("RadOdoz_Azeviv"), lockFolder);
  QVERIFY(QTest::qWaitFor(
      [&] {
        if (!probe.Acquire()) return true;
        probe.Release();
        return false;
      },
      10000));

  QProcess second;
  second.setProcessEnvironment(env);
  second.start(program, {});
  QVERIFY(second.waitForFinished(10000));
  QCOMPARE(second.exitStatus(), QProcess::NormalExit);
  QCOMPARE(second.exitCode(), 1);
  QVERIFY(second.readAllStandardOutput().isEmpty());
  QCOMPARE(first.state(), QProcess::Running);

  first.kill();
  QVERIFY(first.waitForFinished(10000));
  // Once the first copy has gone, the lock can be taken again.
  QVERIFY(probe.Acquire());
}

MIRVASO_GUI_TEST(SingleInstanceTest)
#include "tst_SingleInstance.moc"
