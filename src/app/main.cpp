#include "Data.h"
#include "DotazKonec.h"
#include "Hlavni.h"
#include "Hra1.h"
#include "Hra2.h"
#include "Napoveda.h"
#include "OProgramu.h"
#include "Ovladani.h"
#include "Ovladani1.h"
#include "Pomocnik.h"
#include "TApplication.h"
#include "Tabulka.h"
#include "Uvitani.h"
#include "Vymazat.h"
#include "Vysledek.h"

int main(int argc, char *argv[])
{
    preferXcbOnWayland();
    TApplication app(argc, argv);

    // The results store comes first: the main window opens the table while it is being made.
    TDataModule1 dataModule;
    THlavniDialog mainWindow;
    TUvitaniDialog welcome;
    TNapovedaDialog help;
    TPomocnikDialog assistant;
    THra2Dialog hra2;
    THra1Dialog hra1;
    TVysledekDialog vysledek;
    TOvladani1Dialog ovladani1;
    TOvladaniDialog ovladani;
    TDotazKonecDialog dotazKonec;
    TVymazatDialog vymazat;
    TTabulkaDialog tabulka;
    TOProgramuDialog oProgramu;
    mainWindow.show();
    return app.exec();
}
