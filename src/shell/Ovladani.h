#pragma once

#include "InfoWindows.h"

#include <memory>

class QFrame;
class QLabel;

namespace Ui {
class OvladaniDialog;
}

// The keys of a one-player match: a picture of the keyboard with the game's keys in the colours
// of their actions, and the list of actions and keys beside it.
class TOvladaniDialog : public TInfoWindow
{
    Q_OBJECT
public:
    TOvladaniDialog();
    ~TOvladaniDialog() override;

    QLabel *keyboardPicture = nullptr;
    QFrame *keyList = nullptr;

private:
    std::unique_ptr<Ui::OvladaniDialog> ui;
};

// The one window; set as soon as its construction starts, null before and after.
TOvladaniDialog *OvladaniDialog();
