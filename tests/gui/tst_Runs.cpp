// Whole runs from the window with a real worker against the local test portal: the
// closing messages, cancel, and closing the window while a run is under way.
#include <QSignalSpy>
#include <QTest>

#include "ExpectedBoxes.h"
#include "RunFixture.h"
#include "Unithread/MyThread.h"

namespace {

bool IdleAndReset(const TFrmMain* w) {
  return w->btnAction->isEnabled() && w->chkArea->isEnabled() && w->lstArea->isEnabled() &&
         !w->btnCancel->isEnabled() && !w->prgBar->isVisible() && w->prgBar->value() == 0 &&
         w->lblStatus->text().isEmpty() && w->lblStatus2->text().isEmpty() &&
         QApplication::overrideCursor() == nullptr;
}

bool Requested(const TRunFixture& run, const std::string& path) {
  for (const std::string& p : run.RequestedPaths()) {
    if (p == path) return true;
  }
  return false;
}

// Waits until the worker has handed on its first shop.
bool FirstShopShown(const TRunFixture& run) {
  return QTest::qWaitFor([&] { return run.w->lblStatus->text().startsWith("店舗情報 : "); }, 30000);
}

}  // namespace

class RunsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { Dialogs::SetTestMode(true); }
  void cleanup() { QCOMPARE(QApplication::overrideCursor(), nullptr); }

  void completeRun_data();
  void completeRun();
  void runWithoutShops();
  void unreachablePortal();
  void outputFileCannotBeCreated();
  void temporaryPageFileCannotBeWritten();
  void cancelAnsweredNoThenYes();
  void closeDuringRunEndsTheProgramWhenTheWorkerEnds();
  void workerEndsWhileCancelQuestionIsOpen();
  void workerEndsWhileCloseQuestionIsOpen();
};

void RunsTest::completeRun_data() {
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("removeFileFirst");
  QTest::addColumn<bool>("opened");
  QTest::addColumn<bool>("missingFileBox");
  QTest::newRow("No: nothing opened") << int(QMessageBox::No) << false << false << false;
  QTest::newRow("Yes: file opened") << int(QMessageBox::Yes) << false << true << false;
  QTest::newRow("Yes, file gone meanwhile") << int(QMessageBox::Yes) << true << false << true;
}

void RunsTest::completeRun() {
  QFETCH(int, answer);
  QFETCH(bool, removeFileFirst);
  QFETCH(bool, opened);
  QFETCH(bool, missingFileBox);
  TRunFixture run;
  run.PutArea(1, {"0100000001", "0100000002"});
  run.PutArea(13, {"1300000001"});
  QVERIFY(run.w.Open());
  const QByteArray settings = "[Config]\r\nCategory=1\r\n";
  MessageBox::setNextAnswer([&](const TMessageRequest&) {
    if (removeFileFirst) QFile::remove(run.OutputPath());
    return static_cast<QMessageBox::StandardButton>(answer);
  });
  QVERIFY(run.Start({13, 1}, run.OutputPath()));
  const QByteArray settingsAtStart = ReadBytes(run.w.SettingsPath());
  // Busy at once, before the worker has shown anything.
  QVERIFY(run.IsBusy());
  QCOMPARE(RunStatus, int32_t(rsNormal));
  QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
  QVERIFY(run.w->FThread != nullptr);

  QVERIFY(run.WaitUntilIdle());
  QStringList expected{BoxOpenFile()};
  if (missingFileBox) expected << BoxFileNotFound();
  QCOMPARE(AskedBoxes(), expected);
  QCOMPARE(FileOpener::opened(), opened ? QStringList{run.OutputPath()} : QStringList{});
  QVERIFY(IdleAndReset(run.w.get()));
  QCOMPARE(RunStatus, int32_t(rsNormal));
  // Finishing a run writes no settings.
  QCOMPARE(ReadBytes(run.w.SettingsPath()), settingsAtStart);

  // Prefectures in list order, each shop after its listing.
  const std::vector<std::string> expectedPaths{
      "/usedcar_shop/pref-01/index.html", "/usedcar_shop/0100000001/detail.html",
      "/usedcar_shop/0100000002/detail.html", "/usedcar_shop/pref-13/index.html",
      "/usedcar_shop/1300000001/detail.html"};
  QCOMPARE(run.RequestedPaths(), expectedPaths);
  if (!removeFileFirst) {
    const QList<QByteArray> lines = CsvLines(run.OutputPath());
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[1].startsWith("\"0100000001\","));
    QVERIFY(lines[2].startsWith("\"0100000002\","));
    QVERIFY(lines[3].startsWith("\"1300000001\","));
  }
  QVERIFY(!QFileInfo::exists(run.w.Folder() + "tmp.dat"));
}

void RunsTest::runWithoutShops() {
  TRunFixture run;
  run.PutArea(2, {});
  QVERIFY(run.Start({2}, run.OutputPath()));
  QVERIFY(run.WaitUntilIdle());
  QCOMPARE(AskedBoxes(), QStringList{BoxNoShops()});
  QCOMPARE(RunStatus, int32_t(rsNoShops));
  QCOMPARE(CsvLines(run.OutputPath()).size(), 1);
  QVERIFY(IdleAndReset(run.w.get()));
}

void RunsTest::unreachablePortal() {
  TRunFixture run(false);
  QVERIFY(run.Start({1, 2}, run.OutputPath()));
  QVERIFY(run.WaitUntilIdle());
  QCOMPARE(AskedBoxes(), QStringList{BoxUnreachable()});
  QCOMPARE(RunStatus, int32_t(rsAccessFailed));
  QVERIFY(IdleAndReset(run.w.get()));
}

void RunsTest::outputFileCannotBeCreated() {
  TRunFixture run;
  run.PutArea(1, {"0100000001"});
  QVERIFY(run.Start({1}, run.w.Folder() + "no-such-folder/out.csv"));
  QVERIFY(run.WaitUntilIdle());
  // Reported as a failure, never as a finished run.
  QCOMPARE(AskedBoxes(), QStringList{BoxFileInUse()});
  QCOMPARE(RunStatus, int32_t(rsOutputFailed));
  QVERIFY(IdleAndReset(run.w.get()));
}

void RunsTest::temporaryPageFileCannotBeWritten() {
  TRunFixture run;
  run.PutArea(1, {"0100000001"});
  QVERIFY(QDir().mkdir(run.w.Folder() + "tmp.dat"));  // no page can be stored there
  QVERIFY(run.Start({1}, run.OutputPath()));
  QVERIFY(run.WaitUntilIdle());
  // Neither taken for an unreachable portal nor for a finished run.
  QCOMPARE(AskedBoxes(), QStringList{BoxRunBrokeOff()});
  QCOMPARE(RunStatus, int32_t(rsRunFailed));
  QVERIFY(IdleAndReset(run.w.get()));
}

void RunsTest::cancelAnsweredNoThenYes() {
  TRunFixture run;
  run.PutArea(1, {"0100000001", "0100000002", "0100000003", "0100000004"});
  run.PutArea(2, {"0200000001"});
  QVERIFY(run.Start({1, 2}, run.OutputPath()));
  QVERIFY(FirstShopShown(run));

  MessageBox::setNextAnswer(QMessageBox::No);
  QTest::mouseClick(run.w->btnCancel, Qt::LeftButton);
  QCOMPARE(AskedBoxes(), QStringList{BoxConfirmCancel()});
  QCOMPARE(RunStatus, int32_t(rsNormal));
  QVERIFY(run.IsBusy());
  QVERIFY(!run.w->FThread->Terminated());

  MessageBox::setNextAnswer(QMessageBox::Yes);
  QTest::mouseClick(run.w->btnCancel, Qt::LeftButton);
  QCOMPARE(RunStatus, int32_t(rsCancelled));
  // Pressed again while the stop is pending: nothing is asked, no new run can start.
  if (run.w->btnCancel->isEnabled()) {
    QTest::mouseClick(run.w->btnCancel, Qt::LeftButton);
    QVERIFY(!run.w->btnAction->isEnabled());
  }
  QVERIFY(run.WaitUntilIdle());
  QCOMPARE(AskedBoxes(), (QStringList{BoxConfirmCancel(), BoxConfirmCancel()}));
  QVERIFY(IdleAndReset(run.w.get()));
  QVERIFY(!Requested(run, "/usedcar_shop/pref-02/index.html"));
  const QList<QByteArray> lines = CsvLines(run.OutputPath());
  QVERIFY(lines.size() >= 2 && lines.size() < 5);
}

void RunsTest::closeDuringRunEndsTheProgramWhenTheWorkerEnds() {
  TRunFixture run;
  run.PutArea(1, {"0100000001", "0100000002", "0100000003"});
  run.PutArea(3, {"0300000001"});
  QVERIFY(run.Start({1, 3}, run.OutputPath()));
  QSignalSpy ended(run.w.get(), &TFrmMain::EndRequested);
  QVERIFY(FirstShopShown(run));

  MessageBox::setNextAnswer(QMessageBox::Yes);
  QVERIFY(!run.w->close());
  QVERIFY(run.w->isVisible());
  QCOMPARE(RunStatus, int32_t(rsQuitPending));
  QCOMPARE(ended.count(), 0);

  QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 30000);
  QCOMPARE(run.w->FThread, nullptr);
  QCOMPARE(AskedBoxes(), QStringList{BoxConfirmClose()});
  // The ticks as they were when the run started; the window is not reset.
  QVERIFY(ReadBytes(run.w.SettingsPath()).contains("Category=101" + QByteArray(44, '0')));
  QVERIFY(!run.w->btnAction->isEnabled() && !run.w->btnCancel->isEnabled());
  QVERIFY(!Requested(run, "/usedcar_shop/pref-03/index.html"));
}

void RunsTest::workerEndsWhileCancelQuestionIsOpen() {
  TRunFixture run;
  run.PutArea(1, {"0100000001"});
  // The question stays open until the worker's end-of-run call has run inside it.
  bool endedInside = false;
  MessageBox::setNextAnswer([&](const TMessageRequest&) {
    endedInside = QTest::qWaitFor([&] { return run.w->FThread == nullptr; }, 30000);
    return QMessageBox::Yes;
  });
  MessageBox::setNextAnswer(QMessageBox::No);  // the closing question shown on top
  QVERIFY(run.Start({1}, run.OutputPath()));
  QTest::mouseClick(run.w->btnCancel, Qt::LeftButton);
  QVERIFY(endedInside);
  QCOMPARE(AskedBoxes(), (QStringList{BoxConfirmCancel(), BoxOpenFile()}));
  QVERIFY(run.WaitUntilIdle());
  QVERIFY(IdleAndReset(run.w.get()));
  QCOMPARE(RunStatus, int32_t(rsCancelled));
  QCOMPARE(CsvLines(run.OutputPath()).size(), 2);
}

void RunsTest::workerEndsWhileCloseQuestionIsOpen() {
  TRunFixture run;
  run.PutArea(1, {"0100000001"});
  bool endedInside = false;
  MessageBox::setNextAnswer([&](const TMessageRequest&) {
    endedInside = QTest::qWaitFor([&] { return run.w->FThread == nullptr; }, 30000);
    return QMessageBox::Yes;
  });
  MessageBox::setNextAnswer(QMessageBox::No);
  QVERIFY(run.Start({1}, run.OutputPath()));
  QSignalSpy ended(run.w.get(), &TFrmMain::EndRequested);
  QVERIFY(!run.w->close());
  QVERIFY(endedInside);
  // The run's own closing question first; the Yes to the close then ends the program.
  QCOMPARE(AskedBoxes(), (QStringList{BoxConfirmClose(), BoxOpenFile()}));
  QCOMPARE(ended.count(), 1);
  QVERIFY(ReadBytes(run.w.SettingsPath()).contains("Category=1" + QByteArray(46, '0')));
}

MIRVASO_GUI_TEST(RunsTest)
#include "tst_Runs.moc"
