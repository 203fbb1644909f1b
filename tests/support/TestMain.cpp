#include "app/Application.h"

#include <QTextStream>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The preview's browser engine shows only the tests' own pages: no sandbox (containers
    // often cannot give it one), and no use of a small /dev/shm.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking --disable-dev-shm-usage");
    testing::InitGoogleTest(&argc, argv);
    TolvenraApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
