#pragma once

#include "Table.h"

#include <QObject>
#include <QString>

// The results store: one table of recorded match results ("tabulka nejhorších") with its
// production index, and the data source through which the viewer's grids see it.
//
// The live pair is Data/Parblok.dbf + Parblok.mdx, blank copies live in Data/Zaloha; the Data folder
// is the program folder's, or the player's own where the program folder is shared (PlayerFiles.h). Every operation reports a failure as AppError with the Czech message the
// user is shown.
class TDataModule1 : public QObject
{
    Q_OBJECT
public:
    explicit TDataModule1(QObject *owner = nullptr);
    ~TDataModule1() override;

    // The table component bound to "Parblok.dbf" and the index beside it, ordered by "TAHY".
    TTable *resultsTable = nullptr;
    // Presents resultsTable's current view (the visible rows, in order) to the viewer's grids.
    TDataSource *resultsSource = nullptr;

    // The persistent fields of resultsTable, in column order.
    TField *nameField = nullptr;
    TField *scoreField = nullptr;
    TField *kindField = nullptr;
    TField *dateField = nullptr;

    // Sets resultsTable's folder to the Data folder and opens it; called while the main window is
    // being created. A failure leaves the table closed and raises the engine's error.
    void OpenAtStart();

    // Stores one result: the name (cut to 100 characters), the points given as decimal text and
    // the game kind name ("Trénink", "Standardní", "Pokročilá"; any other name leaves HRA empty),
    // dated today. Opens the table first when it is closed. The row is on disk when this returns.
    void AppendResult(const QString &name, const QString &points, const QString &kindName);

    // Shows only the rows of game kind `code` ("1", "2" or "3"), lowest TAHY first.
    void ShowKind(const QString &code);

    // Replaces the live table with the blank pair from Data/Zaloha and opens it again. When the
    // blank pair is missing or damaged nothing is touched and the error says which file is wrong.
    void ResetTable();

    // The kind code stored for a kind name; empty for a name that is none of the three.
    static QString KindCode(const QString &kindName);
};

// The one instance, created at start-up before the main window; null before and after.
extern TDataModule1 *DataModule1;
