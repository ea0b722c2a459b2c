// tillora-ecr-sim: the simulated register on a pseudo-terminal. Prints the device to open on the
// first line of its output, then answers on it until SIGINT or SIGTERM, or until it closes the
// line because it was told to.

#include "sim/PtyRegister.h"
#include "sim/SimFrameLog.h"
#include "sim/SimOptions.h"
#include "sim/SimRegister.h"
#include "sim/SimTableFiles.h"

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <pthread.h>
#include <unistd.h>

namespace {

using namespace tillora::sim;
using tillora::TableKind;

// SIGINT and SIGTERM are taken by a thread of their own, which tells the register's loop to stop
// through a pipe; so the loop ends cleanly and the log is written. Returns the pipe's read end,
// or -1.
int WatchStopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    int stopPipe[2];
    if (pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0 || pipe(stopPipe) != 0) {
        return -1;
    }
    std::thread([signals, writeEnd = stopPipe[1]] {
        int signal = 0;
        sigwait(&signals, &signal);
        const char stop = 's';
        (void)write(writeEnd, &stop, 1);
    }).detach();
    return stopPipe[0];
}

// The logo as it came, over whatever the file held.
bool SaveLogo(const std::vector<std::uint8_t>& logo, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(logo.data(), 1, logo.size(), file) == logo.size();
    return std::fclose(file) == 0 && written;
}

// The tables the register starts with, from the table files it was given.
bool LoadTables(const SimOptions& options, SimTables& tables) {
    const std::pair<TableKind, const std::string*> files[] = {
        {TableKind::Articles, &options.articlesFile},
        {TableKind::Operators, &options.operatorsFile},
        {TableKind::Subgroups, &options.subgroupsFile},
        {TableKind::Company, &options.companyFile},
    };
    for (const auto& [kind, path] : files) {
        std::string error;
        if (!path->empty() && !LoadSimTable(tables, options.model, kind, *path, error)) {
            std::fprintf(stderr, "tillora-ecr-sim: %s\n", error.c_str());
            return false;
        }
    }
    return true;
}

int Serve(const SimOptions& options) {
    CSimRegister ecr(options.model, options.serial, options.faults);
    if (!LoadTables(options, ecr.Tables())) {
        return 2;
    }
    CPtyRegister pty(ecr);
    std::string error;
    const int stopFd = WatchStopSignals();
    if (stopFd < 0 || !pty.Open(error)) {
        std::fprintf(stderr, "tillora-ecr-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", pty.DevicePath().c_str());
    std::fflush(stdout);

    std::optional<CFrameLogFile> log;
    if (!options.logFile.empty()) {
        log.emplace(options.logFile);
        log->Update(ecr);
    }
    const auto saveTables = [&options, &ecr] {
        std::string failure;
        if (!options.saveDir.empty() &&
            !SaveSimTables(ecr.Tables(), options.model, options.saveDir, failure)) {
            std::fprintf(stderr, "tillora-ecr-sim: %s\n", failure.c_str());
        }
    };
    unsigned savedTransfers = 0;
    unsigned savedLogos = 0;
    const auto afterFrames = [&options, &log, &ecr, &savedTransfers, &savedLogos, &saveTables] {
        if (log && !log->Update(ecr)) {
            std::fputs("tillora-ecr-sim: the log cannot be written\n", stderr);
        }
        if (ecr.LogosReceived() != savedLogos) {
            savedLogos = ecr.LogosReceived();
            if (!options.logoFile.empty() && !SaveLogo(ecr.Logo(), options.logoFile)) {
                std::fprintf(stderr, "tillora-ecr-sim: %s cannot be written\n",
                             options.logoFile.c_str());
            }
        }
        if (ecr.ConfirmedTransfers() != savedTransfers) {
            savedTransfers = ecr.ConfirmedTransfers();
            saveTables();
        }
    };
    const CPtyRegister::End end = pty.Run(stopFd, afterFrames);
    afterFrames();
    saveTables();
    return end == CPtyRegister::End::Failed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    // Whoever started us may stop reading our output after the device line.
    std::signal(SIGPIPE, SIG_IGN);
    std::string error;
    const std::optional<SimOptions> options =
        ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "tillora-ecr-sim: %s\n%s", error.c_str(), SimUsage().c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(SimUsage().c_str(), stdout);
        return 0;
    }
    return Serve(*options);
}
