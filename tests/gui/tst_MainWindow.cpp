// The main window as built: its controls, the select-all coupling, and what the
// worker's synchronous calls show.
#include <QFontInfo>
#include <QTest>
#include <QThread>
#include <thread>

#include "GuiTestSupport.h"
#include "ui/Dialogs.h"

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { Dialogs::SetTestMode(true); }

  void windowFrame();
  void controls_data();
  void controls();
  void initialStateAndTabOrder();
  void prefectureList();
  void altRPressesStart();
  void selectAll_data();
  void selectAll();
  void tickByMouseReachesTheHandler();
  void workerCallsShowProgressAndStatus();
  void statusLinesGrowLeftwards();
  void synchronizeRunsOnTheGuiThread();
};

void MainWindowTest::windowFrame() {
  TWindow w;
  QVERIFY(w.Open());
  QCOMPARE(w->windowTitle(), QStringLiteral("Mirvaso"));
  QCOMPARE(w->size(), QSize(307, 235));
  QCOMPARE(w->minimumSize(), QSize(307, 235));
  QCOMPARE(w->maximumSize(), QSize(307, 235));
  QCOMPARE(w->pos(), QPoint(0, 0));
  QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
  QCOMPARE(FrmMain, w.get());
  // The design font falls back to an installed Japanese Gothic face.
  QCOMPARE(w->font().pixelSize(), 12);
  QCOMPARE(w->lstArea->font().pixelSize(), 13);
  QVERIFY2(QFontInfo(w->lstArea->font()).family().contains("Gothic", Qt::CaseInsensitive) ||
               QFontInfo(w->lstArea->font()).family().contains("ゴシック"),
           qPrintable(QFontInfo(w->lstArea->font()).family()));
}

void MainWindowTest::controls_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<QString>("caption");
  QTest::newRow("btnAction") << "btnAction" << QRect(160, 30, 140, 32) << "取得開始 (&R)";
  QTest::newRow("btnCancel") << "btnCancel" << QRect(160, 64, 140, 32) << "キャンセル (&C)";
  QTest::newRow("chkArea") << "chkArea" << QRect(11, 10, 119, 17) << " 都道府県の選択 : ";
  QTest::newRow("lstArea") << "lstArea" << QRect(8, 30, 145, 197) << "";
  QTest::newRow("prgBar") << "prgBar" << QRect(158, 212, 143, 15) << "";
}

void MainWindowTest::controls() {
  QFETCH(QString, name);
  QFETCH(QRect, geometry);
  QFETCH(QString, caption);
  TWindow w;
  QVERIFY(w.Open());
  auto* control = w->findChild<QWidget*>(name);
  QVERIFY(control);
  QCOMPARE(control->geometry(), geometry);
  if (auto* button = qobject_cast<QAbstractButton*>(control)) QCOMPARE(button->text(), caption);
}

void MainWindowTest::initialStateAndTabOrder() {
  TWindow w;
  QVERIFY(w.Open());
  QVERIFY(w->btnAction->isEnabled());
  QVERIFY(!w->btnCancel->isEnabled());
  QVERIFY(w->chkArea->isEnabled() && !w->chkArea->isChecked());
  QVERIFY(w->lstArea->isEnabled());
  QVERIFY(!w->prgBar->isVisible());
  QVERIFY(!w->lstArea->testAttribute(Qt::WA_InputMethodEnabled));
  QCOMPARE(w->lblStatus->text(), QStringLiteral("\u3000\u3000"));
  QCOMPARE(w->lblStatus2->text(), QStringLiteral("\u3000\u3000"));
  QVERIFY(w->lblStatus->alignment() & Qt::AlignRight);
  QCOMPARE(w->FThread, nullptr);
  QCOMPARE(w->FRunning.load(), false);
  QVERIFY(w->FSaveFileName.isEmpty());
  QCOMPARE(w->saveDlg.title, QStringLiteral("取得情報の保存先を指定してください"));
  QCOMPARE(w->saveDlg.filter, QStringLiteral("CSVファイル (*.csv)"));
  QVERIFY(w->saveDlg.confirmOverwrite);

  // Tab walks select-all box, list, start button (the cancel button is disabled).
  w->chkArea->setFocus();
  const QList<QWidget*> order{w->lstArea, w->btnAction, w->chkArea};
  for (QWidget* next : order) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), next);
  }
}

void MainWindowTest::prefectureList() {
  const QStringList expected =
      QString::fromUtf8(
          "北海道 青森県 岩手県 宮城県 秋田県 山形県 福島県 茨城県 栃木県 群馬県 埼玉県 千葉県 "
          "東京都 神奈川県 新潟県 富山県 石川県 福井県 山梨県 長野県 岐阜県 静岡県 愛知県 三重県 "
          "滋賀県 京都府 大阪府 兵庫県 奈良県 和歌山県 鳥取県 島根県 岡山県 広島県 山口県 徳島県 "
          "香川県 愛媛県 高知県 福岡県 佐賀県 長崎県 熊本県 大分県 宮崎県 鹿児島県 沖縄県")
          .split(' ');
  TWindow w;
  QVERIFY(w.Open());
  QStringList shown;
  for (int row = 0; row < w->lstArea->count(); row++) {
    QListWidgetItem* item = w->lstArea->item(row);
    shown << item->text();
    QVERIFY(item->flags() & Qt::ItemIsUserCheckable);
    QCOMPARE(item->checkState(), Qt::Unchecked);
  }
  QCOMPARE(shown, expected);
  // Rows of one fixed height.
  const QRect first = w->lstArea->visualItemRect(w->lstArea->item(0));
  const QRect second = w->lstArea->visualItemRect(w->lstArea->item(1));
  QCOMPARE(first.height(), 16);
  QCOMPARE(second.top() - first.top(), 16);
  QVERIFY(w->lstArea->uniformItemSizes());
}

void MainWindowTest::altRPressesStart() {
  TWindow w;
  QVERIFY(w.Open());
  QTest::keyClick(w.get(), Qt::Key_R, Qt::AltModifier);
  // Nothing ticked: the start button's first check answers.
  QTRY_COMPARE(MessageBox::asked().size(), size_t(1));
  QCOMPARE(MessageBox::asked()[0].text, QStringLiteral("都道府県は１つ以上を選択してください。"));
}

void MainWindowTest::selectAll_data() {
  QTest::addColumn<QStringList>("actions");  // "box" clicks chkArea, a number toggles that row
  QTest::addColumn<int>("ticked");
  QTest::addColumn<bool>("boxTicked");

  QTest::newRow("box ticks all") << QStringList{"box"} << 47 << true;
  QTest::newRow("box again unticks all") << QStringList{"box", "box"} << 0 << false;
  QTest::newRow("one item unticked unticks the box") << QStringList{"box", "4"} << 46 << false;
  QTest::newRow("ticked again ticks the box, no item changes")
      << QStringList{"box", "4", "4"} << 47 << true;
  QTest::newRow("single item leaves the box") << QStringList{"0"} << 1 << false;
  QStringList oneByOne;
  for (int row = 46; row >= 0; row--) oneByOne << QString::number(row);
  QTest::newRow("all items one by one tick the box") << oneByOne << 47 << true;
  QTest::newRow("then one off again") << (oneByOne << "46") << 46 << false;
}

void MainWindowTest::selectAll() {
  QFETCH(QStringList, actions);
  QFETCH(int, ticked);
  QFETCH(bool, boxTicked);
  TWindow w;
  QVERIFY(w.Open());
  for (const QString& action : actions) {
    if (action == "box") {
      QTest::mouseClick(w->chkArea, Qt::LeftButton);
    } else {
      UserToggle(w->lstArea, action.toInt());
    }
  }
  QCOMPARE(TickedRows(w->lstArea).size(), ticked);
  QCOMPARE(w->chkArea->isChecked(), boxTicked);
  if (actions.first() == "box") QCOMPARE(QApplication::focusWidget(), w->lstArea);
}

void MainWindowTest::tickByMouseReachesTheHandler() {
  TWindow w;
  QVERIFY(w.Open());
  QTest::mouseClick(w->chkArea, Qt::LeftButton);
  // Untick row 2 with a click on its check indicator.
  QListWidget* list = w->lstArea;
  QStyleOptionViewItem option;
  option.initFrom(list);
  option.rect = list->visualItemRect(list->item(2));
  option.features |= QStyleOptionViewItem::HasCheckIndicator;
  const QRect indicator =
      list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, indicator.center());
  QCOMPARE(list->item(2)->checkState(), Qt::Unchecked);
  QVERIFY(!w->chkArea->isChecked());
  QCOMPARE(TickedRows(list).size(), 46);
}

void MainWindowTest::workerCallsShowProgressAndStatus() {
  TWindow w;
  QVERIFY(w.Open());
  w->HostSetupProgress(5);
  QCOMPARE(w->prgBar->minimum(), 0);
  QCOMPARE(w->prgBar->maximum(), 5);
  QCOMPARE(w->prgBar->value(), 0);
  for (int i = 0; i < 3; i++) w->HostStepProgress();
  w->HostShowAreaStatus(13);
  QCOMPARE(w->prgBar->value(), 3);
  QCOMPARE(w->lblStatus2->text(), QStringLiteral("[3/5] 東京都"));
  QCOMPARE(w->lblStatus->text(), QStringLiteral("読み込み中..."));
  w->HostShowShopStatus(2, 12);
  QCOMPARE(w->lblStatus->text(), QStringLiteral("店舗情報 : 2/12 件"));
  QCOMPARE(w->lblStatus2->text(), QStringLiteral("[3/5] 東京都"));
  w->HostStepProgress();
  w->HostStepProgress();
  w->HostShowAreaStatus(47);
  QCOMPARE(w->prgBar->value(), 5);
  QCOMPARE(w->lblStatus2->text(), QStringLiteral("[5/5] 沖縄県"));
}

void MainWindowTest::statusLinesGrowLeftwards() {
  TWindow w;
  QVERIFY(w.Open());
  QCOMPARE(w->lblStatus->geometry().right() + 1, 299);
  QCOMPARE(w->lblStatus->y(), 199);
  QCOMPARE(w->lblStatus2->y(), 183);
  w->HostSetupProgress(1);
  w->HostStepProgress();
  w->HostShowAreaStatus(1);
  const int shortWidth = w->lblStatus->width();
  w->HostShowShopStatus(100, 1000);
  QVERIFY(w->lblStatus->width() > shortWidth);
  for (QLabel* label : {w->lblStatus, w->lblStatus2}) {
    QCOMPARE(label->geometry().right() + 1, 299);
    QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
  }
}

void MainWindowTest::synchronizeRunsOnTheGuiThread() {
  TWindow w;
  QVERIFY(w.Open());
  std::atomic<bool> onGuiThread{false};
  std::atomic<bool> returned{false};
  std::thread worker([&] {
    w->Synchronize([&] {
      onGuiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
      w->HostShowShopStatus(1, 2);
    });
    returned = true;
  });
  // The call waits for the GUI thread's event loop.
  QTRY_VERIFY(returned.load());
  worker.join();
  QVERIFY(onGuiThread.load());
  QCOMPARE(w->lblStatus->text(), QStringLiteral("店舗情報 : 1/2 件"));
}

MIRVASO_GUI_TEST(MainWindowTest)
#include "tst_MainWindow.moc"
