#include "Companion.h"

#include "KeyboardHandover.h"
#include "MainWindowLink.h"
#include "Pomocnik.h"

#include <QWidget>

void SetMainAndAssistantEnabled(bool enabled)
{
    if (TMainWindowLink *link = MainWindowLink()) {
        QWidget *main = link->LinkedWindow();
        main->setEnabled(enabled);
        // The window that held the keyboard is closing: the game gets it back, so the players'
        // keys work at once without a click into the main window.
        if (enabled)
            HandKeyboardTo(main);
    }
    SetAssistantEnabled(enabled);
}

void SetAssistantEnabled(bool enabled)
{
    if (TPomocnikDialog *assistant = PomocnikDialog())
        assistant->setEnabled(enabled);
}

bool CompanionSuspendsGravity()
{
    TMainWindowLink *main = MainWindowLink();
    if (main == nullptr || main->PauseOn())
        return false;
    main->SuspendGravity();
    return true;
}

void CompanionResumesGravity()
{
    if (TMainWindowLink *main = MainWindowLink())
        main->ResumeGravity();
}
