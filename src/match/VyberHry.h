#pragma once

#include "GameKind.h"

#include "BalloonForm.h"

class QLabel;
class TOfficeButton;
class TOfficeLabel;
class tformshape;

// What the one- and the two-player selection dialogs share: a balloon above the assistant with
// the three game kinds and "Zpět". A choice starts a match of the dialog's player count in the
// main window; Enter, Esc and "Zpět" close the dialog without starting anything.
class TVyberHryDialog : public TBalloonForm
{
    Q_OBJECT
public:
    ~TVyberHryDialog() override;

    QLabel *headingLabel = nullptr;
    TOfficeLabel *trainingGameLink = nullptr; // "Tréninková hra"
    TOfficeLabel *standardGameLink = nullptr; // "Standardní hra"
    TOfficeLabel *advancedGameLink = nullptr; // "Hra pro pokročilé"
    TOfficeButton *backButton = nullptr; // "Zpět"
    tformshape *balloonShape = nullptr;

    // 1 or 2.
    int playerCount() const { return m_players; }

public slots:
    void goBack();
    void chooseTrainingGame();
    void chooseStandardGame();
    void chooseAdvancedGame();

protected:
    explicit TVyberHryDialog(int players);

    // Binds the controls of the subclass's form and finishes the window.
    void setUpForm(QLabel *heading, TOfficeLabel *training, TOfficeLabel *standard,
                   TOfficeLabel *advanced, TOfficeButton *back);

private:
    void FormShow() override;
    void FormKeyDown(QKeyEvent *event) override;
    void choose(GameKind kind);

    int m_players;
};
