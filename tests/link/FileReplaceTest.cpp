#include "link/FileReplace.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace tillora {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Read(const fs::path& path) {
    return ReadWholeFile(path).value_or("<none>");
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

class FileReplaceTest : public ::testing::Test {
protected:
    test::TempFolder folder{"tillora-replace"};
    fs::path target = folder.Path() / "stoka.txt";
};

TEST_F(FileReplaceTest, TheTargetGetsTheWholeTextAndNoTemporaryFileIsLeft) {
    Write(target, "old");
    EXPECT_EQ(ReplaceFile(target, "new text"), ReplaceResult::Replaced);
    EXPECT_EQ(Read(target), "new text");
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"stoka.txt"});
}

#ifndef _WIN32
// The umask narrows a new file's permissions; the replaced file keeps the old one's in full.
TEST_F(FileReplaceTest, TheReplacedFileKeepsTheTargetsPermissions) {
    for (const fs::perms kept : {fs::perms(0600), fs::perms(0640), fs::perms(0666)}) {
        Write(target, "old");
        fs::permissions(target, kept);
        ASSERT_EQ(ReplaceFile(target, "new"), ReplaceResult::Replaced);
        EXPECT_EQ(fs::status(target).permissions(), kept);
    }
}
#endif

// Someone who can write to the folder puts a link where the temporary file will be made (the
// name made predictable here): the save must not write through it, whether its file exists or
// not.
TEST_F(FileReplaceTest, ALinkAtTheTemporaryNameIsNeverWrittenThrough) {
    const test::TempFolder elsewhere("tillora-replace-elsewhere");
    const fs::path victim = elsewhere.Path() / "victim";
    const fs::path missing = elsewhere.Path() / "missing";
    const fs::path trap = folder.Path() / "stoka.txt.tmp";
    Write(victim, "precious");
    Write(target, "old");
    for (const fs::path& pointedAt : {victim, missing}) {
        std::error_code ec;
        fs::remove(trap, ec);
        fs::create_symlink(pointedAt, trap, ec);
        if (ec) {
            GTEST_SKIP() << "no symbolic links here: " << ec.message();
        }
        const auto alwaysTheTrap = [&](const fs::path&, int) { return fs::path(trap); };
        EXPECT_EQ(ReplaceFile(target, "new", alwaysTheTrap), ReplaceResult::NotCreated);
        EXPECT_EQ(Read(victim), "precious");
        EXPECT_FALSE(fs::exists(missing));
        EXPECT_EQ(Read(target), "old");
        EXPECT_TRUE(fs::is_symlink(trap));
    }
}

// Someone else's file at the first name is neither written nor removed.
TEST_F(FileReplaceTest, ATakenTemporaryNameIsPassedOverForTheNext) {
    const fs::path taken = folder.Path() / "stoka.txt.tmp0";
    Write(taken, "someone else's");
    Write(target, "old");
    const auto numbered = [](const fs::path& resolved, int attempt) {
        fs::path name = resolved;
        name += ".tmp" + std::to_string(attempt);
        return name;
    };
    EXPECT_EQ(ReplaceFile(target, "new", numbered), ReplaceResult::Replaced);
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(Read(taken), "someone else's");
    EXPECT_FALSE(fs::exists(folder.Path() / "stoka.txt.tmp1"));
}

// A folder that takes no new file is told at once, not tried eight times over.
TEST_F(FileReplaceTest, AFolderThatTakesNoFileIsNotCreated) {
    int attempts = 0;
    const auto counted = [&](const fs::path&, int) {
        ++attempts;
        return folder.Path() / "no-such-folder" / "stoka.tmp";
    };
    EXPECT_EQ(ReplaceFile(target, "new", counted), ReplaceResult::NotCreated);
    EXPECT_EQ(attempts, 1);
    EXPECT_FALSE(fs::exists(target));
}

} // namespace
} // namespace tillora
