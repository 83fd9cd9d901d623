#include "Data.h"
#include "Hlavni.h"
#include "TApplication.h"

int main(int argc, char *argv[])
{
    preferXcbOnWayland();
    TApplication app(argc, argv);

    // The results store comes first: the main window opens the table while it is being made.
    TDataModule1 dataModule;
    THlavniDialog mainWindow;
    mainWindow.show();
    return app.exec();
}
