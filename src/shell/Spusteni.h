#pragma once

#include <QPixmap>
#include <QWidget>
#include <memory>

class TGradProgress;
class TSysInfo;

namespace Ui {
class SpusteniDialog;
}

// The splash window shown while the program creates its windows: the title, the version, the
// program's picture and the progress bar, which the start-up advances and which paints
// itself at once, since no events are processed meanwhile.
class TSpusteniDialog : public QWidget
{
    Q_OBJECT
public:
    explicit TSpusteniDialog(QWidget *parent = nullptr);
    ~TSpusteniDialog() override;

    TGradProgress *progressBar = nullptr;
    TSysInfo *systemInfo = nullptr; // facts about the computer, not shown

    // Shows the window centred on the screen, waits (briefly) for the window system to put it on
    // the screen and paints it before returning.
    void ShowNow();

    // The drawn parts of the cream panel (the black band and circles, the framed box), for a
    // panel of `size`.
    static QPixmap Background(QSize size);

private:
    void FormCreate();

    std::unique_ptr<Ui::SpusteniDialog> ui;
};
