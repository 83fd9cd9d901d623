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
    {"manualTopicLink", QStringLiteral("Elektronický manuál"),
     QStringLiteral("Každý modul skupiny programů Kvadr obsahuje podrobný manuál v elektronické "
                    "podobě. Tento manuál obsahuje rady, návody a tipy pro práci s vybraným "
                    "modulem. Spustíte ho pomocí ikony, která je zobrazena v nástrojové liště, "
                    "nebo pomocí nabídky menu > Nápověda > Elektronický manuál."),
     QString()},
    {"howToPlayTopicLink", QStringLiteral("Jak hrát"),
     QStringLiteral("Hra se hraje za pomoci kláves. Účelem této hry je poskládat padající obrazce "
                    "do hracího pole tak, aby vytvořily vodorovný pás, který bude následně "
                    "odmazán. Hra končí v momentě, že jsou obrazce naskládány do takové výšky "
                    "hracího pole, že znemožňují dalším obrazcům vstup do herního pole."),
     QString()},
    {"newGameTopicLink", QStringLiteral("Nová hra"),
     QStringLiteral("Tato nabídka Vám umožňuje vybrat způsob hry. Po otevření dialogového okna s "
                    "výběrem nové hry stačí kliknout na požadovanou hru."),
     QString()},
    {"controlsTopicLink", QStringLiteral("Ovládání hry"),
     QStringLiteral("Jednotlivé ovládání hry pro jednoho nebo dvy hráče je podrobně popsáno a "
                    "zobrazeno v dialogových oknech Ovládání hry, která zobrazíte nabídkou menu "
                    "Nástroje -> Ovládání hry."),
     QString()},
    {"bossScreenTopicLink", QStringLiteral("Šéfovská pojistka"),
     QStringLiteral("Tato volba slouží pro rychlé uschování hry v případě, že přijde k Vašemu "
                    "počítači nepovolaná návštěva (nadřízený, nespolehlivý spolupracovník, "
                    "ředitel...) a Vy  nechcete přijít o rozehranou partii. Po pominutí nebezpečí "
                    "stačí znovu stisknout tlačítko s pojistkou a hra bude pokračovat."),
     QStringLiteral("Samozřejmě nechci nabádat k hraní her v pracovní době, ale v některých "
                    "případech může jít o malé rozptýlení v jinak šedém dni.")},
    {"resultsTableTopicLink", QStringLiteral("Tabulka nejhorších"),
     QStringLiteral("Každý hráč má možnost zápisu do tabulky nejhorších. V tabulce se však zobrazí "
                    "pouze deset nejhorších výsledků."),
     QStringLiteral("V každé hře najdete tabulku nejlepších hráčů, protože chceme, aby tato hra "
                    "byla alespoň trochu jiná, nahradili jsme ji tabulkou nejhorších.")},
    {"endGameTopicLink", QStringLiteral("Ukončení hry"),
     QStringLiteral("Pokud nechcete vybranou partii dohrát, stačí zvolit nabídku menu Soubor > "
                    "Ukončení hry. Aktuální hra bude ukončena bez zápisu do tabulky. Pokud chcete "
                    "hru pouze přerušit kvůli nevítané návštěvě, použijte nabídku menu Nástroje > "
                    "Šéfovská pojistka. Hra bude přerušena a uschována pod fiktivní data o plnění "
                    "plánu."),
     QStringLiteral("Uschovanou hru opět zobrazíte kliknutím na nabídku menu Nástroje > Šéfovská "
                    "pojistka.")},
    {"difficultyTopicLink", QStringLiteral("Změna obtížnosti hry"),
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
    headingLabel = ui->headingLabel;
    topicTextLabel = ui->topicTextLabel;
    topicNoteLabel = ui->topicNoteLabel;
    noteCaption = ui->noteCaption;
    topicList = ui->topicList;
    topicListLink = ui->topicListLink;
    leaveHelpLink = ui->leaveHelpLink;

    SetUpBalloon(QSize(246, 343), tformshape::bpBottomRight);
    setFont(BalloonFont());
    setFocusPolicy(Qt::StrongFocus);
    setFirstControl(this);
    for (QLabel *label : {headingLabel, topicTextLabel, topicNoteLabel, noteCaption})
        label->setTextFormat(Qt::PlainText);
    headingLabel->setFont(BalloonFont(13, true));
    noteCaption->setFont(BalloonFont(13, false, true));
    QPalette red = noteCaption->palette();
    red.setColor(QPalette::WindowText, Red);
    noteCaption->setPalette(red);
    topicListLink->setFont(BalloonFont());
    QFont sansSerif(QStringLiteral("MS Sans Serif"));
    sansSerif.setPixelSize(11);
    leaveHelpLink->setFont(sansSerif);
    topicList->setAutoFillBackground(true);
    topicList->hide();

    connect(topicListLink, &TOfficeLabel::clicked, this, &TNapovedaDialog::backToTopicList);
    connect(leaveHelpLink, &TOfficeLabel::clicked, this, &TNapovedaDialog::leaveHelp);
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
    return topicList->findChild<TOfficeLabel *>(QLatin1String(Topics.at(std::size_t(index)).link));
}

void TNapovedaDialog::ShowTopicList()
{
    headingLabel->setText(ListHeading);
    topicList->show();
}

void TNapovedaDialog::ShowTopic(int index)
{
    const HelpTopic &topic = Topics.at(std::size_t(index));
    headingLabel->setText(topic.caption);
    topicTextLabel->setText(topic.text);
    topicNoteLabel->setText(topic.note);
    topicList->hide();
}

void TNapovedaDialog::backToTopicList()
{
    ShowTopicList();
}

void TNapovedaDialog::leaveHelp()
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
