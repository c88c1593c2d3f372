// The settings file layer: reading and writing single values with the profile rules.
#include <sys/stat.h>

#include <QDir>
#include <QTest>

#include "GuiTestSupport.h"
#include "ui/IniFile.h"

class IniFileTest : public QObject {
  Q_OBJECT

 private slots:
  void readString_data();
  void readString();
  void writeString_data();
  void writeString();
  void writeKeepsShiftJisBytes();
  void writeFailureNamesThePath_data();
  void writeFailureNamesThePath();
};

void IniFileTest::readString_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QByteArray>("section");
  QTest::addColumn<QByteArray>("key");
  QTest::addColumn<QByteArray>("expected");

  QTest::newRow("plain") << QByteArray("[Config]\r\nCategory=101\r\n") << QByteArray("Config")
                         << QByteArray("Category") << QByteArray("101");
  QTest::newRow("names ignore case")
      << QByteArray("[CONFIG]\r\ncategory=1\r\n") << QByteArray("Config") << QByteArray("Category")
      << QByteArray("1");
  QTest::newRow("blanks around key and value")
      << QByteArray("  [ Config ]\n  Category  =  11 \n") << QByteArray("Config")
      << QByteArray("Category") << QByteArray("11");
  QTest::newRow("quotes removed") << QByteArray("[Config]\nCategory=\"0 1\"\n")
                                  << QByteArray("Config") << QByteArray("Category")
                                  << QByteArray("0 1");
  QTest::newRow("key of another section is not seen")
      << QByteArray("[Other]\nCategory=1\n[Config]\nX=2\n") << QByteArray("Config")
      << QByteArray("Category") << QByteArray("default");
  QTest::newRow("first section of a name wins")
      << QByteArray("[Config]\nCategory=first\n[config]\nCategory=second\n") << QByteArray("Config")
      << QByteArray("Category") << QByteArray("first");
  QTest::newRow("comment line is no key")
      << QByteArray("[Config]\n;Category=1\n") << QByteArray("Config") << QByteArray("Category")
      << QByteArray("default");
  QTest::newRow("empty value") << QByteArray("[Config]\nCategory=\n") << QByteArray("Config")
                               << QByteArray("Category") << QByteArray("");
  QTest::newRow("no such key") << QByteArray("[Config]\n") << QByteArray("Config")
                               << QByteArray("Category") << QByteArray("default");
}

void IniFileTest::readString() {
  QFETCH(QByteArray, file);
  QFETCH(QByteArray, section);
  QFETCH(QByteArray, key);
  QFETCH(QByteArray, expected);
  TTempDir dir;
  const QString path = QString::fromStdString(dir.Path()) + "/mvs.ini";
  WriteBytes(path, file);
  TIniFile ini(path);
  QCOMPARE(QByteArray::fromStdString(
               ini.ReadString(section.toStdString(), key.toStdString(), "default")),
           expected);
}

void IniFileTest::writeString_data() {
  QTest::addColumn<QByteArray>("before");  // "<none>" for no file
  QTest::addColumn<QByteArray>("after");

  QTest::newRow("new file") << QByteArray("<none>") << QByteArray("[Config]\r\nCategory=01\r\n");
  QTest::newRow("value replaced, key spelling and the rest kept")
      << QByteArray("; settings\r\n[config]\r\nCATEGORY = 11\r\nOther=x\r\n")
      << QByteArray("; settings\r\n[config]\r\nCATEGORY =01\r\nOther=x\r\n");
  QTest::newRow("key added at the end of its section, before the blank line")
      << QByteArray("[Config]\r\nA=1\r\n\r\n[Portal]\r\nBaseUrl=https://x\r\n")
      << QByteArray("[Config]\r\nA=1\r\nCategory=01\r\n\r\n[Portal]\r\nBaseUrl=https://x\r\n");
  QTest::newRow("section appended, file's own line ends")
      << QByteArray("[Portal]\nBaseUrl=https://x\n")
      << QByteArray("[Portal]\nBaseUrl=https://x\n[Config]\nCategory=01\n");
  QTest::newRow("last line without a line end")
      << QByteArray("[Other]\nK=v") << QByteArray("[Other]\nK=v\n[Config]\nCategory=01\n");
  QTest::newRow("only the first section of a name is changed")
      << QByteArray("[Config]\nCategory=1\n[Config]\nCategory=2\n")
      << QByteArray("[Config]\nCategory=01\n[Config]\nCategory=2\n");
}

void IniFileTest::writeString() {
  QFETCH(QByteArray, before);
  QFETCH(QByteArray, after);
  TTempDir dir;
  const QString path = QString::fromStdString(dir.Path()) + "/mvs.ini";
  if (before != "<none>") WriteBytes(path, before);
  TIniFile(path).WriteString("Config", "Category", "01");
  QCOMPARE(ReadBytes(path), after);
}

void IniFileTest::writeKeepsShiftJisBytes() {
  TTempDir dir;
  const QString path = QString::fromStdString(dir.Path()) + "/mvs.ini";
  // A comment in code page 932 whose trail byte is an ASCII letter ("ア" is 83 41).
  const QByteArray comment("; \x83\x41\x83\x61\r\n", 8);
  WriteBytes(path, comment + "[\x83\x41]\r\nk=\x83\x61\r\n");
  TIniFile ini(path);
  // The section name's trail byte "A" must not match "a" through case folding.
  QCOMPARE(ini.ReadString("\x83\x61", "k", "none"), Text("none"));
  QCOMPARE(ini.ReadString("\x83\x41", "K", "none"), Text("\x83\x61"));
  ini.WriteString("Config", "Category", "1");
  QCOMPARE(ReadBytes(path), comment + "[\x83\x41]\r\nk=\x83\x61\r\n[Config]\r\nCategory=1\r\n");
}

void IniFileTest::writeFailureNamesThePath_data() {
  QTest::addColumn<QString>("kind");
  QTest::newRow("read-only file") << "read-only file";
  QTest::newRow("missing folder") << "missing folder";
  QTest::newRow("path is a folder") << "path is a folder";
}

void IniFileTest::writeFailureNamesThePath() {
  QFETCH(QString, kind);
  TTempDir dir;
  QString path = QString::fromStdString(dir.Path()) + "/mvs.ini";
  const QByteArray before("[Config]\r\nCategory=1\r\n");
  if (kind == "read-only file") {
    WriteBytes(path, before);
    ::chmod(QFile::encodeName(path).constData(), 0444);
  } else if (kind == "missing folder") {
    path = QString::fromStdString(dir.Path()) + "/gone/mvs.ini";
  } else {
    QDir().mkpath(path);
  }
  try {
    TIniFile(path).WriteString("Config", "Category", "0");
    QFAIL("the write did not fail");
  } catch (const EIniFileError& error) {
    QCOMPARE(error.Message(), path + " に書き込めません");
  }
  if (kind == "read-only file") QCOMPARE(ReadBytes(path), before);
}

MIRVASO_GUI_TEST(IniFileTest)
#include "tst_IniFile.moc"
