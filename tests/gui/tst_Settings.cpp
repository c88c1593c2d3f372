// The ticks kept in the settings file: restored at the first show, saved on close.
#include <sys/stat.h>

#include <QTest>

#include "GuiTestSupport.h"
#include "ui/Dialogs.h"

namespace {
QByteArray Value(const QList<int>& tickedRows, int length = 47) {
  QByteArray value(length, '0');
  for (int row : tickedRows) value[row] = '1';
  return value;
}
}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { Dialogs::SetTestMode(true); }

  void loadSettings_data();
  void loadSettings();
  void closeWhileIdleSaves_data();
  void closeWhileIdleSaves();
  void unwritableFileIsReportedAndTheWindowStillCloses();
  void portalSectionConfiguresTheRun();
};

void SettingsTest::loadSettings_data() {
  QTest::addColumn<QByteArray>("file");  // "<none>": no settings file
  QTest::addColumn<QList<int>>("ticked");
  QTest::addColumn<bool>("boxTicked");
  QTest::addColumn<int>("current");

  QList<int> all;
  for (int row = 0; row < 47; row++) all << row;
  QList<int> allButLast = all.mid(0, 46);

  QTest::newRow("no file") << QByteArray("<none>") << QList<int>{} << false << 0;
  QTest::newRow("all 47") << "[Config]\r\nCategory=" + Value(all) + "\r\n" << all << true << 0;
  QTest::newRow("only the 3rd") << "[Config]\r\nCategory=" + Value({2}) + "\r\n"
                                << QList<int>{2} << false << 2;
  QTest::newRow("46 of 47") << "[Config]\r\nCategory=" + Value(allButLast) + "\r\n"
                            << allButLast << false << 0;
  QTest::newRow("names in other case") << "[config]\r\nCATEGORY=" + Value({5, 9}) + "\r\n"
                                       << QList<int>{5, 9} << false << 5;
  QTest::newRow("short value, other characters")
      << QByteArray("[Config]\r\nCategory=0x21\r\n") << QList<int>{3} << false << 3;
  QTest::newRow("longer value: extra ignored") << "[Config]\r\nCategory=" + Value({46}) + "111\r\n"
                                               << QList<int>{46} << false << 46;
  QTest::newRow("empty value") << QByteArray("[Config]\r\nCategory=\r\n") << QList<int>{} << false
                               << 0;
  QTest::newRow("no section") << QByteArray("[Other]\r\nCategory=1\r\n") << QList<int>{} << false
                              << 0;
}

void SettingsTest::loadSettings() {
  QFETCH(QByteArray, file);
  QFETCH(QList<int>, ticked);
  QFETCH(bool, boxTicked);
  QFETCH(int, current);
  TWindow w;
  if (file != "<none>") WriteBytes(w.SettingsPath(), file);
  QVERIFY(w.Open());
  QCOMPARE(TickedRows(w->lstArea), ticked);
  QCOMPARE(w->chkArea->isChecked(), boxTicked);
  QCOMPARE(w->lstArea->currentRow(), current);
  QVERIFY(w->lstArea->item(current)->isSelected());
  if (boxTicked) QCOMPARE(QApplication::focusWidget(), w->lstArea);
  // Loading writes nothing.
  QCOMPARE(QFileInfo::exists(w.SettingsPath()), file != "<none>");
}

void SettingsTest::closeWhileIdleSaves_data() {
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<QList<int>>("toggle");  // rows the user toggles before closing
  QTest::addColumn<QByteArray>("after");

  QTest::newRow("first start, two ticks") << QByteArray("<none>") << QList<int>{0, 46}
                                          << "[Config]\r\nCategory=" + Value({0, 46}) + "\r\n";
  QTest::newRow("all unticked again")
      << "[Config]\r\nCategory=" + Value({1, 2}) + "\r\n"
      << QList<int>{1, 2} << "[Config]\r\nCategory=" + Value({}) + "\r\n";
  QTest::newRow("other sections, keys and comments kept")
      << "; mine\n[Portal]\nBaseUrl=https://127.0.0.1:1\n\n[CONFIG]\nkeep=1\ncategory=" +
             Value({}) + "\nafter=2\n"
      << QList<int>{12}
      << "; mine\n[Portal]\nBaseUrl=https://127.0.0.1:1\n\n[CONFIG]\nkeep=1\ncategory=" +
             Value({12}) + "\nafter=2\n";
}

void SettingsTest::closeWhileIdleSaves() {
  QFETCH(QByteArray, before);
  QFETCH(QList<int>, toggle);
  QFETCH(QByteArray, after);
  TWindow w;
  if (before != "<none>") WriteBytes(w.SettingsPath(), before);
  QVERIFY(w.Open());
  for (int row : toggle) UserToggle(w->lstArea, row);
  QVERIFY(w->close());
  QCOMPARE(ReadBytes(w.SettingsPath()), after);
  QVERIFY(MessageBox::asked().empty());
}

void SettingsTest::unwritableFileIsReportedAndTheWindowStillCloses() {
  TWindow w;
  const QByteArray before = "[Config]\r\nCategory=" + Value({0}) + "\r\n";
  WriteBytes(w.SettingsPath(), before);
  ::chmod(QFile::encodeName(w.SettingsPath()).constData(), 0444);
  QVERIFY(w.Open());
  UserToggle(w->lstArea, 5);
  QVERIFY(w->close());
  QVERIFY(!w->isVisible());
  QCOMPARE(MessageBox::asked().size(), size_t(1));
  const TMessageRequest& shown = MessageBox::asked()[0];
  QCOMPARE(shown.text, w.SettingsPath() + " に書き込めません");
  QCOMPARE(shown.caption, QStringLiteral("Mirvaso"));
  QCOMPARE(shown.icon, QMessageBox::Critical);
  QCOMPARE(ReadBytes(w.SettingsPath()), before);
}

void SettingsTest::portalSectionConfiguresTheRun() {
  TWindow w;
  WriteBytes(w.SettingsPath(),
             "[portal]\nbaseurl = https://127.0.0.1:8443/\ncafile=certs/ca.pem\n[Config]\n"
             "Category=101\n");
  QVERIFY(w.Open());
  w->FSaveFileName = w.Folder() + "out.csv";
  TRunConfig config = w->BuildRunConfig();
  QCOMPARE(config.areas, (std::vector<int32_t>{1, 3}));
  QCOMPARE(config.baseUrl, Text("https://127.0.0.1:8443"));
  QCOMPARE(QString::fromStdString(config.caFile), w.Folder() + "certs/ca.pem");
  QCOMPARE(QString::fromStdString(config.saveFileName), w.Folder() + "out.csv");
  QCOMPARE(QString::fromStdString(config.tempFile), w.Folder() + "tmp.dat");

  // Without the section the built-in portal is used and nothing is trusted besides.
  WriteBytes(w.SettingsPath(), "[Config]\nCategory=1\n");
  config = w->BuildRunConfig();
  QCOMPARE(config.baseUrl, DefaultPortalBaseUrl());
  QVERIFY(config.caFile.empty());
}

MIRVASO_GUI_TEST(SettingsTest)
#include "tst_Settings.moc"
