#pragma once

#include "VyberHry.h"

#include <memory>

namespace Ui {
class Hra2Dialog;
}

// The selection of a game kind for two players.
class THra2Dialog : public TVyberHryDialog
{
    Q_OBJECT
public:
    THra2Dialog();
    ~THra2Dialog() override;

private:
    std::unique_ptr<Ui::Hra2Dialog> ui;
};

// The one instance; set as soon as its construction starts, null before and after.
THra2Dialog *Hra2Dialog();
