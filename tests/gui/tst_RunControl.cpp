// Starting a run: the checks before the worker starts, the output name, and the
// cancel handler's rule for a run whose worker has already left.
#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include "ExpectedBoxes.h"
#include "RunFixture.h"
#include "Unithread/MyThread.h"

class RunControlTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { Dialogs::SetTestMode(true); }

  void startWithoutTickShowsErrorAndNoDialog();
  void cancelledDialogChangesNothing();
  void csvExtension_data();
  void csvExtension();
  void typedNameWithoutExtensionReplacesTheCsvFile();
  void undeletableOutputFileShowsErrorAndStartsNothing();
  void onlyTheWorkersEndCallEndsTheRun();
};

void RunControlTest::startWithoutTickShowsErrorAndNoDialog() {
  TWindow w;
  QVERIFY(w.Open());
  QTest::mouseClick(w->btnAction, Qt::LeftButton);
  QCOMPARE(AskedBoxes(), QStringList{BoxNoArea()});
  QVERIFY(FileDialog::asked().empty());
  QVERIFY(w->btnAction->isEnabled());
  QCOMPARE(w->FThread, nullptr);
}

void RunControlTest::cancelledDialogChangesNothing() {
  TWindow w;
  QVERIFY(w.Open());
  RunStatus = rsAccessFailed;
  UserToggle(w->lstArea, 20);
  QTest::mouseClick(w->btnAction, Qt::LeftButton);  // no preset name: the user cancels
  QCOMPARE(FileDialog::asked().size(), size_t(1));
  const TSaveDialogRequest& dialog = FileDialog::asked()[0];
  QCOMPARE(dialog.title, QStringLiteral("取得情報の保存先を指定してください"));
  QCOMPARE(dialog.filter, QStringLiteral("CSVファイル (*.csv)"));
  QCOMPARE(dialog.fileName, QStringLiteral("中古車店舗一覧.csv"));
  QVERIFY(dialog.confirmOverwrite);
  QCOMPARE(w->FSaveFileName, QStringLiteral("中古車店舗一覧.csv"));
  QCOMPARE(RunStatus, int32_t(rsAccessFailed));
  QVERIFY(MessageBox::asked().empty());
  QVERIFY(w->btnAction->isEnabled() && !w->btnCancel->isEnabled());
  QCOMPARE(w->FThread, nullptr);
}

void RunControlTest::csvExtension_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("written");
  QTest::newRow("no extension") << "/d/list"
                                << "/d/list.csv";
  QTest::newRow("other extension") << "/d/list.txt"
                                   << "/d/list.txt.csv";
  QTest::newRow("upper case kept") << "/d/LIST.CSV"
                                   << "/d/LIST.CSV";
  QTest::newRow("mixed case kept") << "/d/a.Csv"
                                   << "/d/a.Csv";
  QTest::newRow("csv not last") << "/d/a.csv.bak"
                                << "/d/a.csv.bak.csv";
  QTest::newRow("period only in the folder") << "/d.csv/list"
                                             << "/d.csv/list.csv";
  QTest::newRow("trailing period") << "/d/list."
                                   << "/d/list..csv";
  QTest::newRow("full-width letters are no match") << "/d/a.ＣＳＶ"
                                                   << "/d/a.ＣＳＶ.csv";
}

void RunControlTest::csvExtension() {
  QFETCH(QString, typed);
  QFETCH(QString, written);
  QCOMPARE(WithCsvExtension(typed), written);
}

void RunControlTest::typedNameWithoutExtensionReplacesTheCsvFile() {
  TRunFixture run(false);
  QVERIFY(run.w.Open());
  const QString typed = run.w.Folder() + "list";
  WriteBytes(typed + ".csv", "old content\r\n");
  QVERIFY(run.Start({1}, typed));
  QCOMPARE(run.w->FSaveFileName, typed + ".csv");
  QVERIFY(run.WaitUntilIdle());
  QCOMPARE(AskedBoxes(), QStringList{BoxUnreachable()});
  QCOMPARE(RunStatus, int32_t(rsAccessFailed));
  QVERIFY(!QFileInfo::exists(typed));
  const QList<QByteArray> lines = CsvLines(typed + ".csv");
  QCOMPARE(lines.size(), 1);  // the header line only
  QVERIFY(!lines[0].contains("old content"));
}

void RunControlTest::undeletableOutputFileShowsErrorAndStartsNothing() {
  TWindow w;
  QVERIFY(w.Open());
  // A folder of that name with something in it cannot be deleted, even by root.
  const QString path = w.Folder() + "busy.csv";
  QVERIFY(QDir().mkpath(path));
  WriteBytes(path + "/keep", "x");
  RunStatus = rsCancelled;
  UserToggle(w->lstArea, 0);
  FileDialog::setNextFileName(path);
  QTest::mouseClick(w->btnAction, Qt::LeftButton);
  QCOMPARE(AskedBoxes(), QStringList{BoxFileInUse()});
  QCOMPARE(RunStatus, int32_t(rsCancelled));
  QCOMPARE(w->FThread, nullptr);
  QVERIFY(w->btnAction->isEnabled() && !w->btnCancel->isEnabled() && !w->prgBar->isVisible());
  QCOMPARE(QApplication::overrideCursor(), nullptr);
  QVERIFY(QFileInfo::exists(path + "/keep"));
}

void RunControlTest::onlyTheWorkersEndCallEndsTheRun() {
  // A worker that has left its run (not running any more) but whose end-of-run call
  // has not arrived yet: a cancel press must not end the run a second time.
  TWindow w;
  QVERIFY(w.Open());
  TMyThread worker(true, *w.get(), TRunConfig{});
  w->FThread = &worker;
  w->btnCancel->setEnabled(true);
  w->btnAction->setEnabled(false);
  RunStatus = rsNormal;
  w->FRunning = false;
  w->FWorkerResult = wrRecordWritten;

  w->btnCancelClick(w->btnCancel);
  QVERIFY(MessageBox::asked().empty());
  QCOMPARE(w->FThread, &worker);
  QVERIFY(!w->btnAction->isEnabled());

  // A close confirmed meanwhile is kept for the end-of-run call.
  MessageBox::setNextAnswer(QMessageBox::Yes);
  QVERIFY(!w->close());
  QCOMPARE(RunStatus, int32_t(rsQuitRequested));
  QSignalSpy ended(w.get(), &TFrmMain::EndRequested);
  w->btnCancelClick(&worker);
  QCOMPARE(ended.count(), 1);
  QCOMPARE(w->FThread, nullptr);
  QCOMPARE(AskedBoxes(), QStringList{BoxConfirmClose()});
}

MIRVASO_GUI_TEST(RunControlTest)
#include "tst_RunControl.moc"
