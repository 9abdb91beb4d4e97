// main() of every test program.  Each process runs in a fresh temporary
// current folder (removed at the end), so tests that leave files in the
// current folder, such as the FASTA reader's "Interim_Sto.txt", never meet
// when ctest runs them in parallel.  GUI programs also get one QApplication,
// offscreen unless the environment chooses a display platform.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#ifdef SEQUARA_GUI_TESTS
#include <QApplication>
#endif

int main(int argc, char** argv) {
    std::string folder = (std::filesystem::temp_directory_path() / "sequara-cwd-XXXXXX").string();
    bool moved = ::mkdtemp(folder.data()) != nullptr && ::chdir(folder.c_str()) == 0;
#ifdef SEQUARA_GUI_TESTS
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Sequara");
#endif
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    if (moved) {
        std::error_code ec;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
        std::filesystem::remove_all(folder, ec);
    }
    return result;
}
