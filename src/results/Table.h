#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QObject>
#include <QString>
#include <QHash>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class DbfTable;

// One row of the results table.
struct ResultRow
{
    QString JMENO;     // the player's name
    double TAHY = 0;   // total points
    QString HRA;       // game kind code "1", "2", "3" (or empty)
    QDate DATUM;       // day the row was stored
};

// A column of the table as the program and the grids see it.
class TField
{
public:
    enum Kind { String, Number, Date };

    TField(QString fieldName, Kind kind, QString displayLabel, Qt::Alignment alignment,
           Qt::Alignment titleAlignment, int displayWidth, bool visible, int size);

    const QString &FieldName() const { return m_fieldName; }
    Kind DataType() const { return m_kind; }
    // Column title in grids.
    const QString &DisplayLabel() const { return m_displayLabel; }
    Qt::Alignment Alignment() const { return m_alignment; }
    Qt::Alignment TitleAlignment() const { return m_titleAlignment; }
    // Column width in pixels in grids; 0 means the grid's default.
    int DisplayWidth() const { return m_displayWidth; }
    // Whether grids show the column at all.
    bool Visible() const { return m_visible; }
    // How many characters the column holds in the table file: the longest text a value can have.
    // That of the shipped table until a table is opened, then that of the open table.
    int Size() const { return m_size; }
    void setSize(int characters) { m_size = characters; }

    // The value of this field in `row`, and its text as grids show it.
    QVariant Value(const ResultRow &row) const;
    QString DisplayText(const ResultRow &row) const;

private:
    QString m_fieldName;
    Kind m_kind;
    QString m_displayLabel;
    Qt::Alignment m_alignment;
    Qt::Alignment m_titleAlignment;
    int m_displayWidth;
    bool m_visible;
    int m_size;
};

// The table component: a dBASE table with its production index, opened by folder and file name.
// Its view is the rows of the game kind shown (or every row), in the order of the index named by
// IndexFieldNames.
class TTable : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE setDatabaseName)
    Q_PROPERTY(QString TableName READ TableName WRITE setTableName)
    Q_PROPERTY(QString IndexFieldNames READ IndexFieldNames WRITE setIndexFieldNames)
    Q_PROPERTY(bool Active READ Active WRITE setActive)
public:
    explicit TTable(QObject *owner = nullptr);
    ~TTable() override;

    QString DatabaseName() const { return m_databaseName; }
    void setDatabaseName(const QString &folder);
    QString TableName() const { return m_tableName; }
    void setTableName(const QString &name);
    QString IndexFieldNames() const { return m_indexFieldNames; }
    void setIndexFieldNames(const QString &fields);
    // The game kind code (HRA) whose rows alone the view holds; none shows every row.
    const std::optional<QString> &ShownKind() const { return m_shownKind; }
    void setShownKind(const std::optional<QString> &code);
    bool Active() const;
    void setActive(bool on);

    // Opens the table file and its production index (no effect when open); repairs an index that
    // lags behind the table. Raises AppError naming the file that is missing or damaged.
    void Open();
    // Releases both files.
    void Close();
    // Re-reads rows that another running copy has added since the last look.
    void Refresh();

    // Stores one row, the points given as decimal text; it is on disk and in the index when this
    // returns, whatever kind is shown. Raises AppError when the points are no number or do not fit.
    void AppendRecord(const QString &jmeno, const QString &tahy, const QString &hra, QDate datum);

    // The current view.
    int RecordCount() const;
    const ResultRow &Row(int visibleIndex) const;

    const std::vector<std::unique_ptr<TField>> &Fields() const { return m_fields; }
    TField *FieldByName(const QString &name) const;

    // Full path of the table file: DatabaseName + "/" + TableName.
    QString TablePath() const;

signals:
    // The view is about to change / has changed as a whole (opened, closed, another kind shown,
    // reordered, rows added).
    void ViewAboutToChange();
    void ViewChanged();

private:
    void decodeRows();
    void rebuildView();
    void emptyViewIfClosed();
    void checkIndexFieldNames(const QString &fields) const;

    QString m_databaseName;
    QString m_tableName;
    QString m_indexFieldNames;
    std::optional<QString> m_shownKind;

    std::vector<std::unique_ptr<TField>> m_fields;
    std::unique_ptr<DbfTable> m_engine;
    std::vector<ResultRow> m_rows;   // every record, by record number
    std::vector<bool> m_deleted;     // by record number
    std::vector<quint16> m_kindId;   // by record number: HRA as an index into m_kinds
    QStringList m_kinds;             // the distinct HRA values met so far
    quint64 m_generation = 0;        // the engine's load generation m_rows was decoded from
    std::vector<int> m_view;         // indexes into m_rows of the visible rows, in view order
};

// The data source: resultsTable's current view as an item model for grids. Columns are the visible
// fields (Jméno, Body, Datum); the header's horizontal titles are the fields' display labels.
class TDataSource : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TDataSource(QObject *owner = nullptr);

    TTable *DataSet() const { return m_dataSet; }
    void setDataSet(TTable *table);

    // The field shown in grid column `column`.
    TField *ColumnField(int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    TTable *m_dataSet = nullptr;
    std::vector<TField *> m_columns;
};
