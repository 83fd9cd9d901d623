#include "ManualViewer.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QTextBrowser>
#include <QToolBar>

namespace {

const QString ViewerTitle = QStringLiteral("Elektronický manuál Parblok 2000");

QString existingFile(const QString &path)
{
    const QFileInfo file(path);
    return file.isFile() ? file.absoluteFilePath() : QString();
}

} // namespace

QString ResolveStartPage(const QString &argument, const QString &currentFolder,
                         const QString &programFolder)
{
    const QString page = QString(argument).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (page.isEmpty())
        return QString();
    if (QDir::isAbsolutePath(page))
        return existingFile(page);
    const QString inCurrent = existingFile(QDir(currentFolder).filePath(page));
    return inCurrent.isEmpty() ? existingFile(QDir(programFolder).filePath(page)) : inCurrent;
}

ManualViewer::ManualViewer(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("ManualViewer"));
    setWindowTitle(ViewerTitle);
    setWindowIcon(QIcon(QStringLiteral(":/manual/match/tb-manual.svg")));
    resize(DefaultWidth, DefaultHeight);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("Browser"));
    m_browser->document()->setDocumentMargin(DocumentMargin);
    m_browser->setOpenExternalLinks(true);
    m_browser->setContextMenuPolicy(Qt::CustomContextMenu);
    setCentralWidget(m_browser);

    createActions();
    connect(m_browser, &QTextBrowser::sourceChanged, this, &ManualViewer::updateTitle);
    connect(m_browser, &QWidget::customContextMenuRequested, this, &ManualViewer::showContextMenu);
}

void ManualViewer::createActions()
{
    m_back = navigationAction(QStringLiteral("zpet"), QStringLiteral("Zpět"),
                              QStringLiteral("Zpět na předchozí stránku (Alt+←)"),
                              {QKeySequence(Qt::ALT | Qt::Key_Left)});
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);

    m_forward = navigationAction(QStringLiteral("vpred"), QStringLiteral("Vpřed"),
                                 QStringLiteral("Vpřed na další stránku (Alt+→)"),
                                 {QKeySequence(Qt::ALT | Qt::Key_Right)});
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);

    m_home = navigationAction(QStringLiteral("domu"), QStringLiteral("Domů"),
                              QStringLiteral("Na úvodní stránku manuálu (Home)"),
                              {QKeySequence(Qt::Key_Home), QKeySequence(Qt::ALT | Qt::Key_Home)});
    connect(m_home, &QAction::triggered, m_browser, &QTextBrowser::home);

    QToolBar *bar = addToolBar(QStringLiteral("Navigace"));
    bar->setObjectName(QStringLiteral("Navigace"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addActions({m_back, m_forward, m_home});
    // The toolbar's own menu would only offer to hide it.
    setContextMenuPolicy(Qt::NoContextMenu);
}

QAction *ManualViewer::navigationAction(const QString &picture, const QString &text,
                                        const QString &tip, const QList<QKeySequence> &keys)
{
    const QIcon icon(QStringLiteral(":/manual/manual/%1.svg").arg(picture));
    auto *action = new QAction(icon, text, this);
    action->setToolTip(tip);
    action->setShortcuts(keys);
    action->setEnabled(false); // until there is somewhere to go
    return action;
}

bool ManualViewer::Start(const QString &argument)
{
    const QString page = ResolveStartPage(argument, QDir::currentPath(),
                                          QCoreApplication::applicationDirPath());
    if (page.isEmpty()) {
        showProblem(argument);
        return false;
    }
    OpenStartPage(page);
    return true;
}

void ManualViewer::OpenStartPage(const QString &path)
{
    m_browser->clearHistory();
    m_browser->setSource(QUrl::fromLocalFile(path));
    m_home->setEnabled(true);
}

void ManualViewer::showProblem(const QString &argument)
{
    const QString reason = argument.isEmpty()
        ? QStringLiteral("<p>Manuál nedostal žádnou stránku, kterou by měl zobrazit.</p>")
        : QStringLiteral("<p>Stránka <b>%1</b> neexistuje.</p>").arg(argument.toHtmlEscaped());
    m_browser->setHtml(
        QStringLiteral("<h2>Manuál nelze otevřít</h2>") + reason
        + QStringLiteral("<p>Elektronický manuál se spouští z programu Parblok 2000 nabídkou "
                         "<i>Nápověda → Elektronický manuál</i> nebo tlačítkem s knihou vpravo "
                         "v nástrojové liště.</p>"
                         "<p>Chcete-li manuál spustit sami, zadejte mu jako parametr jeho úvodní "
                         "stránku, například:</p>"
                         "<pre>ManualKvadr Html/Parblok2000/Index.htm</pre>"
                         "<p>Cesta ke stránce se počítá od aktuální složky, a není-li tam, od "
                         "složky, ve které je program ManualKvadr.</p>"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    m_home->setEnabled(false);
    setWindowTitle(ViewerTitle);
}

void ManualViewer::updateTitle()
{
    const QString title = m_browser->documentTitle().simplified();
    setWindowTitle(title.isEmpty() ? ViewerTitle : title);
}

void ManualViewer::showContextMenu(const QPoint &at)
{
    QMenu menu(this);
    menu.addActions({m_back, m_forward, m_home});
    menu.addSeparator();
    QAction *copy = menu.addAction(QStringLiteral("Kopírovat"), m_browser, &QTextBrowser::copy);
    copy->setEnabled(m_browser->textCursor().hasSelection());
    menu.addAction(QStringLiteral("Vybrat vše"), m_browser, &QTextBrowser::selectAll);
    menu.exec(m_browser->viewport()->mapToGlobal(at));
}
