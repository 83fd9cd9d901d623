#include "ProgramEnd.h"
#include "StartUp.h"
#include "TApplication.h"

#include <memory>

int main(int argc, char *argv[])
{
    if (!chooseXcbPlatform())
        return NoXServerExitCode;
    auto guard = std::make_unique<XServerConnectionGuard>();
    TApplication app(argc, argv);
    guard.reset();
    EndProgramOnSignals();
    return RunProgram();
}
