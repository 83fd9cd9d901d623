#include "Companion.h"

#include "Hlavni.h"
#include "Pomocnik.h"

void SetMainAndAssistantEnabled(bool enabled)
{
    if (THlavniDialog *main = HlavniDialog()) {
        main->setEnabled(enabled);
        // The window that held the keyboard is closing: the game gets it back, so the players'
        // keys work at once without a click into the main window.
        if (enabled && main->isVisible() && !main->isMinimized())
            main->activateWindow();
    }
    if (TPomocnikDialog *assistant = PomocnikDialog())
        assistant->setEnabled(enabled);
}

void CompanionSuspendsGravity()
{
    if (THlavniDialog *main = HlavniDialog(); main != nullptr && !main->PauseOn())
        main->SuspendGravity();
}

void CompanionShown()
{
    CompanionSuspendsGravity();
    SetMainAndAssistantEnabled(false);
}

void CompanionClosed()
{
    if (THlavniDialog *main = HlavniDialog(); main != nullptr && !main->PauseOn())
        main->ResumeGravity();
    SetMainAndAssistantEnabled(true);
}
