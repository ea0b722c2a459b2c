// Kills tillora-save-loop at random moments while it saves, over and over, and checks that the
// target on disk is never anything but a complete file: the original, variant A or variant B.
#include "SimProcess.h"
#include "TempFolder.h"
#include "link/FileReplace.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <random>
#include <set>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tillora {
namespace {

namespace fs = std::filesystem;

constexpr int Rounds = 200;
constexpr int MaxDelayMs = 30;
constexpr int FirstWriteTimeoutMs = 10000;
constexpr unsigned Seed = 20261207;

std::string Program() {
    return test::ProgramFolder() + "/tillora-save-loop";
}

// The save loop as a child process; SIGKILL ends it, as a crash or a power cut of the program
// would, so it gets no chance to tidy up.
class SaveLoop {
public:
    SaveLoop(const std::string& mode, const std::string& target) {
        int out[2];
        if (pipe(out) != 0) {
            return;
        }
        m_pid = fork();
        if (m_pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            const std::string program = Program();
            char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(mode.c_str()),
                            const_cast<char*>(target.c_str()), nullptr};
            execv(program.c_str(), argv);
            _exit(127);
        }
        close(out[1]);
        m_out = out[0];
    }
    ~SaveLoop() {
        Kill();
        if (m_out >= 0) {
            close(m_out);
        }
    }
    SaveLoop(const SaveLoop&) = delete;
    SaveLoop& operator=(const SaveLoop&) = delete;

    // Waits for the line that tells one write is complete.
    bool WaitForFirstWrite() {
        pollfd p{m_out, POLLIN, 0};
        while (m_text.find('\n') == std::string::npos) {
            if (poll(&p, 1, FirstWriteTimeoutMs) <= 0 || !ReadSome()) {
                return false;
            }
        }
        return true;
    }
    // True when the signal, not the program, ended it.
    bool Kill() {
        if (m_pid <= 0) {
            return false;
        }
        kill(m_pid, SIGKILL);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }
    // The writes it reported complete, once it is gone.
    int CompletedWrites() {
        while (ReadSome()) {
        }
        int lines = 0;
        for (char c : m_text) {
            lines += c == '\n';
        }
        return lines;
    }

private:
    bool ReadSome() {
        char buffer[4096];
        const ssize_t n = read(m_out, buffer, sizeof buffer);
        if (n <= 0) {
            return false;
        }
        m_text.append(buffer, static_cast<std::size_t>(n));
        return true;
    }

    pid_t m_pid = -1;
    int m_out = -1;
    std::string m_text;
};

bool RunOnce(const std::string& mode, const fs::path& target, const std::string& variant) {
    const test::ProgramResult result =
        test::RunProgram("tillora-save-loop", {mode, target.string(), "--once", variant});
    return result.status == 0;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The temporary files a save leaves beside the target when it is stopped before the rename.
std::set<fs::path> TempFiles(const fs::path& target) {
    const std::string prefix = target.filename().string() + ".tmp";
    std::set<fs::path> found;
    for (const auto& entry : fs::directory_iterator(target.parent_path())) {
        const std::string name = entry.path().filename().string();
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
            name.find_first_not_of("0123456789", prefix.size()) == std::string::npos) {
            found.insert(entry.path());
        }
    }
    return found;
}

bool IsPrefixOf(const std::string& part, const std::string& whole) {
    return part.size() <= whole.size() && whole.compare(0, part.size(), part) == 0;
}

struct Figures {
    int rounds = 0;
    int onA = 0;
    int onB = 0;
    int onOriginal = 0;
    long writes = 0;
    int killedInSave = 0;     // a temporary file was left: the kill came between create and rename
    int partialLeftovers = 0; // of those, the ones cut off in the middle of the text
};

class SaveUnderKillE2ETest : public ::testing::Test {
protected:
    // Prepares the original target and the complete A and B files the program itself writes.
    void Prepare(const std::string& mode, const std::string& original) {
        target = temp.Path() / (mode == "table" ? "articles.txt" : "tillora.ini");
        WriteBytes(target, original);
        this->original = original;
        for (const char* variant : {"A", "B"}) {
            const fs::path reference = temp.Path() / (std::string("reference-") + variant);
            WriteBytes(reference, original);
            ASSERT_TRUE(RunOnce(mode, reference, variant)) << variant;
            (*variant == 'A' ? a : b) = ReadWholeFile(reference).value_or("");
        }
        ASSERT_NE(a, b);
        ASSERT_NE(a, original);
        ASSERT_NE(b, original);
    }

    Figures KillRepeatedly(const std::string& mode) {
        Figures figures;
        std::mt19937 random(Seed);
        std::uniform_int_distribution<int> delay(0, MaxDelayMs);
        std::set<fs::path> known;
        for (int round = 0; round < Rounds; ++round) {
            SaveLoop loop(mode, target.string());
            // Earlier rounds' leftovers stay in place: they must not keep this one from saving.
            if (!loop.WaitForFirstWrite()) {
                ADD_FAILURE() << "round " << round << ": no write completed";
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(delay(random)));
            EXPECT_TRUE(loop.Kill()) << "round " << round << ": the loop ended by itself";
            figures.writes += loop.CompletedWrites();
            ++figures.rounds;

            const std::string bytes = ReadWholeFile(target).value_or("<missing>");
            if (bytes == a) {
                ++figures.onA;
            } else if (bytes == b) {
                ++figures.onB;
            } else if (bytes == original) {
                ++figures.onOriginal;
            } else {
                ADD_FAILURE() << "round " << round << ": the target holds " << bytes.size()
                              << " bytes that are neither A (" << a.size() << ") nor B ("
                              << b.size() << ")";
            }
            CountLeftovers(known, figures);
        }
        return figures;
    }

    void CountLeftovers(std::set<fs::path>& known, Figures& figures) {
        for (const fs::path& leftover : TempFiles(target)) {
            if (!known.insert(leftover).second) {
                continue;
            }
            ++figures.killedInSave;
            const std::string bytes = ReadWholeFile(leftover).value_or("");
            EXPECT_TRUE(IsPrefixOf(bytes, a) || IsPrefixOf(bytes, b))
                << leftover.filename() << " is no beginning of either variant";
            if (bytes != a && bytes != b) {
                ++figures.partialLeftovers;
            }
        }
    }

    // After the rounds, with every leftover still there, one more save goes through cleanly.
    void SaveOnceMore(const std::string& mode) {
        const std::set<fs::path> before = TempFiles(target);
        ASSERT_TRUE(RunOnce(mode, target, "B"));
        EXPECT_EQ(ReadWholeFile(target).value_or(""), b);
        EXPECT_EQ(TempFiles(target), before) << "a completed save leaves no temporary file";
    }

    static void Print(const std::string& mode, const Figures& f, std::size_t bytes) {
        std::printf(
            "save-under-kill %s: rounds %d, file %zu bytes, writes completed %ld, "
            "target A %d / B %d / original %d, kills inside a save (temporary file left) %d, "
            "of them cut off mid-text %d, seed %u\n",
            mode.c_str(), f.rounds, bytes, f.writes, f.onA, f.onB, f.onOriginal, f.killedInSave,
            f.partialLeftovers, Seed);
    }

    test::TempFolder temp{"tillora-save-kill"};
    fs::path target;
    std::string original;
    std::string a;
    std::string b;
};

TEST_F(SaveUnderKillE2ETest, ATableFileIsAlwaysTheOldOrTheWholeNewFile) {
    ASSERT_NO_FATAL_FAILURE(Prepare("table", "1\tOld article\t\t1.00\t\xC0\t\t\t\r\n"));
    ASSERT_GT(a.size(), 100000u) << "every one of the 2600 rows is filled";
    const Figures figures = KillRepeatedly("table");
    Print("table", figures, a.size());
    EXPECT_EQ(figures.rounds, Rounds);
    SaveOnceMore("table");
}

std::string LargeIni() {
    std::string text = "; settings of several programs\n";
    for (int s = 0; s < 120; ++s) {
        text += "[Section" + std::to_string(s) + "]\n";
        for (int k = 0; k < 15; ++k) {
            text += "Key" + std::to_string(k) + "=value " + std::to_string(s * 100 + k) + "\n";
        }
        if (s == 60) {
            text += "[Stress]\nBefore=1\nValue=original\nAfter=2\n";
        }
    }
    return text;
}

TEST_F(SaveUnderKillE2ETest, AnIniFileIsAlwaysTheOldOrTheWholeNewFile) {
    ASSERT_NO_FATAL_FAILURE(Prepare("ini", LargeIni()));
    ASSERT_NE(a.find("Value=alpha-"), std::string::npos);
    ASSERT_NE(b.find("Value=beta-"), std::string::npos);
    const Figures figures = KillRepeatedly("ini");
    Print("ini", figures, a.size());
    EXPECT_EQ(figures.rounds, Rounds);
    SaveOnceMore("ini");
}

} // namespace
} // namespace tillora
