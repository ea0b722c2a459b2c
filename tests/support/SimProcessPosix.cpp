#include "SimProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tillora::test {
namespace {

std::vector<char*> Argv(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

// Reads both pipes to their ends, whichever the child fills first; tick (when given) is called
// at least every 5 ms meanwhile.
void ReadBoth(int outFd, int errFd, std::string& out, std::string& err,
              const std::function<void()>& tick = {}) {
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* texts[2] = {&out, &err};
    int open = 2;
    while (open > 0) {
        const int ready = poll(fds, 2, tick ? 5 : -1);
        if (tick) {
            tick();
        }
        if (ready < 0 && errno != EINTR) {
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0) {
                fds[i].fd = -1;
                --open;
            } else {
                texts[i]->append(buffer, static_cast<std::size_t>(n));
            }
        }
    }
}

// The first line the child writes to fd, waiting at most timeoutMs.
std::string ReadFirstLine(int fd, int timeoutMs) {
    std::string line;
    pollfd p{fd, POLLIN, 0};
    while (poll(&p, 1, timeoutMs) > 0) {
        char c = 0;
        if (read(fd, &c, 1) != 1 || c == '\n') {
            break;
        }
        line += c;
    }
    return line;
}

} // namespace

std::string ProgramFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

SimProcess::SimProcess(const std::vector<std::string>& args)
    : SimProcess(ProgramFolder() + "/tillora-ecr-sim", args) {}

SimProcess::SimProcess(const std::string& program, const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) {
        return;
    }
    m_pid = fork();
    if (m_pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        auto argv = Argv(program, args);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    if (m_pid > 0) {
        m_device = ReadFirstLine(out[0], 5000);
    }
    close(out[0]);
}

int SimProcess::Stop() {
    if (m_pid <= 0) {
        return -1;
    }
    kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

SimProcess::~SimProcess() {
    Stop();
}

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& env) {
    return RunProgramInterrupted(program, args, env, {});
}

ProgramResult RunProgramInterrupted(const std::string& program,
                                    const std::vector<std::string>& args,
                                    const std::vector<std::string>& env,
                                    const std::function<bool()>& interruptNow) {
    const std::string path = ProgramFolder() + "/" + program;
    int out[2];
    int err[2];
    ProgramResult result;
    if (pipe(out) != 0 || pipe(err) != 0) {
        return result;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        const int devnull = open("/dev/null", O_RDONLY);
        dup2(devnull, STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        for (int fd : {out[0], out[1], err[0], err[1], devnull}) {
            close(fd);
        }
        for (const auto& e : env) {
            putenv(const_cast<char*>(e.c_str()));
        }
        auto argv = Argv(path, args);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    bool interrupted = false;
    std::function<void()> tick;
    if (interruptNow) {
        tick = [&] {
            if (!interrupted && interruptNow()) {
                kill(pid, SIGINT);
                interrupted = true;
            }
        };
    }
    ReadBoth(out[0], err[0], result.out, result.err, tick);
    close(out[0]);
    close(err[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace tillora::test
