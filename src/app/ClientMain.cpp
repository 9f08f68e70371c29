// The desktop client: start-up, the message loop, and an orderly exit.

#include <QApplication>
#include <QSettings>

#include <chrono>

#include "accounts/SettingsStore.h"
#include "core/AppContext.h"
#include "core/StoreStartup.h"
#include "net/ServiceHosts.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "store/AdoConnection.h"
#include "ui/MainFrame.h"

namespace {

// Long enough for a worker to notice its stop flag (checked every second) and finish the
// statement it is in.
constexpr std::chrono::milliseconds kWorkerExitWait{3000};

// The service hosts the owner configured (QSettings, group "Service"), then the environment's
// override.
corvane::net::ServiceHosts ConfiguredServiceHosts() {
    QSettings settings;
    corvane::net::ServiceHosts configured;
    for (const corvane::net::ServiceHostSetting& setting : corvane::net::kServiceHostSettings) {
        configured.*setting.field =
            settings
                .value(QString::fromUtf8(setting.key.data(), static_cast<int>(setting.key.size())))
                .toString()
                .toStdString();
    }
    return corvane::net::ResolveServiceHosts(configured);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("星岚"));
    QApplication::setOrganizationName(QStringLiteral("Corvane - TipClient"));

    const std::filesystem::path dataDirectory = corvane::paths::DataDirectory();
    corvane::store::CAdoConnection connection;
    corvane::PrepareStore(connection, corvane::paths::DatabasePath(dataDirectory));
    corvane::AppContext context(connection, corvane::SystemClock::Instance(),
                                corvane::net::ServiceEndpoints(ConfiguredServiceHosts()));
    corvane::accounts::LoadSystemSettings(connection, context.settings);
    context.ipDatabase.Open(corvane::paths::IpDatabasePath(dataDirectory));

    int exitCode = 0;
    {
        corvane::ui::CMainFrame frame;
        frame.PlaceCentred();
        frame.show();
        exitCode = QApplication::exec();
    }

    // No worker may touch the store once it is closed: ask them to stop and wait, bounded.
    context.workers.RequestStop();
    context.workers.WaitForAll(kWorkerExitWait);
    connection.Close();
    return exitCode;
}
