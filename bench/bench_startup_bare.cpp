// The yardstick of bench_startup: a bare Qt main window with a menu bar, a toolbar and a status
// bar, started the same way and reporting when it is first exposed.

#include "StartupProbe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    const QStringList menus = {QStringLiteral("&File"), QStringLiteral("&Tools"),
                               QStringLiteral("&Help")};
    QToolBar *toolbar = window.addToolBar(QStringLiteral("Toolbar"));
    const QStyle *style = window.style();
    int icon = QStyle::SP_FileIcon;
    for (const QString &title : menus) {
        QMenu *menu = window.menuBar()->addMenu(title);
        for (int item = 1; item <= 3; ++item) {
            QAction *action = menu->addAction(QStringLiteral("Command %1").arg(item));
            action->setIcon(style->standardIcon(QStyle::StandardPixmap(icon++ % 60)));
            toolbar->addAction(action);
        }
    }
    window.statusBar()->addPermanentWidget(new QLabel(QStringLiteral("Ready")));
    window.setCentralWidget(new QLabel(QStringLiteral("Content")));
    window.resize(669, 480);

    StartupProbe probe([&window] { return window.windowHandle(); });
    window.show();
    return app.exec();
}
