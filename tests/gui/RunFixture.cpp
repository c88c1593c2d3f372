#include "RunFixture.h"

#include <QTest>

#include "support/PortalPages.h"
#include "ui/Dialogs.h"

TRunFixture::TRunFixture(bool reachable) : FReachable(reachable) {}

void TRunFixture::PutArea(int area, const std::vector<std::string>& shopIds) {
  char path[64];
  std::snprintf(path, sizeof path, "/usedcar_shop/pref-%02d/index.html", area);
  portal.PutUtf8(path, ListingPageUtf8(std::to_string(shopIds.size()) + "件", shopIds));
  for (const std::string& id : shopIds) {
    portal.PutUtf8("/usedcar_shop/" + id + "/detail.html", DetailPageUtf8("店舗" + id));
  }
}

bool TRunFixture::Start(const std::vector<int>& areas, const QString& fileName) {
  const std::string base = FReachable ? portal.BaseUrl() : TestPortal::UnreachableBaseUrl();
  WriteBytes(w.SettingsPath(), QByteArray::fromStdString("[Portal]\r\nBaseUrl=" + base +
                                                         "\r\nCaFile=" + portal.CaFile() + "\r\n"));
  if (!w.get() && !w.Open()) return false;
  for (int area : areas) w->lstArea->item(area - 1)->setCheckState(Qt::Checked);
  FileDialog::setNextFileName(fileName);
  QTest::mouseClick(w->btnAction, Qt::LeftButton);
  return true;
}

bool TRunFixture::IsBusy() const {
  return !w->btnAction->isEnabled() && w->btnCancel->isEnabled() && !w->lstArea->isEnabled() &&
         !w->chkArea->isEnabled() && w->prgBar->isVisible();
}

bool TRunFixture::WaitUntilIdle() const {
  return QTest::qWaitFor(
      [this] {
        return w->FThread == nullptr && !w->FRunning && w->btnAction->isEnabled() &&
               !w->btnCancel->isEnabled();
      },
      60000);
}

std::vector<std::string> TRunFixture::RequestedPaths() const {
  std::vector<std::string> paths;
  for (const TPortalRequest& request : portal.Requests()) paths.push_back(request.path);
  return paths;
}

QList<QByteArray> CsvLines(const QString& path) {
  QList<QByteArray> lines = ReadBytes(path).split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  for (QByteArray& line : lines) {
    if (line.endsWith('\r')) line.chop(1);
  }
  return lines;
}
