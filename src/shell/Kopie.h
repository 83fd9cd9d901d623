#pragma once

#include "BalloonForm.h"
#include "ColorValue.h"

#include <memory>

class TOfficeButton;
class Timer;
class tformshape;

namespace Ui {
class KopieDialog;
}

// The notice a second copy of the program shows beside the centred assistant instead of
// starting: a blinking balloon with one button. "Ok", Enter or Esc closes the assistant, which
// in such a copy ends the program; closing the notice any other way leaves the assistant alone.
class TKopieDialog : public TBalloonForm
{
    Q_OBJECT
public:
    TKopieDialog();
    ~TKopieDialog() override;

    TOfficeButton *okButton = nullptr;
    Timer *blinkTimer = nullptr;
    tformshape *balloonShape = nullptr;

    // The background colour the notice shows now.
    TColor Color() const;

    // The two colours the background alternates between, the first one at creation.
    static constexpr TColor DarkColor = 10184434;  // RGB 242, 102, 155
    static constexpr TColor LightColor = 13547001; // RGB 249, 181, 206

public slots:
    // "Ok": enables the assistant, then closes it.
    void closeProgram();
    // Each tick swaps the background between the two colours.
    void blink();

protected:
    // While the notice is open the assistant rests (a refused copy has no main window); Enter and
    // Esc do what "Ok" does.
    void FormKeyDown(QKeyEvent *event) override;

private:
    void FormCreate();
    void setColor(TColor color);

    std::unique_ptr<Ui::KopieDialog> ui;
};

// The one notice; set as soon as its construction starts, null before and after.
TKopieDialog *KopieDialog();
