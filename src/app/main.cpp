#include "StartUp.h"
#include "TApplication.h"

int main(int argc, char *argv[])
{
    preferXcbOnWayland();
    TApplication app(argc, argv);
    return RunProgram();
}
