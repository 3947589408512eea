#pragma once

#include "application_setup.h"

#include <QApplication>
#include <QTest>

// The test runs in the program's own set-up (title, translations, font, look).
// It gives the test a home and configuration folder of its own, so that nothing
// it stores (ours or Qt's file dialog's) reaches the user's, and back.
void isolateUserFolders();

#define CRIBAXON_GUI_TEST_MAIN(TestObject)                                                                             \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        isolateUserFolders();                                                                                          \
        QApplication app(argc, argv);                                                                                  \
        setUpApplication(app);                                                                                         \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
