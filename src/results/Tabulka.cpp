#include "Tabulka.h"
#include "ui_Tabulka.h"

#include "ColorValue.h"
#include "Data.h"
#include "PixelFont.h"
#include "Placement.h"
#include "TApplication.h"
#include "WindowPlacement.h"

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QPushButton>
#include <QTabWidget>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <cmath>
#include <utility>

// The first rows of the data source: a page lists only the lowest results of its kind.
class TFirstRows : public QIdentityProxyModel
{
public:
    TFirstRows(int limit, QObject *owner) : QIdentityProxyModel(owner), m_limit(limit) {}

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : qMin(QIdentityProxyModel::rowCount(parent), m_limit);
    }

private:
    int m_limit;
};

namespace {

TTabulkaDialog *g_tabulkaDialog = nullptr;

// The grid's title row and its ten rows fill its 177 pixels.
constexpr int TitleHeight = 17;
constexpr int RowHeight = 16;
// A date column with no width of its own is ten digits wide, as the field's default.
constexpr int DateCharacters = 10;

// How wide a number of `characters` characters can be in `font`: that many of its widest digit,
// or of the minus sign should that be wider.
int widestNumberWidth(const QFont &font, int characters)
{
    const QFontMetricsF metrics(font);
    QChar widest = u'0';
    for (const QChar c : QStringLiteral("0123456789-")) {
        if (metrics.horizontalAdvance(c) > metrics.horizontalAdvance(widest))
            widest = c;
    }
    return int(std::ceil(metrics.horizontalAdvance(QString(characters, widest))));
}

} // namespace

TTabulkaDialog *TabulkaDialog()
{
    return g_tabulkaDialog;
}

void ShowTabulkaDialog()
{
    if (TTabulkaDialog *viewer = TabulkaDialog())
        viewer->show();
}

TTabulkaDialog::TTabulkaDialog() : TBalloonForm(WhileOpen::MatchStops), ui(new Ui::TabulkaDialog)
{
    g_tabulkaDialog = this;
    ui->setupUi(this);
    kindPages = ui->kindPages;
    trainingPage = ui->trainingPage;
    standardPage = ui->standardPage;
    advancedPage = ui->advancedPage;
    trainingGrid = ui->trainingGrid;
    standardGrid = ui->standardGrid;
    advancedGrid = ui->advancedGrid;
    trainingScrollCover = ui->trainingScrollCover;
    standardScrollCover = ui->standardScrollCover;
    advancedScrollCover = ui->advancedScrollCover;
    okButton = ui->okButton;
    FormCreate();
}

TTabulkaDialog::~TTabulkaDialog()
{
    if (g_tabulkaDialog == this)
        g_tabulkaDialog = nullptr;
}

QString TTabulkaDialog::KindOfPage(int index)
{
    return QString::number(qBound(0, index, 2) + 1);
}

void TTabulkaDialog::FormCreate()
{
    setFixedSize(396, 276);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(clSilver));
    colours.setColor(QPalette::Button, ToQColor(clSilver));
    setPalette(colours);
    setAutoFillBackground(true);

    // The pages and the panels over the grids' scroll bars share the window's colour, so the
    // panels do not show.
    for (QWidget *page : {trainingPage, standardPage, advancedPage})
        page->setAutoFillBackground(true);
    for (QFrame *cover : {trainingScrollCover, standardScrollCover, advancedScrollCover}) {
        cover->setAutoFillBackground(true);
        cover->raise();
    }
    for (QTableView *grid : {trainingGrid, standardGrid, advancedGrid})
        setUpGrid(grid);

    setFirstControl(okButton);
    connect(okButton, &QPushButton::clicked, this, &TTabulkaDialog::closeViewer);
    connect(kindPages, &QTabWidget::currentChanged, this, &TTabulkaDialog::showKindOfPage);
}

void TTabulkaDialog::setUpGrid(QTableView *grid)
{
    grid->setFont(pixelFont(QStringLiteral("Times New Roman"), 11));
    grid->horizontalHeader()->setFont(pixelFont(QStringLiteral("Times New Roman"), 11, true));
    grid->setFrameShape(QFrame::NoFrame);
    grid->setShowGrid(false);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setTabKeyNavigation(true);
    grid->setWordWrap(false);
    // Every column is wide enough for its values; nothing is ever cut to "…".
    grid->setTextElideMode(Qt::ElideNone);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(RowHeight);
    grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    QHeaderView *titles = grid->horizontalHeader();
    titles->setSectionResizeMode(QHeaderView::Fixed);
    titles->setHighlightSections(false);
    titles->setSectionsClickable(false);
    titles->setFixedHeight(TitleHeight);
    QPalette colours = grid->palette();
    colours.setColor(QPalette::Base, ToQColor(clSilver));
    colours.setColor(QPalette::Window, ToQColor(clSilver));
    colours.setColor(QPalette::Button, ToQColor(clSilver));
    grid->setPalette(colours);
    titles->setPalette(colours);
}

void TTabulkaDialog::bindGrids()
{
    if (m_rows != nullptr || DataModule1 == nullptr)
        return;
    m_rows = new TFirstRows(VisibleRows, this);
    m_rows->setSourceModel(DataModule1->resultsSource);
    for (QTableView *grid : {trainingGrid, standardGrid, advancedGrid})
        grid->setModel(m_rows);
}

void TTabulkaDialog::sizeColumns()
{
    if (m_rows == nullptr)
        return;
    const std::pair<QTableView *, QFrame *> pages[] = {{trainingGrid, trainingScrollCover}, {standardGrid, standardScrollCover}, {advancedGrid, advancedScrollCover}};
    for (const auto &[grid, cover] : pages) {
        // A cell keeps a margin on either side of its text.
        const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
        const int dateWidth = DateCharacters * grid->fontMetrics().horizontalAdvance(QLatin1Char('0')) + 4;
        // Numbers and dates take what their widest text needs; the name its own width, or what
        // is left of the part of the grid that the panel does not cover.
        int used = 0;
        int nameColumn = -1;
        for (int column = 0; column < m_rows->columnCount(); ++column) {
            const TField *field = DataModule1->resultsSource->ColumnField(column);
            int width = field != nullptr ? field->DisplayWidth() : 0;
            if (field != nullptr && field->DataType() == TField::Number)
                width = std::max(width, widestNumberWidth(grid->font(), field->Size()) + margins + 1);
            else if (field != nullptr && field->DataType() == TField::String)
                nameColumn = column;
            else if (width <= 0)
                width = dateWidth;
            grid->horizontalHeader()->resizeSection(column, width);
            if (column != nameColumn)
                used += width;
        }
        if (nameColumn >= 0) {
            const int wanted = DataModule1->resultsSource->ColumnField(nameColumn)->DisplayWidth();
            grid->horizontalHeader()->resizeSection(nameColumn, std::min(wanted, cover->x() - grid->x() - used));
        }
    }
}

void TTabulkaDialog::FormKeyDown(QKeyEvent *event)
{
    if (IsEnterKey(event->key()) || IsEscapeKey(event->key()))
        close();
    else
        TBalloonForm::FormKeyDown(event);
}

void TTabulkaDialog::FormShow()
{
    centreFrameIn(this, placementArea());
    bindGrids();
    sizeColumns();
    {
        const QSignalBlocker quiet(kindPages);
        kindPages->setCurrentIndex(0);
    }
    showKind(KindOfPage(0));
}

void TTabulkaDialog::showKindOfPage(int index)
{
    showKind(KindOfPage(index));
}

void TTabulkaDialog::showKind(const QString &code)
{
    if (DataModule1 == nullptr)
        return;
    // A table that cannot be filtered is reported; the viewer stays open and closes as usual.
    try {
        DataModule1->ShowKind(code);
    } catch (const std::exception &error) {
        TApplication::HandleException(error);
    }
}

void TTabulkaDialog::closeViewer()
{
    close();
}
