// main() of the GUI test programs: one QApplication for all tests, offscreen
// unless the environment chooses a display platform.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Sequara");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
