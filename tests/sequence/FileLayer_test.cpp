#include "sequence/FileLayer.h"
#include "tests/support/FailingFileLayer.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <stdexcept>
#include <sys/mount.h>

namespace sequara {
namespace {

using testing::FailingFileLayer;
using testing::ReadBytes;
using testing::TempFolder;

std::vector<std::string> FolderContents(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const std::string kOld = "old content\r\n";
const std::string kNew(200000, 'x');   // several buffers

std::string ErrorText(int error) { return error == 0 ? "no error" : std::strerror(error); }

TEST(ReplaceFileWith, EveryFailureLeavesTheOldFileAndNoTemporary) {
    struct Case {
        const char* what;
        FailingFileLayer::Step step;
        std::size_t spaceLeft;
        const char* reason;
        std::size_t maxPerWrite = SIZE_MAX;
    };
    const Case cases[] = {
        {"create", FailingFileLayer::Step::Create, SIZE_MAX, "Input/output error"},
        {"full device at once", FailingFileLayer::Step::None, 0, "No space left on device"},
        {"full device part-way", FailingFileLayer::Step::None, 70000, "No space left on device"},
        {"sync", FailingFileLayer::Step::Sync, SIZE_MAX, "Input/output error"},
        {"close", FailingFileLayer::Step::Close, SIZE_MAX, "Input/output error"},
        {"rename", FailingFileLayer::Step::Rename, SIZE_MAX, "Input/output error"},
        {"writes that take nothing", FailingFileLayer::Step::None, SIZE_MAX, "No space left on device", 0},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string target = folder.write("target.txt", kOld);
        FailingFileLayer files;
        files.FailAt = c.step;
        files.SpaceLeft = c.spaceLeft;
        files.MaxPerWrite = c.maxPerWrite;
        EXPECT_EQ(ErrorText(ReplaceFileContent(files, target, kNew)), c.reason) << c.what;
        EXPECT_EQ(ReadBytes(target), kOld) << c.what;
        EXPECT_EQ(FolderContents(folder.path()), std::vector<std::string>{"target.txt"}) << c.what;
    }
}

TEST(ReplaceFileWith, AnyExceptionFromTheWriterRemovesTheTemporary) {
    TempFolder folder;
    const std::string target = folder.write("target.txt", kOld);
    FailingFileLayer files;
    EXPECT_THROW(ReplaceFileWith(files, target,
                                 [&](int fd) -> int {
                                     (void)WriteAll(files, fd, kNew.data(), kNew.size());
                                     throw std::runtime_error("stop");
                                 }),
                 std::runtime_error);
    EXPECT_EQ(ReadBytes(target), kOld);
    EXPECT_EQ(FolderContents(folder.path()), std::vector<std::string>{"target.txt"});
    ASSERT_EQ(files.Temporaries.size(), 1u);
    EXPECT_EQ(std::filesystem::path(files.Temporaries[0]).parent_path(), folder.path()) << "same folder";
}

TEST(ReplaceFileWith, ShortWritesStillWriteEveryByteAndKeepThePermissions) {
    TempFolder folder;
    const std::string target = folder.write("target.txt", kOld);
    std::filesystem::permissions(target, std::filesystem::perms(0640));
    FailingFileLayer files;
    files.MaxPerWrite = 7777;
    EXPECT_EQ(ReplaceFileContent(files, target, kNew), 0);
    EXPECT_EQ(ReadBytes(target), kNew);
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(FolderContents(folder.path()), std::vector<std::string>{"target.txt"});
}

// A real full device: a tiny tmpfs mounted for the test (needs the right to
// mount; skipped without it).
TEST(ReplaceFileWith, ARealFullDeviceIsAnErrorAndKeepsTheOldFile) {
    TempFolder folder;
    const std::string mountPoint = folder.file("tiny");
    std::filesystem::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "cannot mount a tmpfs";
    struct Unmount {
        std::string at;
        ~Unmount() { ::umount(at.c_str()); }
    } unmount{mountPoint};
    const std::string target = mountPoint + "/target.txt";
    {
        std::ofstream(target, std::ios::binary) << kOld;
    }
    EXPECT_EQ(ErrorText(ReplaceFileContent(DefaultFileLayer(), target, kNew)), "No space left on device");
    EXPECT_EQ(ReadBytes(target), kOld);
    EXPECT_EQ(FolderContents(mountPoint), std::vector<std::string>{"target.txt"});
}

}  // namespace
}  // namespace sequara
