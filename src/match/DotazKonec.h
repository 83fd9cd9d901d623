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

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    TOfficeButton *OfficeButton1 = nullptr; // "Ano"
    TOfficeButton *OfficeButton2 = nullptr; // "Ne"
    tformshape *formshape1 = nullptr;

public slots:
    void OfficeButton1Click();
    void OfficeButton2Click();

private:
    void FormShow() override;
    void FormKeyDown(QKeyEvent *event) override;

    std::unique_ptr<Ui::DotazKonecDialog> ui;
};

// The one instance; set as soon as its construction starts, null before and after.
TDotazKonecDialog *DotazKonecDialog();
