#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace tillora::campaign {

// What a run of the campaign does with the register.
enum class Operation {
    SendArticles,
    SendOperators,
    SendSubgroups,
    SendCompany,
    ReadReport,
    SendLogo,
    QueryInfo,
};

// How the simulated register lets the run down, if at all.
enum class Fault {
    None,
    Refusal,     // --refuse-frame N
    Silence,     // --silent-from N
    OtherSerial, // --answer-serial: every answer
    BadChecksum, // every answer
    Noise,       // bytes before every answer
    LineClosed,  // --close-after N
    LateUnder,   // the answer to frame N just inside the answer limit
    LateOver,    // the answer to frame N just past it
    Truncated,   // the answer to frame N cut short
};

// The lateness of the two late faults, either side of the 3000 ms answer limit.
inline constexpr std::uint64_t LateUnderMs = 2700;
inline constexpr std::uint64_t LateOverMs = 3300;

// Under LineClosed every answer comes this late, so that the line goes while the program waits
// for the answer, not while its write of the frame is still returning.
inline constexpr std::uint64_t CloseDelayMs = 20;

// One run, drawn from the campaign's random sequence: everything needed to repeat it.
struct RunPlan {
    unsigned index = 0;
    Operation operation = Operation::QueryInfo;
    bool selectedCells = false; // a send of selected cells instead of the whole table
    int model = 0;
    unsigned serial = 123;
    unsigned otherSerial = 0; // the serial answered with under OtherSerial
    int records = 0;          // the records a send sends
    Fault fault = Fault::None;
    unsigned faultFrame =
        0; // the frame the fault acts on, from 1; 0 for the faults of every answer
    std::string noise;
    std::uint64_t frameGapMs = 0;
    bool defaultLogo = false;      // the model's default picture, else a small generated one
    std::uint32_t contentSeed = 0; // the table or picture content
    std::uint64_t closeDelayMs = CloseDelayMs; // 0: the line goes the moment the frame is in
};

bool IsSend(Operation operation);
// The frames of the operation that the register answers: "a", the records and "z" for a send,
// the one frame of the others.
unsigned AnsweredFrames(const RunPlan& plan);
// The faults that cost a wait of about the answer limit.
bool IsSlow(Fault fault);

// Draws the next run. slowShare is the share of runs, in percent, that get a slow fault.
RunPlan DrawRun(std::mt19937& random, unsigned index, unsigned slowShare);

const char* OperationName(const RunPlan& plan);
// The fault and its frame, as a reader of the failure line wants it: "refusal at frame 3".
std::string FaultText(const RunPlan& plan);

} // namespace tillora::campaign
