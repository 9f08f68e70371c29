#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

#include "core/WindowPlacement.h"
#include "ui/MainFrame.h"

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void titledAndCentred() {
        corvane::ui::CMainFrame frame;
        frame.PlaceCentred();
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.windowTitle(), QStringLiteral("星岚 V4.20"));
        QCOMPARE(frame.size(), QSize(800, 580));
        const QSize desktop = QGuiApplication::primaryScreen()->geometry().size();
        const corvane::WindowRect expected =
            corvane::CentredMainWindow(desktop.width(), desktop.height());
        QCOMPARE(frame.pos(), QPoint(expected.left, expected.top));
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
