#pragma once

#include "BalloonForm.h"
#include "OContrls.h"

#include <memory>

class QCheckBox;
class QKeyEvent;
class TAppPath;

namespace Ui {
class UvitaniDialog;
}

// The welcome window: a balloon above the assistant that offers the list of help topics, the
// electronic manual, or simply starting to play. Leaving it through a choice (or Enter or Esc)
// remembers in "Uvitani" whether it is to greet the user at every start.
class TUvitaniDialog : public TBalloonForm
{
    Q_OBJECT
public:
    TUvitaniDialog();
    ~TUvitaniDialog() override;

    TOfficeLabel *helpTopicsLink = nullptr; // the list of help topics
    TOfficeLabel *manualLink = nullptr; // the electronic manual
    TOfficeLabel *startPlayingLink = nullptr; // start playing
    QCheckBox *showAtStartCheckBox = nullptr;
    TAppPath *appPath = nullptr;

public slots:
    void showHelpTopics();
    void startManual();
    void startPlaying();

private:
    void FormShow() override;
    void FormKeyDown(QKeyEvent *event) override;
    // Remembers the check box in "Uvitani", enables the main window and the assistant and closes
    // the window.
    void Leave();

    std::unique_ptr<Ui::UvitaniDialog> ui;
};

// The one welcome window; set as soon as its construction starts, null before and after.
TUvitaniDialog *UvitaniDialog();

// The main window's first showing decides whether the assistant and the welcome window appear:
// neither when "Pomocnik" is not "1", the assistant alone when "Uvitani" is not "1", else both,
// the welcome window with its box checked. Later showings of the main window decide nothing.
void StartUpAssistant();
