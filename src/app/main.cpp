#include "Data.h"
#include "DotazKonec.h"
#include "Hlavni.h"
#include "Hra1.h"
#include "Hra2.h"
#include "Pomocnik.h"
#include "TApplication.h"
#include "Vysledek.h"

int main(int argc, char *argv[])
{
    preferXcbOnWayland();
    TApplication app(argc, argv);

    // The results store comes first: the main window opens the table while it is being made.
    TDataModule1 dataModule;
    THlavniDialog mainWindow;
    TPomocnikDialog assistant;
    THra2Dialog hra2;
    THra1Dialog hra1;
    TVysledekDialog vysledek;
    TDotazKonecDialog dotazKonec;
    mainWindow.show();
    return app.exec();
}
