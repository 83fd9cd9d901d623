#pragma once

#include "Form.h"

#include <QPoint>
#include <QWidget>
#include <memory>

class TAppPath;
class TCoolForm;

namespace Ui {
class PomocnikDialog;
}

// The assistant: a figure that floats above every window near the screen's lower right corner.
// Balloon dialogs open beside it, and a double-click on it opens the welcome window. Showing it
// plays its start sound and remembers "Pomocnik" = "1"; closing it (the window system's close
// command while it is active) plays its end sound and remembers "0".
class TPomocnikDialog : public TForm<QWidget>
{
    Q_OBJECT
public:
    explicit TPomocnikDialog(QWidget *parent = nullptr);
    ~TPomocnikDialog() override;

    TCoolForm *figureShape = nullptr;
    TAppPath *appPath = nullptr;

    // Hides the assistant, moves it to the screen's lower right corner `margins` pixels from the
    // right and bottom edges, and shows it again.
    void MoveToCorner(QPoint margins);

    // A copy that was refused at start shows the assistant beside its notice only; there a
    // double-click opens nothing.
    void setWelcomeAllowed(bool allowed) { m_welcomeAllowed = allowed; }
    bool welcomeAllowed() const { return m_welcomeAllowed; }

public slots:
    // Opens the welcome window beside the assistant.
    void reopenWelcome();

private:
    void FormCreate();
    void FormShow() override;
    void FormClose() override;
    // Without a window manager nobody turns Alt+F4 into a close command; the assistant does it.
    void FormKeyDown(QKeyEvent *event) override;

    // Hidden and shown again with the main window's minimising and restoring, which are no
    // showings of the assistant.
    bool eventFilter(QObject *watched, QEvent *event) override;

    std::unique_ptr<Ui::PomocnikDialog> ui;
    bool m_welcomeAllowed = true;
    bool m_hiddenWithMain = false;
};

// The one assistant; set as soon as its construction starts, null before and after.
TPomocnikDialog *PomocnikDialog();
