#pragma once

#include "InfoWindows.h"

#include <memory>

class QLabel;
class QPushButton;
class TGradText;
class TSysInfo;

namespace Ui {
class OProgramuDialog;
}

// The about window: the program picture, the name and version as gradient text, the maker's line
// and an "Ok" button, on a silver panel.
class TOProgramuDialog : public TInfoWindow
{
    Q_OBJECT
public:
    TOProgramuDialog();
    ~TOProgramuDialog() override;

    QLabel *programPicture = nullptr;
    TGradText *titleText = nullptr; // "Parblok 2000"
    TGradText *versionText = nullptr; // "verze 5.0"
    QLabel *makerLabel = nullptr;       // the maker's line
    QPushButton *okButton = nullptr;
    TSysInfo *systemInfo = nullptr;   // facts about the computer, not shown

public slots:
    void closeAbout();

private:
    std::unique_ptr<Ui::OProgramuDialog> ui;
};

// The one window; set as soon as its construction starts, null before and after.
TOProgramuDialog *OProgramuDialog();
