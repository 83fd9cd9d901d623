#include "Napoveda.h"
#include "ui_Napoveda.h"

#include "OContrls.h"

#include <QKeyEvent>
#include <QLabel>
#include <array>

namespace {

TNapovedaDialog *g_napovedaDialog = nullptr;

const QColor Red(255, 0, 0);

const QString ListHeading = QStringLiteral("Seznam témat nápovědy");

const std::array<HelpTopic, 8> Topics{{
    {"OfficeLabel9", QStringLiteral("Elektronický manuál"),
     QStringLiteral("Každý modul skupiny programů Kvadr obsahuje podrobný manuál v elektronické "
                    "podobě. Tento manuál obsahuje rady, návody a tipy pro práci s vybraným "
                    "modulem. Spustíte ho pomocí ikony, která je zobrazena v nástrojové liště, "
                    "nebo pomocí nabídky menu > Nápověda > Elektronický manuál."),
     QString()},
    {"OfficeLabel15", QStringLiteral("Jak hrát"),
     QStringLiteral("Hra se hraje za pomoci kláves. Účelem této hry je poskládat padající obrazce "
                    "do hracího pole tak, aby vytvořily vodorovný pás, který bude následně "
                    "odmazán. Hra končí v momentě, že jsou obrazce naskládány do takové výšky "
                    "hracího pole, že znemožňují dalším obrazcům vstup do herního pole."),
     QString()},
    {"OfficeLabel4", QStringLiteral("Nová hra"),
     QStringLiteral("Tato nabídka Vám umožňuje vybrat způsob hry. Po otevření dialogového okna s "
                    "výběrem nové hry stačí kliknout na požadovanou hru."),
     QString()},
    {"OfficeLabel8", QStringLiteral("Ovládání hry"),
     QStringLiteral("Jednotlivé ovládání hry pro jednoho nebo dvy hráče je podrobně popsáno a "
                    "zobrazeno v dialogových oknech Ovládání hry, která zobrazíte nabídkou menu "
                    "Nástroje -> Ovládání hry."),
     QString()},
    {"OfficeLabel6", QStringLiteral("Šéfovská pojistka"),
     QStringLiteral("Tato volba slouží pro rychlé uschování hry v případě, že přijde k Vašemu "
                    "počítači nepovolaná návštěva (nadřízený, nespolehlivý spolupracovník, "
                    "ředitel...) a Vy  nechcete přijít o rozehranou partii. Po pominutí nebezpečí "
                    "stačí znovu stisknout tlačítko s pojistkou a hra bude pokračovat."),
     QStringLiteral("Samozřejmě nechci nabádat k hraní her v pracovní době, ale v některých "
                    "případech může jít o malé rozptýlení v jinak šedém dni.")},
    {"OfficeLabel16", QStringLiteral("Tabulka nejhorších"),
     QStringLiteral("Každý hráč má možnost zápisu do tabulky nejhorších. V tabulce se však zobrazí "
                    "pouze deset nejhorších výsledků."),
     QStringLiteral("V každé hře najdete tabulku nejlepších hráčů, protože chceme, aby tato hra "
                    "byla alespoň trochu jiná, nahradili jsme ji tabulkou nejhorších.")},
    {"OfficeLabel7", QStringLiteral("Ukončení hry"),
     QStringLiteral("Pokud nechcete vybranou partii dohrát, stačí zvolit nabídku menu Soubor > "
                    "Ukončení hry. Aktuální hra bude ukončena bez zápisu do tabulky. Pokud chcete "
                    "hru pouze přerušit kvůli nevítané návštěvě, použijte nabídku menu Nástroje > "
                    "Šéfovská pojistka. Hra bude přerušena a uschována pod fiktivní data o plnění "
                    "plánu."),
     QStringLiteral("Uschovanou hru opět zobrazíte kliknutím na nabídku menu Nástroje > Šéfovská "
                    "pojistka.")},
    {"OfficeLabel3", QStringLiteral("Změna obtížnosti hry"),
     QStringLiteral("V průběhu her Standardní a Pokročilá dochází ke změně obtížnosti hry. Tato "
                    "změna nastane po dosažení následujících počtů odmazaných čar : 8, 20, 33, 44, "
                    "55, 66, 80, 100 a 120.Po každé změně obtížnosti dojde k mírnému zrychlení "
                    "pádu obrazců."),
     QString()},
}};

} // namespace

std::span<const HelpTopic> HelpTopics()
{
    return Topics;
}

TNapovedaDialog *NapovedaDialog()
{
    return g_napovedaDialog;
}

TNapovedaDialog::TNapovedaDialog()
    : TBalloonForm(WhileOpen::MatchStops), ui(new Ui::NapovedaDialog)
{
    g_napovedaDialog = this;
    ui->setupUi(this);
    Label1 = ui->Label1;
    Label2 = ui->Label2;
    Label3 = ui->Label3;
    Label4 = ui->Label4;
    Panel1 = ui->Panel1;
    OfficeLabel1 = ui->OfficeLabel1;
    OfficeLabel2 = ui->OfficeLabel2;

    SetUpBalloon(QSize(246, 343), tformshape::bpBottomRight);
    setFont(BalloonFont());
    setFocusPolicy(Qt::StrongFocus);
    setFirstControl(this);
    for (QLabel *label : {Label1, Label2, Label3, Label4})
        label->setTextFormat(Qt::PlainText);
    Label1->setFont(BalloonFont(13, true));
    Label4->setFont(BalloonFont(13, false, true));
    QPalette red = Label4->palette();
    red.setColor(QPalette::WindowText, Red);
    Label4->setPalette(red);
    OfficeLabel1->setFont(BalloonFont());
    QFont sansSerif(QStringLiteral("MS Sans Serif"));
    sansSerif.setPixelSize(11);
    OfficeLabel2->setFont(sansSerif);
    Panel1->setAutoFillBackground(true);
    Panel1->hide();

    connect(OfficeLabel1, &TOfficeLabel::clicked, this, &TNapovedaDialog::OfficeLabel1Click);
    connect(OfficeLabel2, &TOfficeLabel::clicked, this, &TNapovedaDialog::OfficeLabel2Click);
    for (int index = 0; index < int(Topics.size()); ++index) {
        TOfficeLabel *link = topicLink(index);
        link->setFont(BalloonFont());
        connect(link, &TOfficeLabel::clicked, this, [this, index] { ShowTopic(index); });
    }
}

TNapovedaDialog::~TNapovedaDialog()
{
    if (g_napovedaDialog == this)
        g_napovedaDialog = nullptr;
}

TOfficeLabel *TNapovedaDialog::topicLink(int index) const
{
    return Panel1->findChild<TOfficeLabel *>(QLatin1String(Topics.at(std::size_t(index)).link));
}

void TNapovedaDialog::ShowTopicList()
{
    Label1->setText(ListHeading);
    Panel1->show();
}

void TNapovedaDialog::ShowTopic(int index)
{
    const HelpTopic &topic = Topics.at(std::size_t(index));
    Label1->setText(topic.caption);
    Label2->setText(topic.text);
    Label3->setText(topic.note);
    Panel1->hide();
}

void TNapovedaDialog::OfficeLabel1Click()
{
    ShowTopicList();
}

void TNapovedaDialog::OfficeLabel2Click()
{
    close();
}

void TNapovedaDialog::FormKeyDown(QKeyEvent *event)
{
    if (IsEscapeKey(event->key()))
        close();
    else
        TBalloonForm::FormKeyDown(event);
}

void OpenHelpTopics(PlacementCaller caller)
{
    TNapovedaDialog *help = NapovedaDialog();
    if (help == nullptr)
        return;
    help->ShowTopicList();
    ShowBesideAssistant(caller, help);
}
