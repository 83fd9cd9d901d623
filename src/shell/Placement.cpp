#include "Placement.h"

#include "BalloonForm.h"
#include "Companion.h"
#include "Pomocnik.h"
#include "Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <array>

namespace {

using enum PlacementCaller;
using enum AssistantShowRule;

constexpr QPoint SmallMargins(7, 25);
constexpr QPoint WideMargins(12, 30);

// One row per caller, in the order of PlacementCaller.
const std::array<PlacementRow, 10> Rows{{
    {WelcomeAtStart, Always, FitRule::WelcomeAtStart, SmallMargins, PlaceRule::Above, 0, true,
     Disabler::Caller},
    {WelcomeFromAssistant, Always, FitRule::Balloon, WideMargins, PlaceRule::Above, 0, true,
     Disabler::Caller},
    {HelpFromWelcome, WhenSettingNotOne, FitRule::Help, SmallMargins, PlaceRule::AboveHelp, 0,
     false, Disabler::Dialog},
    {HelpCommand, WhenSettingNotOne, FitRule::Help, SmallMargins, PlaceRule::AboveHelp, 0, false,
     Disabler::Dialog},
    {NewGameOnePlayer, WhenSettingIsZero, FitRule::Balloon, WideMargins, PlaceRule::Above, 0, true,
     Disabler::Caller},
    {NewGameTwoPlayers, WhenSettingIsZero, FitRule::Balloon, WideMargins, PlaceRule::Above, 0, true,
     Disabler::Caller},
    {MatchEnd, WhenSettingIsZero, FitRule::Balloon, WideMargins, PlaceRule::Above, 0, true,
     Disabler::Caller},
    {EndGameCommand, WhenSettingNotOne, FitRule::Question, SmallMargins, PlaceRule::Beside, 45,
     false, Disabler::Dialog},
    {ClearTable, WhenSettingNotOne, FitRule::Question, SmallMargins, PlaceRule::Beside, 45, false,
     Disabler::Dialog},
    {RefusedStart, ByMessageLoop, FitRule::None, QPoint(), PlaceRule::Beside, 35, false,
     Disabler::Dialog},
}};

bool wantsAssistant(AssistantShowRule rule, const QString &setting)
{
    switch (rule) {
    case Always: return true;
    case WhenSettingIsZero: return setting == QLatin1String("0");
    case WhenSettingNotOne: return setting != QLatin1String("1");
    case ByMessageLoop: return false;
    }
    return false;
}

} // namespace

const PlacementRow &placementRow(PlacementCaller caller)
{
    return Rows.at(static_cast<std::size_t>(caller));
}

bool fitTestFails(FitRule rule, const QRect &p, QSize client, QSize d, const QRect &area)
{
    // The assistant's place within the area.
    const int left = p.left() - area.left();
    const int top = p.top() - area.top();
    switch (rule) {
    case FitRule::WelcomeAtStart:
        return left < d.width() - p.width() || top < d.height() + 5;
    case FitRule::Balloon:
        return left < d.width() - p.width() + 10 || top < d.height() - 28;
    case FitRule::Help:
        return left < d.width() - p.width() + 30 || top < d.height() + 10;
    case FitRule::Question:
        return left < d.width() - 45 || top > area.height() - client.height() - 25;
    case FitRule::None:
        return false;
    }
    return false;
}

QPoint cornerPosition(const QRect &area, QSize client, QPoint margins)
{
    return QPoint(area.left() + area.width() - client.width() - margins.x(),
                  area.top() + area.height() - client.height() - margins.y());
}

QPoint dialogPosition(PlaceRule rule, int overlap, const QRect &p, QSize d)
{
    switch (rule) {
    case PlaceRule::Above:
        return QPoint(p.left() + p.width() - d.width() - 38, p.top() - d.height() + 30);
    case PlaceRule::AboveHelp:
        return QPoint(p.left() + p.width() - d.width() - 40, p.top() - d.height() + 30);
    case PlaceRule::Beside:
        return QPoint(p.left() - d.width() + overlap, p.top() + p.height() - d.height());
    }
    return p.topLeft();
}

QRect placementArea()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

QPoint PrepareAssistant(PlacementCaller caller, QSize dialogSize)
{
    const PlacementRow &row = placementRow(caller);
    TPomocnikDialog *assistant = PomocnikDialog();
    if (assistant == nullptr)
        return QPoint();

    const QString setting = row.show == Always || row.show == ByMessageLoop
                                ? QString()
                                : ReadSetting(QStringLiteral("Pomocnik"));
    const bool show = wantsAssistant(row.show, setting);
    if (show && row.show == WhenSettingIsZero)
        assistant->show();

    if (fitTestFails(row.fit, assistant->frameGeometry(), assistant->size(), dialogSize, placementArea()))
        assistant->MoveToCorner(row.cornerMargins);

    if (show && row.show != WhenSettingIsZero)
        assistant->show();
    return dialogPosition(row.place, row.overlap, assistant->frameGeometry(), dialogSize);
}

void PlaceBesideAssistant(PlacementCaller caller, QWidget *dialog)
{
    const PlacementRow &row = placementRow(caller);
    const TPomocnikDialog *assistant = PomocnikDialog();
    if (assistant == nullptr)
        return;
    dialog->move(dialogPosition(row.place, row.overlap, assistant->frameGeometry(),
                                dialog->frameGeometry().size()));
}

void ShowBesideAssistant(PlacementCaller caller, TBalloonForm *dialog)
{
    const PlacementRow &row = placementRow(caller);
    const QPoint place = PrepareAssistant(caller, dialog->frameGeometry().size());
    if (!row.placedByDialog)
        dialog->move(place);
    if (row.disabledBy == Disabler::Caller)
        SetMainAndAssistantEnabled(false);
    dialog->show();
}
