#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;
class TBalloonForm;

// Every balloon dialog and companion window opens beside the assistant. Who opens it decides
// whether the assistant is shown first, which fit test keeps the window on the screen, where the
// assistant goes when the test fails, and where the window stands relative to the assistant.

enum class PlacementCaller {
    WelcomeAtStart,       // the main window's first showing, welcome due
    WelcomeFromAssistant, // a double-click on the assistant
    HelpFromWelcome,      // the welcome window's link to the list of help topics
    HelpCommand,          // the help command of the main window
    NewGameOnePlayer,     // the one-player selection
    NewGameTwoPlayers,    // the two-player selection
    MatchEnd,             // the result dialog at the end of a player's game
    EndGameCommand,       // the question whether to end the match
    ClearTable,           // the question whether to clear the results table
    RefusedStart          // the notice of a second copy that is refused
};

// When the caller shows the assistant, judged by the "Pomocnik" setting read first.
enum class AssistantShowRule {
    Always,             // after the fit test, whatever the setting says
    WhenSettingIsZero,  // before the fit test, when the setting is "0"
    WhenSettingNotOne,  // after the fit test, when the setting is not "1"
    ByMessageLoop       // never by the caller: the window loop shows it
};

enum class FitRule {
    WelcomeAtStart, // P.left < D.w - P.w,      or P.top < D.h + 5
    Balloon,        // P.left < D.w - P.w + 10, or P.top < D.h - 28
    Help,           // P.left < D.w - P.w + 30, or P.top < D.h + 10
    Question,       // P.left < D.w - 45,       or P.top > screen.h - P.clientH - 25
    None
};

enum class PlaceRule {
    Above,     // D.left = P.left + P.w - D.w - 38; D.top = P.top - D.h + 30
    AboveHelp, // D.left = P.left + P.w - D.w - 40; D.top = P.top - D.h + 30
    Beside     // D.left = P.left - D.w + overlap;  D.top = P.top + P.h - D.h
};

// Who disables the main window and the assistant before the dialog is shown.
enum class Disabler { Caller, Dialog };

struct PlacementRow {
    PlacementCaller caller;
    AssistantShowRule show;
    FitRule fit;
    QPoint cornerMargins; // x, y from the right and bottom screen edges
    PlaceRule place;
    int overlap;          // only for PlaceRule::Beside
    bool placedByDialog;  // the dialog places itself in its own show handler
    Disabler disabledBy;
};

const PlacementRow &placementRow(PlacementCaller caller);

// --- Pure geometry (outer sizes and screen pixels) -------------------------------------------------
// `area` is the part of the desktop that placement uses: the primary screen's available area,
// which need not start at 0, 0. Every bound below is measured from its edges.

// True when the dialog would not fit beside the assistant standing at `assistant` (its outer
// rectangle; `assistantClient` its client size) within `area`.
bool fitTestFails(FitRule rule, const QRect &assistant, QSize assistantClient, QSize dialog,
                  const QRect &area);

// Where the assistant stands in the lower right corner of `area`.
QPoint cornerPosition(const QRect &area, QSize assistantClient, QPoint margins);

// Where the dialog's outer top-left corner goes relative to the assistant.
QPoint dialogPosition(PlaceRule rule, int overlap, const QRect &assistant, QSize dialog);

// The area every placement is measured against: the primary screen's available area (the screen
// less the desktop's panels), in desktop coordinates.
QRect placementArea();

// --- On the live assistant --------------------------------------------------------------------------

// Steps before a dialog of `dialogSize` opens for `caller`: reads "Pomocnik", shows the assistant
// where the row says so (before or after the fit test) and moves it to the corner when the fit
// test fails (hiding and showing it again). Returns where the dialog goes by its row's rule.
QPoint PrepareAssistant(PlacementCaller caller, QSize dialogSize);

// The whole sequence for callers that place the dialog themselves: prepares the assistant, moves
// `dialog` to its place (unless the dialog places itself), disables the main window and the
// assistant when the caller is the one to do it, and shows the dialog (which then takes the
// keyboard).
void ShowBesideAssistant(PlacementCaller caller, TBalloonForm *dialog);

// Moves `dialog` to its place for `caller` relative to where the assistant stands now; dialogs
// that place themselves call it from their show handler.
void PlaceBesideAssistant(PlacementCaller caller, QWidget *dialog);
