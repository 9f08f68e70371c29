#pragma once

#include <QMainWindow>

namespace corvane::ui {

// The client's one main window. Its pages, toolbar, status bar and tray icon are added by
// their own classes.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);

    // 800 x 580, centred on the screen the window is on.
    void PlaceCentred();
};

}  // namespace corvane::ui
