#include "Data.h"
#include "Hlavni.h"
#include "Napoveda.h"
#include "Pomocnik.h"
#include "TApplication.h"
#include "Uvitani.h"

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
    mainWindow.show();
    return app.exec();
}
