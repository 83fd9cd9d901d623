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

    QLabel *Image1 = nullptr;
    TGradText *GradText1 = nullptr; // "Parblok 2000"
    TGradText *GradText2 = nullptr; // "verze 5.0"
    QLabel *makerLabel = nullptr;       // the maker's line
    QPushButton *Button1 = nullptr;
    TSysInfo *SysInfo1 = nullptr;   // facts about the computer, not shown

public slots:
    void Button1Click();

private:
    std::unique_ptr<Ui::OProgramuDialog> ui;
};

// The one window; set as soon as its construction starts, null before and after.
TOProgramuDialog *OProgramuDialog();
