#include "OProgramu.h"
#include "ui_OProgramu.h"

#include "GradText.h"
#include "PixelFont.h"
#include "sysinfo.h"

#include <QPushButton>

namespace {

TOProgramuDialog *g_oProgramuDialog = nullptr;

void setUpTitle(TGradText *title, const QString &text, int pixels)
{
    title->setFont(pixelFont(QStringLiteral("Times New Roman"), pixels, true, true));
    title->setGradientStyle(TGradText::gsHorizontal);
    title->setBeginColor(clRed);
    title->setEndColor(clBlue);
    title->setJustification(TGradText::jLeft);
    title->setLines({text});
}

} // namespace

TOProgramuDialog *OProgramuDialog()
{
    return g_oProgramuDialog;
}

TOProgramuDialog::TOProgramuDialog() : TInfoWindow(BorderlessFlags()), ui(new Ui::OProgramuDialog)
{
    g_oProgramuDialog = this;
    ui->setupUi(this);
    programPicture = ui->programPicture;
    titleText = ui->titleText;
    versionText = ui->versionText;
    makerLabel = ui->makerLabel;
    okButton = ui->okButton;
    systemInfo = new TSysInfo(this);
    systemInfo->setObjectName(QStringLiteral("systemInfo"));

    setFixedSize(323, 244);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    colours.setColor(QPalette::Button, QColor(0xC0, 0xC0, 0xC0));
    setPalette(colours);
    setAutoFillBackground(true);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11, false));
    makerLabel->setFont(pixelFont(QStringLiteral("Times New Roman"), 15, false, true));

    setUpTitle(titleText, QStringLiteral("Parblok 2000"), 32);
    setUpTitle(versionText, QStringLiteral("verze 5.0"), 19);
    setFirstControl(okButton);
    connect(okButton, &QPushButton::clicked, this, &TOProgramuDialog::closeAbout);
}

TOProgramuDialog::~TOProgramuDialog()
{
    if (g_oProgramuDialog == this)
        g_oProgramuDialog = nullptr;
}

void TOProgramuDialog::closeAbout()
{
    close();
}
