#pragma once

#include "BalloonForm.h"
#include <memory>

class QLabel;
class QLineEdit;
class TOfficeButton;
class tformshape;

namespace Ui {
class VysledekDialog;
}

// The result of a player whose well is full: a balloon above the assistant showing the game kind,
// the pieces, the rows and the points, and asking for a name. With a name the result is stored in
// the results table; closing the dialog, whichever way, lets the main window play on.
class TVysledekDialog : public TBalloonForm
{
    Q_OBJECT
public:
    TVysledekDialog();
    ~TVysledekDialog() override;

    QLabel *headingLabel = nullptr;  // which player finished
    QLabel *gameKindLabel = nullptr;  // the game kind
    QLabel *piecesLabel = nullptr;  // pieces
    QLabel *rowsLabel = nullptr;  // rows
    QLabel *scoreLabel = nullptr; // points, the stored value
    QLineEdit *nameEdit = nullptr; // the name; kept from one showing to the next
    TOfficeButton *okButton = nullptr; // "Ok"
    tformshape *balloonShape = nullptr;

    // Fills the figures of player `player` (1 or 2) from the main window's labels.
    void Fill(int player, const QString &kind, const QString &pieces, const QString &rows,
              const QString &points);

public slots:
    void storeResultAndClose();

private:
    void FormShow() override;
    void FormClose() override;
    void FormKeyDown(QKeyEvent *event) override;
    // Stores the result when a name is given. A refusal of the store is shown and answers false,
    // so the dialog stays open and the result can be stored again.
    bool StoreResult();

    std::unique_ptr<Ui::VysledekDialog> ui;
};

// The one instance; set as soon as its construction starts, null before and after.
TVysledekDialog *VysledekDialog();
