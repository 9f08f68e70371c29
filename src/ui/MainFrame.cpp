#include "ui/MainFrame.h"

#include <QGuiApplication>
#include <QScreen>

#include "core/WindowPlacement.h"

namespace corvane::ui {

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("星岚 V4.20"));
}

void CMainFrame::PlaceCentred() {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QSize desktop = screen != nullptr ? screen->geometry().size() : QSize(1024, 768);
    const WindowRect rect = CentredMainWindow(desktop.width(), desktop.height());
    resize(rect.right - rect.left, rect.bottom - rect.top);
    move(rect.left, rect.top);
}

}  // namespace corvane::ui
