// The yardstick of bench_startup: a bare Qt main window with a menu bar, a toolbar and a status
// bar, and nothing else, started the same way and reporting when it is first exposed.

#include "StartupProbe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    QToolBar *toolbar = window.addToolBar(QStringLiteral("Toolbar"));
    for (const QString &title :
         {QStringLiteral("&File"), QStringLiteral("&Tools"), QStringLiteral("&Help")}) {
        QMenu *menu = window.menuBar()->addMenu(title);
        for (int item = 1; item <= 3; ++item)
            toolbar->addAction(menu->addAction(QStringLiteral("Command %1").arg(item)));
    }
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.setCentralWidget(new QLabel(QStringLiteral("Content")));
    window.resize(669, 480);

    StartupProbe probe({{"main", [&window] { return window.windowHandle(); }}});
    window.show();
    return app.exec();
}
