#pragma once

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QString>

class QAction;
class QTextBrowser;

// The file a start-page argument names: the argument as given when it is an absolute path,
// otherwise relative to `currentFolder` and, when no such file is there, relative to
// `programFolder`. Backslashes count as folder separators. The absolute path of an existing file,
// or the empty text.
QString ResolveStartPage(const QString &argument, const QString &currentFolder,
                         const QString &programFolder);

// The manual's window: its pages in a browser, with back, forward and home commands. The window's
// title is the title of the page shown.
class ManualViewer : public QMainWindow
{
    Q_OBJECT
public:
    explicit ManualViewer(QWidget *parent = nullptr);

    // Opens the start page the argument names (see ResolveStartPage, with the process's current
    // folder and the viewer's own folder); when it names none, explains that in the window.
    // Returns whether a page was opened.
    bool Start(const QString &argument);

    // Opens the page at `path` (an existing file) as the start page of the history.
    void OpenStartPage(const QString &path);

    QTextBrowser *Browser() const { return m_browser; }
    QAction *BackAction() const { return m_back; }
    QAction *ForwardAction() const { return m_forward; }
    QAction *HomeAction() const { return m_home; }

    static constexpr int DefaultWidth = 760;
    static constexpr int DefaultHeight = 560;
    // The blank border around a page, in pixels.
    static constexpr int DocumentMargin = 10;

private:
    void createActions();
    QAction *navigationAction(const QString &picture, const QString &text, const QString &tip,
                              const QList<QKeySequence> &keys);
    void showContextMenu(const QPoint &at);
    void showProblem(const QString &argument);
    void updateTitle();

    QTextBrowser *m_browser = nullptr;
    QAction *m_back = nullptr;
    QAction *m_forward = nullptr;
    QAction *m_home = nullptr;
};
