// Entry point of every test program: a Qt application object (for the SQL drivers, or for the
// windows of screen tests), and the skip status when the PostgreSQL run has no server to run on.

#include "testbooks.h"

#include <gtest/gtest.h>

#ifdef LANX_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif
#include <QLocale>

#include <cstdio>

// Tells CTest that the run was skipped.
constexpr int SkipStatus = 77;

int main(int argc, char **argv)
{
    TestApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    if (TestBooks::provider() == Provider::PostgreSQL && qEnvironmentVariableIsEmpty("LANX_TEST_PG")) {
        std::fprintf(stderr, "LANX_TEST_PG is not set: no PostgreSQL server to test on\n");
        return SkipStatus;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
