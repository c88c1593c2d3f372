#include "ui/FrmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QThread>
#include <thread>

#include "Unithread/MyThread.h"
#include "Unithread/Prefectures.h"
#include "Unithread/StatusTexts.h"
#include "ui/TaskbarProgress.h"

TFrmMain* FrmMain = nullptr;

namespace {

// Posted to the window by its first show; restores the ticks.
const QEvent::Type UM_LOADSETTINGS = static_cast<QEvent::Type>(QEvent::User + 100);

// The status lines keep their right edge here and grow leftwards with their text.
constexpr int kStatusRight = 283 + 16;
constexpr int kItemHeight = 16;

QFont GothicFont(int pixelSize) {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                    QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                    QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")});
  font.setPixelSize(pixelSize);
  return font;
}

// Items of one fixed height, as the list's rows are laid out for.
class TFixedHeightDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), kItemHeight};
  }
};

}  // namespace

TFrmMain::TFrmMain(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  FrmMain = this;
  FProgramFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
  CreateControls();
  FormCreate();
}

TFrmMain::~TFrmMain() {
  ReleaseWorkers();
  if (FCursorOverridden) QApplication::restoreOverrideCursor();
  if (FrmMain == this) FrmMain = nullptr;
}

void TFrmMain::CreateControls() {
  setObjectName(QStringLiteral("FrmMain"));
  setWindowTitle(QStringLiteral("Mirvaso"));
  setFixedSize(307, 235);
  move(0, 0);
  setFont(GothicFont(12));
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);
  setAutoFillBackground(true);

  lblStatus = new QLabel(QStringLiteral("\u3000\u3000"), this);
  lblStatus2 = new QLabel(QStringLiteral("\u3000\u3000"), this);
  for (auto [label, name, top] :
       {std::tuple{lblStatus, "lblStatus", 199}, std::tuple{lblStatus2, "lblStatus2", 183}}) {
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(283, top, 16, 12);
    SetStatusCaption(label, label->text());
  }

  btnAction = new QPushButton(QStringLiteral("取得開始 (&R)"), this);
  btnAction->setObjectName(QStringLiteral("btnAction"));
  btnAction->setGeometry(160, 30, 140, 32);

  btnCancel = new QPushButton(QStringLiteral("キャンセル (&C)"), this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnCancel->setGeometry(160, 64, 140, 32);
  btnCancel->setEnabled(false);

  chkArea = new QCheckBox(QStringLiteral(" 都道府県の選択 : "), this);
  chkArea->setObjectName(QStringLiteral("chkArea"));
  chkArea->setGeometry(11, 10, 119, 17);

  lstArea = new QListWidget(this);
  lstArea->setObjectName(QStringLiteral("lstArea"));
  lstArea->setGeometry(8, 30, 145, 197);
  lstArea->setFont(GothicFont(13));
  lstArea->setUniformItemSizes(true);
  lstArea->setItemDelegate(new TFixedHeightDelegate(lstArea));
  lstArea->setAttribute(Qt::WA_InputMethodEnabled, false);
  lstArea->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const char* name : PrefectureNamesUtf8()) {
    auto* item = new QListWidgetItem(QString::fromUtf8(name));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    lstArea->addItem(item);
  }

  prgBar = new QProgressBar(this);
  prgBar->setObjectName(QStringLiteral("prgBar"));
  prgBar->setGeometry(158, 212, 143, 15);
  prgBar->setTextVisible(false);
  prgBar->setRange(0, 100);
  prgBar->setValue(0);
  prgBar->hide();

  setTabOrder(chkArea, lstArea);
  setTabOrder(lstArea, btnAction);
  setTabOrder(btnAction, btnCancel);
  setTabOrder(btnCancel, prgBar);

  saveDlg.title = QStringLiteral("取得情報の保存先を指定してください");
  saveDlg.filter = QStringLiteral("CSVファイル (*.csv)");
  saveDlg.confirmOverwrite = true;

  AttachChkAreaClick();
  // Only ticks the user changes reach the handler; code sets them with FTicksByCode.
  connect(lstArea, &QListWidget::itemChanged, this, [this](QListWidgetItem*) {
    if (!FTicksByCode) lstAreaClickCheck();
  });
  connect(btnAction, &QPushButton::clicked, this, [this] { btnActionClick(); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(btnCancel); });
}

void TFrmMain::FormCreate() { FTaskbarReady = InitializeTaskbarAPI(); }

QString TFrmMain::ProgramFolder() const { return FProgramFolder; }

void TFrmMain::SetProgramFolder(const QString& folder) {
  FProgramFolder = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString TFrmMain::SettingsPath() const { return FProgramFolder + QStringLiteral("mvs.ini"); }

void TFrmMain::AttachChkAreaClick() {
  FChkAreaClick = connect(chkArea, &QCheckBox::toggled, this, [this] { chkAreaClick(); });
}

void TFrmMain::SetTicksByCode(int row, bool ticked) {
  const bool wasByCode = FTicksByCode;
  FTicksByCode = true;
  lstArea->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
  FTicksByCode = wasByCode;
}

void TFrmMain::chkAreaClick() {
  const bool ticked = chkArea->isChecked();
  for (int row = 0; row < lstArea->count(); row++) SetTicksByCode(row, ticked);
  if (lstArea->count() > 0) lstArea->setFocus();
}

void TFrmMain::lstAreaClickCheck() {
  bool allTicked = true;
  for (int row = 0; row < lstArea->count() && allTicked; row++) {
    allTicked = lstArea->item(row)->checkState() == Qt::Checked;
  }
  if (chkArea->isChecked() == allTicked) return;
  // The box follows the list without its handler, so that no item changes.
  disconnect(FChkAreaClick);
  chkArea->setChecked(allTicked);
  AttachChkAreaClick();
}

void TFrmMain::SetStatusCaption(QLabel* label, const QString& text) {
  label->setText(text);
  const int width = text.isEmpty() ? 0 : label->fontMetrics().horizontalAdvance(text);
  const int height = qMax(12, label->fontMetrics().height());
  label->setGeometry(kStatusRight - width, label->y(), width, height);
}

bool TFrmMain::event(QEvent* e) {
  if (e->type() == UM_LOADSETTINGS) {
    LoadSettings();
    return true;
  }
  return QWidget::event(e);
}

void TFrmMain::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  // A show by the program, not the desktop restoring a minimised window.
  if (!e->spontaneous()) QCoreApplication::postEvent(this, new QEvent(UM_LOADSETTINGS));
}

void TFrmMain::closeEvent(QCloseEvent* e) {
  bool canClose = true;
  FormCloseQuery(canClose);
  if (canClose) {
    e->accept();
  } else {
    e->ignore();
  }
}

QMessageBox::StandardButton TFrmMain::Show(const TMessageRequest& request) {
  return MessageBox::Show(this, request);
}

void ShowException(QWidget* parent, const QString& message) {
  MessageBox::Show(parent, {message, QStringLiteral("Mirvaso"), QMessageBox::Ok,
                            QMessageBox::Critical, QMessageBox::Ok});
}

// ---- The worker's synchronous calls ----

void TFrmMain::Synchronize(const std::function<void()>& call) {
  FSyncInFlight++;
  auto guarded = [this, &call] {
    if (FShutDown) return;
    try {
      call();
    } catch (const std::exception& error) {
      ShowException(this, QString::fromUtf8(error.what()));
    }
  };
  if (!FShutDown) {
    if (QThread::currentThread() == thread()) {
      guarded();
    } else {
      QMetaObject::invokeMethod(this, guarded, Qt::BlockingQueuedConnection);
    }
  }
  FSyncInFlight--;
}

void TFrmMain::ReleaseWorkers() {
  if (FThread) FThread->Terminate();
  FShutDown = true;
  // A call already handed over is let go without running; none is handed over later.
  while (FSyncInFlight > 0) {
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  TMyThread::WaitForFreeWorkers();
  FThread = nullptr;
}

void TFrmMain::HostSetupProgress(int32_t areaCount) {
  prgBar->setValue(0);
  prgBar->setMinimum(0);
  prgBar->setMaximum(areaCount);
  FProgressStep = 1;
}

void TFrmMain::HostStepProgress() {
  prgBar->setValue(qMin(prgBar->value() + FProgressStep, prgBar->maximum()));
  prgBar->repaint();
  if (FTaskbarReady) SetTaskbarProgressValue(prgBar->value(), prgBar->maximum());
}

void TFrmMain::HostShowAreaStatus(int32_t area) {
  QListWidgetItem* item = area >= 1 && area <= lstArea->count() ? lstArea->item(area - 1) : nullptr;
  const QString name = item ? item->text() : QString();
  SetStatusCaption(lblStatus2, QString::fromStdString(AreaStatusText(
                                   prgBar->value(), prgBar->maximum(), name.toStdString())));
  SetStatusCaption(lblStatus, QString::fromUtf8(kReadingStatus));
}

void TFrmMain::HostShowShopStatus(int32_t shopCount, int32_t shopTotal) {
  SetStatusCaption(lblStatus, QString::fromStdString(ShopStatusText(shopCount, shopTotal)));
}

void TFrmMain::HostRunEnd(TMyThread* sender) { btnCancelClick(sender); }
