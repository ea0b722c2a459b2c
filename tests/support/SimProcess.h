#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tillora::test {

// The folder of the running program: the project's programs all land in one.
std::string ProgramFolder();

// tillora-ecr-sim started as a child process on a pseudo-terminal, stopped when this goes.
class SimProcess {
public:
    // args are tillora-ecr-sim's options (--serial 123 --pace 9600 ...).
    explicit SimProcess(const std::vector<std::string>& args);
    // The same from another path than the one beside this program.
    SimProcess(const std::string& program, const std::vector<std::string>& args);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The device to open; empty when the program did not start.
    const std::string& Device() const { return m_device; }
    // Stops the register (SIGTERM) and returns its exit status (-1 when it did not exit
    // normally). A register that closed its line has ended by itself; its status comes all the
    // same.
    int Stop();

private:
    int m_pid = -1;
    std::string m_device;
};

struct ProgramResult {
    int status = -1; // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs one of the project's programs to its end with the given arguments and environment
// additions ("NAME=value"), stdin from /dev/null.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& env = {});

// The same, sending the program SIGINT (as Ctrl+C does) once interruptNow says so; it is asked
// about every 5 ms while the program runs.
ProgramResult RunProgramInterrupted(const std::string& program,
                                    const std::vector<std::string>& args,
                                    const std::vector<std::string>& env,
                                    const std::function<bool()>& interruptNow);

} // namespace tillora::test
