#include "platform/AtomicFile.h"
#include "platform/Errors.h"

#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::AtomicWriteResult;
using platform::WriteFileAtomically;

TEST(AtomicFile, ReplacesTheFileAndLeavesNoTemporaryBehind) {
    TempDir dir;
    const auto path = dir.file("a.bin");
    TempDir::Write(path, "old contents");
    EXPECT_EQ(WriteFileAtomically(path, std::string("new\0bytes", 9)), AtomicWriteResult::Written);
    EXPECT_EQ(TempDir::Read(path), std::string("new\0bytes", 9));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicFile, MissingDirectoryCannotCreate) {
    TempDir dir;
    EXPECT_EQ(WriteFileAtomically(dir.file("no/such/dir/a.bin"), "x"), AtomicWriteResult::CannotCreate);
}

TEST(AtomicFile, FailedWriteRaisesAndKeepsTheOldFile) {
    TempDir dir;
    const auto path = dir.file("a.bin");
    TempDir::Write(path, "keep me");
    // A file size limit makes the write fail part-way, as a full disk does. The child
    // reports what happened through its exit code.
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteFileAtomically(path, std::string(5000, 'x'));
        } catch (const EInOutError&) {
            _exit(7);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 7);
    EXPECT_EQ(TempDir::Read(path), "keep me");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicFile, FailedReplaceRaisesAndRemovesTheTemporary) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("d.bin"));
    EXPECT_THROW(WriteFileAtomically(dir.file("d.bin"), "x"), EInOutError);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("d.bin")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicFile, ReadWholeFile) {
    TempDir dir;
    std::string bytes;
    EXPECT_FALSE(platform::ReadWholeFile(dir.file("missing"), bytes));
    TempDir::Write(dir.file("f"), "abc");
    EXPECT_TRUE(platform::ReadWholeFile(dir.file("f"), bytes));
    EXPECT_EQ(bytes, "abc");
    std::filesystem::create_directory(dir.file("d"));
    EXPECT_THROW(platform::ReadWholeFile(dir.file("d"), bytes), EInOutError);
}
