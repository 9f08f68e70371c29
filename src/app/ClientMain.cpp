// The desktop client: start-up, the message loop, and an orderly exit.

#include <QApplication>

#include <chrono>

#include "core/StoreStartup.h"
#include "core/WorkerRegistry.h"
#include "platform/Paths.h"
#include "store/AdoConnection.h"
#include "ui/MainFrame.h"

namespace {

// Long enough for a worker to notice its stop flag (checked every second) and finish the
// statement it is in.
constexpr std::chrono::milliseconds kWorkerExitWait{3000};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("星岚"));
    QApplication::setOrganizationName(QStringLiteral("Corvane - TipClient"));

    corvane::store::CAdoConnection connection;
    corvane::PrepareStore(connection,
                          corvane::paths::DatabasePath(corvane::paths::DataDirectory()));
    corvane::WorkerRegistry workers;

    int exitCode = 0;
    {
        corvane::ui::CMainFrame frame;
        frame.PlaceCentred();
        frame.show();
        exitCode = QApplication::exec();
    }

    workers.RequestStop();
    workers.WaitForAll(kWorkerExitWait);
    connection.Close();
    return exitCode;
}
