#pragma once

#include "BalloonForm.h"

#include <memory>

class QLabel;
class TOfficeButton;
class tformshape;

namespace Ui {
class VymazatDialog;
}

// The question whether to clear the results table, a balloon beside the assistant. "Ano" and
// Enter replace the table by its blank copy and close the balloon; "Ne" and Esc close it. While it
// is open the main window and the assistant are disabled; the match goes on underneath.
class TVymazatDialog : public TBalloonForm
{
    Q_OBJECT
public:
    TVymazatDialog();
    ~TVymazatDialog() override;

    tformshape *balloonShape = nullptr;
    QLabel *programPicture = nullptr;
    QLabel *titleLabel = nullptr;
    QLabel *questionLabel = nullptr;
    TOfficeButton *yesButton = nullptr;
    TOfficeButton *noButton = nullptr;

public slots:
    void clearTable();
    void keepTable();

private:
    void FormCreate();
    void FormShow() override;
    void FormKeyDown(QKeyEvent *event) override;
    // Replaces the table by the blank pair and closes the balloon. When the blank pair is not
    // usable the table stays as it was and the user is told why.
    void ResetTable();

    std::unique_ptr<Ui::VymazatDialog> ui;
};

// The one clearing question; set as soon as its construction starts, null before and after.
TVymazatDialog *VymazatDialog();

// The clearing command of the main window's menu: places the assistant and the question beside
// it, and shows the question.
void ShowVymazatDialog();
