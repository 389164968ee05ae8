// GoogleTest main for tests that need real Qt widgets (offscreen is enough).
#include <gtest/gtest.h>

#include <QApplication>

#include "identity.h"

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(brevorn::kApplicationName));
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
