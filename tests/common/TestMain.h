#pragma once

#include "TApplication.h"

#include <QTest>

// Like QTEST_MAIN, but with the program's own application object, so tests see the same font
// substitutes and error handling as the program.
#define PARBLOK_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        TApplication app(argc, argv);                                                              \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
