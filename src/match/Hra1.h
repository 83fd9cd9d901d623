#pragma once

#include "VyberHry.h"

#include <memory>

namespace Ui {
class Hra1Dialog;
}

// The selection of a game kind for one player.
class THra1Dialog : public TVyberHryDialog
{
    Q_OBJECT
public:
    THra1Dialog();
    ~THra1Dialog() override;

private:
    std::unique_ptr<Ui::Hra1Dialog> ui;
};

// The one instance; set as soon as its construction starts, null before and after.
THra1Dialog *Hra1Dialog();
