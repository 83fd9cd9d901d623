#pragma once

#include "InfoWindows.h"

#include <memory>

class QFrame;
class QLabel;
class TGradText;

namespace Ui {
class Ovladani1Dialog;
}

// The keys of a two-player match: the list of player 1 at the left, the keyboard picture with
// both players' keys in the middle, the list of player 2 at the right.
class TOvladani1Dialog : public TInfoWindow
{
    Q_OBJECT
public:
    TOvladani1Dialog();
    ~TOvladani1Dialog() override;

    QLabel *keyboardPicture = nullptr;
    QFrame *player1KeyList = nullptr;
    QFrame *player2KeyList = nullptr;
    TGradText *player1Heading = nullptr;
    TGradText *player2Heading = nullptr;

private:
    std::unique_ptr<Ui::Ovladani1Dialog> ui;
};

// The one window; set as soon as its construction starts, null before and after.
TOvladani1Dialog *Ovladani1Dialog();
