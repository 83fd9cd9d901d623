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

    QLabel *Label1 = nullptr;
    TOfficeLabel *OfficeLabel1 = nullptr; // "Tréninková hra"
    TOfficeLabel *OfficeLabel2 = nullptr; // "Standardní hra"
    TOfficeLabel *OfficeLabel3 = nullptr; // "Hra pro pokročilé"
    TOfficeButton *OfficeButton1 = nullptr; // "Zpět"
    tformshape *formshape1 = nullptr;

    // 1 or 2.
    int playerCount() const { return m_players; }

public slots:
    void OfficeButton1Click();
    void OfficeLabel1Click();
    void OfficeLabel2Click();
    void OfficeLabel3Click();

protected:
    explicit TVyberHryDialog(int players);

    // Binds the controls of the subclass's form and finishes the window.
    void setUpForm(QLabel *label1, TOfficeLabel *office1, TOfficeLabel *office2,
                   TOfficeLabel *office3, TOfficeButton *button1);

private:
    void FormShow() override;
    void FormKeyDown(QKeyEvent *event) override;
    void choose(GameKind kind);

    int m_players;
};
