#include "Hra2.h"
#include "ui_Hra2.h"

namespace {
THra2Dialog *g_hra2Dialog = nullptr;
}

THra2Dialog *Hra2Dialog()
{
    return g_hra2Dialog;
}

THra2Dialog::THra2Dialog() : TVyberHryDialog(2), ui(new Ui::Hra2Dialog)
{
    g_hra2Dialog = this;
    ui->setupUi(this);
    setUpForm(ui->headingLabel, ui->trainingGameLink, ui->standardGameLink, ui->advancedGameLink, ui->backButton);
}

THra2Dialog::~THra2Dialog()
{
    if (g_hra2Dialog == this)
        g_hra2Dialog = nullptr;
}
