#include "Ovladani1.h"
#include "ui_Ovladani1.h"

#include "GradText.h"
#include "PixelFont.h"

namespace {

TOvladani1Dialog *g_ovladani1Dialog = nullptr;

// The lists start below their headings.
constexpr int ListTop = 36;

// A list's heading, centred over the list.
void setUpHeading(TGradText *heading, const QString &text)
{
    heading->setFont(pixelFont(QStringLiteral("Times New Roman"), 21, true, true));
    heading->setBeginColor(clBlue);
    heading->setLines({text});
    const QSize size = heading->MeasureText();
    const int width = heading->parentWidget()->width();
    heading->setGeometry((width - size.width()) / 2, heading->y(), size.width(), size.height());
}

} // namespace

TOvladani1Dialog *Ovladani1Dialog()
{
    return g_ovladani1Dialog;
}

TOvladani1Dialog::TOvladani1Dialog()
    : TInfoWindow(CaptionedToolFlags()),
      ui(new Ui::Ovladani1Dialog)
{
    g_ovladani1Dialog = this;
    ui->setupUi(this);
    keyboardPicture = ui->keyboardPicture;
    player1KeyList = ui->player1KeyList;
    player2KeyList = ui->player2KeyList;
    player1Heading = ui->player1Heading;
    player2Heading = ui->player2Heading;
    setFixedSize(712, 202);
    setUpHeading(player1Heading, QStringLiteral("Hráč č. 1"));
    setUpHeading(player2Heading, QStringLiteral("Hráč č. 2"));
    FillKeyList(player1KeyList, KeyLayout::Column::PlayerOne, ListTop);
    FillKeyList(player2KeyList, KeyLayout::Column::PlayerTwo, ListTop);
}

TOvladani1Dialog::~TOvladani1Dialog()
{
    if (g_ovladani1Dialog == this)
        g_ovladani1Dialog = nullptr;
}
