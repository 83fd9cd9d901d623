#include "MainWindowLink.h"

namespace {
TMainWindowLink *g_mainWindow = nullptr;
} // namespace

TMainWindowLink::TMainWindowLink()
{
    g_mainWindow = this;
}

TMainWindowLink::~TMainWindowLink()
{
    if (g_mainWindow == this)
        g_mainWindow = nullptr;
}

TMainWindowLink *MainWindowLink()
{
    return g_mainWindow;
}
