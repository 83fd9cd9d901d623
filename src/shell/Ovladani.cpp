#include "Ovladani.h"
#include "ui_Ovladani.h"

namespace {

TOvladaniDialog *g_ovladaniDialog = nullptr;

} // namespace

TOvladaniDialog *OvladaniDialog()
{
    return g_ovladaniDialog;
}

TOvladaniDialog::TOvladaniDialog()
    : TInfoWindow(CaptionedToolFlags()),
      ui(new Ui::OvladaniDialog)
{
    g_ovladaniDialog = this;
    ui->setupUi(this);
    keyboardPicture = ui->keyboardPicture;
    keyList = ui->keyList;
    setFixedSize(526, 202);
    FillKeyList(keyList, KeyLayout::Column::OnePlayer, 14);
}

TOvladaniDialog::~TOvladaniDialog()
{
    if (g_ovladaniDialog == this)
        g_ovladaniDialog = nullptr;
}
