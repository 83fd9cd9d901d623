#include "Hra1.h"
#include "ui_Hra1.h"

namespace {
THra1Dialog *g_hra1Dialog = nullptr;
}

THra1Dialog *Hra1Dialog()
{
    return g_hra1Dialog;
}

THra1Dialog::THra1Dialog() : TVyberHryDialog(1), ui(new Ui::Hra1Dialog)
{
    g_hra1Dialog = this;
    ui->setupUi(this);
    setUpForm(ui->headingLabel, ui->trainingGameLink, ui->standardGameLink, ui->advancedGameLink, ui->backButton);
}

THra1Dialog::~THra1Dialog()
{
    if (g_hra1Dialog == this)
        g_hra1Dialog = nullptr;
}
