#include "ui/TaskbarProgress.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QVariantMap>

namespace {

bool gAvailable = false;

// Shells known to draw the progress of a launcher entry.
constexpr const char* kConsumers[] = {"com.canonical.Unity", "org.kde.plasmashell",
                                      "com.canonical.Unity.Launcher"};

void SendUpdate(const QVariantMap& properties) {
  if (!gAvailable) return;
  QDBusMessage signal = QDBusMessage::createSignal(
      QStringLiteral("/com/mirvaso/Mirvaso"), QStringLiteral("com.canonical.Unity.LauncherEntry"),
      QStringLiteral("Update"));
  signal << QStringLiteral("application://mirvaso.desktop") << properties;
  QDBusConnection::sessionBus().send(signal);
}

}  // namespace

bool InitializeTaskbarAPI() {
  static const bool available = [] {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return false;
    for (const char* name : kConsumers) {
      if (bus.interface()->isServiceRegistered(QString::fromLatin1(name)).value()) return true;
    }
    return false;
  }();
  gAvailable = available;
  return available;
}

void SetTaskbarProgressState(TTaskBarProgressState state) {
  SendUpdate({{QStringLiteral("progress-visible"), state != tbpsNone},
              {QStringLiteral("urgent"), state == tbpsError}});
}

void SetTaskbarProgressValue(int64_t completed, int64_t total) {
  double fraction = total > 0 ? static_cast<double>(completed) / static_cast<double>(total) : 0.0;
  SendUpdate({{QStringLiteral("progress"), fraction}, {QStringLiteral("progress-visible"), true}});
}
