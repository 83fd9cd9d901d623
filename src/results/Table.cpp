#include "Table.h"

#include "AppError.h"
#include "Cp1250.h"
#include "DbfTable.h"

#include <QDir>
#include <QLocale>
#include <QSize>

namespace {

const QByteArray kOrderField = QByteArrayLiteral("TAHY");

QString trimmedRight(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

// A dBASE date: eight digits yyyyMMdd; anything else (a blank date) is no date.
QDate dateOf(QByteArrayView field)
{
    int parts[3] = {0, 0, 0};
    const int lengths[3] = {4, 2, 2};
    qsizetype at = 0;
    if (field.size() != 8)
        return {};
    for (int part = 0; part < 3; ++part) {
        for (int i = 0; i < lengths[part]; ++i, ++at) {
            const char c = field[at];
            if (c < '0' || c > '9')
                return {};
            parts[part] = parts[part] * 10 + (c - '0');
        }
    }
    return QDate(parts[0], parts[1], parts[2]);
}

} // namespace

TField::TField(QString fieldName, Kind kind, QString displayLabel, Qt::Alignment alignment,
               Qt::Alignment titleAlignment, int displayWidth, bool visible, int size)
    : m_fieldName(std::move(fieldName)), m_kind(kind), m_displayLabel(std::move(displayLabel)),
      m_alignment(alignment), m_titleAlignment(titleAlignment), m_displayWidth(displayWidth), m_visible(visible),
      m_size(size)
{
}

QVariant TField::Value(const ResultRow &row) const
{
    if (m_fieldName == QLatin1String("JMENO"))
        return row.JMENO;
    if (m_fieldName == QLatin1String("TAHY"))
        return row.TAHY;
    if (m_fieldName == QLatin1String("HRA"))
        return row.HRA;
    return row.DATUM;
}

QString TField::DisplayText(const ResultRow &row) const
{
    switch (m_kind) {
    case Number:
        return QString::number(Value(row).toDouble(), 'f', 0);
    case Date:
        return QLocale::system().toString(Value(row).toDate(), QLocale::ShortFormat);
    case String:
        break;
    }
    return Value(row).toString();
}

TTable::TTable(QObject *owner)
    : QObject(owner), m_engine(std::make_unique<DbfTable>())
{
    const auto left = Qt::AlignLeft;
    m_fields.push_back(std::make_unique<TField>(QStringLiteral("JMENO"), TField::String, QStringLiteral("Jméno"), left, left, 240, true, 100));
    m_fields.push_back(std::make_unique<TField>(QStringLiteral("TAHY"), TField::Number, QStringLiteral("Body"), Qt::AlignHCenter, left, 30, true, 10));
    m_fields.push_back(std::make_unique<TField>(QStringLiteral("HRA"), TField::String, QStringLiteral("HRA"), left, left, 0, false, 2));
    m_fields.push_back(std::make_unique<TField>(QStringLiteral("DATUM"), TField::Date, QStringLiteral("Datum"), Qt::AlignRight, Qt::AlignRight, 0, true, 8));
}

TTable::~TTable() = default;

void TTable::setDatabaseName(const QString &folder)
{
    m_databaseName = folder;
}

void TTable::setTableName(const QString &name)
{
    m_tableName = name;
}

void TTable::checkIndexFieldNames(const QString &fields) const
{
    if (!fields.isEmpty() && fields.compare(QLatin1String(kOrderField), Qt::CaseInsensitive) != 0)
        throw AppError(QStringLiteral("Tabulka „%1“ nemá index podle pole „%2“.").arg(QDir::toNativeSeparators(TablePath()), fields));
}

void TTable::setIndexFieldNames(const QString &fields)
{
    if (Active())
        checkIndexFieldNames(fields);
    m_indexFieldNames = fields;
    rebuildView();
}

void TTable::setShownKind(const std::optional<QString> &code)
{
    m_shownKind = code;
    rebuildView();
}

bool TTable::Active() const
{
    return m_engine->isOpen();
}

void TTable::setActive(bool on)
{
    if (on)
        Open();
    else
        Close();
}

QString TTable::TablePath() const
{
    return QDir(m_databaseName).filePath(m_tableName);
}

TField *TTable::FieldByName(const QString &name) const
{
    for (const auto &field : m_fields) {
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    }
    return nullptr;
}

void TTable::Open()
{
    if (Active())
        return;
    checkIndexFieldNames(m_indexFieldNames);
    m_engine->open(m_databaseName, m_tableName, kOrderField, DbfTable::OpenMode::Repair);
    const struct
    {
        const char *name;
        char type;
    } expected[] = {{"JMENO", 'C'}, {"TAHY", 'N'}, {"HRA", 'C'}, {"DATUM", 'D'}};
    for (const auto &column : expected) {
        const int index = m_engine->fieldIndex(column.name);
        if (index < 0 || m_engine->fields()[size_t(index)].type != column.type) {
            m_engine->close();
            throw AppError(QStringLiteral("Tabulka „%1“ nemá sloupce tabulky výsledků (JMENO, TAHY, HRA, DATUM).")
                               .arg(QDir::toNativeSeparators(TablePath())));
        }
    }
    for (const auto &field : m_fields)
        field->setSize(m_engine->fields()[size_t(m_engine->fieldIndex(field->FieldName().toLatin1()))].width);
    m_generation = 0;
    m_rows.clear();
    m_deleted.clear();
    m_kindId.clear();
    rebuildView();
}

void TTable::Close()
{
    if (!Active())
        return;
    emit ViewAboutToChange();
    m_engine->close();
    m_rows.clear();
    m_deleted.clear();
    m_kindId.clear();
    m_view.clear();
    emit ViewChanged();
}

void TTable::Refresh()
{
    if (!Active())
        return;
    try {
        if (m_engine->refresh())
            rebuildView();
    } catch (...) {
        emptyViewIfClosed();
        throw;
    }
}

void TTable::emptyViewIfClosed()
{
    // The engine closes a table whose files it can no longer read.
    if (!Active() && !m_view.empty())
        rebuildView();
}

void TTable::AppendRecord(const QString &jmeno, const QString &tahy, const QString &hra, QDate datum)
{
    if (!Active())
        Open();
    const std::optional<Decimal> points = parseDecimal(QStringView(tahy));
    if (!points)
        throw AppError(QStringLiteral("'%1' není platné číslo.").arg(tahy));
    QByteArray record = m_engine->blankRecord();
    m_engine->setText(record, m_engine->fieldIndex("JMENO"), toCp1250(jmeno));
    m_engine->setNumber(record, m_engine->fieldIndex("TAHY"), *points);
    m_engine->setText(record, m_engine->fieldIndex("HRA"), toCp1250(hra));
    m_engine->setDate(record, m_engine->fieldIndex("DATUM"), datum);
    try {
        m_engine->append(record, datum);
    } catch (...) {
        emptyViewIfClosed();
        throw;
    }
    rebuildView();
}

int TTable::RecordCount() const
{
    return int(m_view.size());
}

const ResultRow &TTable::Row(int visibleIndex) const
{
    return m_rows[size_t(m_view[size_t(visibleIndex)])];
}

void TTable::decodeRows()
{
    if (m_generation != m_engine->loadGeneration()) {
        m_rows.clear();
        m_deleted.clear();
        m_kindId.clear();
        m_generation = m_engine->loadGeneration();
    }
    const int jmeno = m_engine->fieldIndex("JMENO");
    const int tahy = m_engine->fieldIndex("TAHY");
    const int hra = m_engine->fieldIndex("HRA");
    const int datum = m_engine->fieldIndex("DATUM");
    m_rows.reserve(m_engine->recordCount());
    for (quint32 r = quint32(m_rows.size()) + 1; r <= m_engine->recordCount(); ++r) {
        ResultRow row;
        row.JMENO = trimmedRight(fromCp1250(m_engine->fieldBytes(r, jmeno)));
        row.TAHY = readNumericField(m_engine->fieldBytes(r, tahy)).value_or(Decimal{}).toDouble();
        row.HRA = trimmedRight(fromCp1250(m_engine->fieldBytes(r, hra)));
        row.DATUM = dateOf(m_engine->fieldBytes(r, datum));
        qsizetype kind = m_kinds.indexOf(row.HRA);
        if (kind < 0) {
            kind = m_kinds.size();
            m_kinds.append(row.HRA);
        }
        m_kindId.push_back(quint16(kind));
        m_rows.push_back(std::move(row));
        m_deleted.push_back(m_engine->isDeleted(r));
    }
}

void TTable::rebuildView()
{
    emit ViewAboutToChange();
    m_view.clear();
    if (Active()) {
        decodeRows();
        // The kind column is compared through the small numbers its few distinct values get.
        const qsizetype kind = m_shownKind ? m_kinds.indexOf(*m_shownKind) : -1;
        const auto visible = [&](quint32 record) {
            if (m_deleted[record - 1])
                return false;
            return !m_shownKind || m_kindId[record - 1] == kind;
        };
        if (m_indexFieldNames.isEmpty()) {
            for (quint32 r = 1; r <= m_rows.size(); ++r) {
                if (visible(r))
                    m_view.push_back(int(r - 1));
            }
        } else {
            for (quint32 r : m_engine->order()) {
                if (visible(r))
                    m_view.push_back(int(r - 1));
            }
        }
    }
    emit ViewChanged();
}

TDataSource::TDataSource(QObject *owner)
    : QAbstractTableModel(owner)
{
}

void TDataSource::setDataSet(TTable *table)
{
    beginResetModel();
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = table;
    m_columns.clear();
    if (m_dataSet) {
        for (const auto &field : m_dataSet->Fields()) {
            if (field->Visible())
                m_columns.push_back(field.get());
        }
        connect(m_dataSet, &TTable::ViewAboutToChange, this, &TDataSource::beginResetModel);
        connect(m_dataSet, &TTable::ViewChanged, this, &TDataSource::endResetModel);
        connect(m_dataSet, &QObject::destroyed, this, [this] {
            beginResetModel();
            m_dataSet = nullptr;
            m_columns.clear();
            endResetModel();
        });
    }
    endResetModel();
}

TField *TDataSource::ColumnField(int column) const
{
    return column >= 0 && size_t(column) < m_columns.size() ? m_columns[size_t(column)] : nullptr;
}

int TDataSource::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_dataSet ? 0 : m_dataSet->RecordCount();
}

int TDataSource::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TDataSource::data(const QModelIndex &index, int role) const
{
    TField *field = ColumnField(index.column());
    if (!m_dataSet || !field || index.row() < 0 || index.row() >= m_dataSet->RecordCount())
        return {};
    const ResultRow &row = m_dataSet->Row(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return field->DisplayText(row);
    case Qt::EditRole:
        return field->Value(row);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(field->Alignment() | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant TDataSource::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return QAbstractTableModel::headerData(section, orientation, role);
    TField *field = ColumnField(section);
    if (!field)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return field->DisplayLabel();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(field->TitleAlignment() | Qt::AlignVCenter);
    case Qt::SizeHintRole:
        return field->DisplayWidth() > 0 ? QVariant(QSize(field->DisplayWidth(), 0)) : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags TDataSource::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
