#pragma once

#include "BalloonForm.h"

#include <memory>

class QFrame;
class QPushButton;
class QTabWidget;
class QTableView;
class TFirstRows;

namespace Ui {
class TabulkaDialog;
}

// The viewer of the results table ("Tabulka nejhorších"): one page per game kind, each listing the
// ten lowest results of its kind, lowest first. While it is open both players' gravity is
// suspended (unless the pause is on) and the main window and the assistant are disabled; Ok,
// Enter and Esc close it. The grids show the store's one current view, so every page switch
// filters the table to the page's kind.
class TTabulkaDialog : public TBalloonForm
{
    Q_OBJECT
public:
    TTabulkaDialog();
    ~TTabulkaDialog() override;

    // How many rows of its kind a page shows.
    static constexpr int VisibleRows = 10;

    QTabWidget *kindPages = nullptr;
    QWidget *trainingPage = nullptr;
    QWidget *standardPage = nullptr;
    QWidget *advancedPage = nullptr;
    QTableView *trainingGrid = nullptr;
    QTableView *standardGrid = nullptr;
    QTableView *advancedGrid = nullptr;
    QFrame *trainingScrollCover = nullptr;
    QFrame *standardScrollCover = nullptr;
    QFrame *advancedScrollCover = nullptr;
    QPushButton *okButton = nullptr;

    // The game kind code ("1", "2", "3") page `index` shows.
    static QString KindOfPage(int index);

public slots:
    void closeViewer();

private:
    void FormCreate();
    void FormShow() override;
    // Keys of the Ok button reach the window too.
    void FormKeyDown(QKeyEvent *event) override;
    // A page was brought to the front: the table shows its kind.
    void showKindOfPage(int index);
    // Binds the grids to the store's data source the first time the viewer is shown.
    void bindGrids();
    // Gives each column the width its widest value needs, for the table as it is open now.
    void sizeColumns();
    void setUpGrid(QTableView *grid);
    void showKind(const QString &code);

    std::unique_ptr<Ui::TabulkaDialog> ui;
    TFirstRows *m_rows = nullptr;
};

// The one viewer; set as soon as its construction starts, null before and after.
TTabulkaDialog *TabulkaDialog();

// The viewer's command (menu and toolbar): shows the viewer.
void ShowTabulkaDialog();
