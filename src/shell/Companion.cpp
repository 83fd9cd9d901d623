#include "Companion.h"

#include "Hlavni.h"
#include "Pomocnik.h"

void SetMainAndAssistantEnabled(bool enabled)
{
    if (THlavniDialog *main = HlavniDialog())
        main->setEnabled(enabled);
    if (TPomocnikDialog *assistant = PomocnikDialog())
        assistant->setEnabled(enabled);
}

void CompanionShown()
{
    if (THlavniDialog *main = HlavniDialog(); main != nullptr && !main->PauseOn())
        main->SuspendGravity();
    SetMainAndAssistantEnabled(false);
}

void CompanionClosed()
{
    if (THlavniDialog *main = HlavniDialog(); main != nullptr && !main->PauseOn())
        main->ResumeGravity();
    SetMainAndAssistantEnabled(true);
}
