// ManualKvadr: the electronic manual of Parblok 2000. It shows the page given as its one argument,
// a path relative to the current folder (the game starts it on "Html/Parblok2000/Index.htm" from
// the game's folder).

#include "ManualViewer.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ManualKvadr"));
    Q_INIT_RESOURCE(manual_pictures);

    ManualViewer viewer;
    viewer.Start(QApplication::arguments().value(1));
    viewer.show();
    return app.exec();
}
