#pragma once

#include "BalloonForm.h"
#include <memory>

class QLabel;
class TOfficeButton;
class tformshape;

namespace Ui {
class DotazKonecDialog;
}

// The question whether to end the running match, a balloon beside the assistant. While it is
// open gravity is suspended (unless the pause already holds it). "Ano" or Enter ends the match;
// "Ne" or Esc lets it go on where it was.
class TDotazKonecDialog : public TBalloonForm
{
    Q_OBJECT
public:
    TDotazKonecDialog();
    ~TDotazKonecDialog() override;

    QLabel *titleLabel = nullptr;
    QLabel *questionLabel = nullptr;
    TOfficeButton *yesButton = nullptr; // "Ano"
    TOfficeButton *noButton = nullptr; // "Ne"
    tformshape *balloonShape = nullptr;

public slots:
    void endMatch();
    void keepPlaying();

private:
    void FormShow() override;
    void FormKeyDown(QKeyEvent *event) override;

    std::unique_ptr<Ui::DotazKonecDialog> ui;
};

// The one instance; set as soon as its construction starts, null before and after.
TDotazKonecDialog *DotazKonecDialog();
