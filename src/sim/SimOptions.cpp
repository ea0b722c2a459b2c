#include "sim/SimOptions.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <map>

namespace tillora::sim {
namespace {

constexpr unsigned MaxSerial = 999999;
constexpr int MaxModel = 9;
constexpr std::uint64_t MaxBaud = 4000000;

// A whole decimal number from lowest to highest.
bool ParseNumber(const std::string& text, std::uint64_t lowest, std::uint64_t highest,
                 std::uint64_t& value) {
    const char* end = text.data() + text.size();
    const auto [last, failure] = std::from_chars(text.data(), end, value);
    return !text.empty() && failure == std::errc() && last == end && value >= lowest &&
           value <= highest;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Pairs of hexadecimal digits, blanks between the pairs allowed: "AA55", "AA 55".
bool ParseHexBytes(const std::string& text, std::string& bytes) {
    std::string digits;
    for (char c : text) {
        if (c == ' ') {
            continue;
        }
        if (HexDigit(c) < 0) {
            return false;
        }
        digits += c;
    }
    if (digits.empty() || digits.size() % 2 != 0) {
        return false;
    }
    bytes.clear();
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        bytes += static_cast<char>(HexDigit(digits[i]) * 16 + HexDigit(digits[i + 1]));
    }
    return true;
}

using ValueOption = std::function<bool(const std::string&, SimOptions&)>;

ValueOption Path(std::string SimOptions::*path) {
    return [=](const std::string& text, SimOptions& options) {
        options.*path = text;
        return !text.empty();
    };
}

// A setting or a fault from a number in a range.
template <typename T>
ValueOption Setting(T SimOptions::*setting, std::uint64_t lowest, std::uint64_t highest) {
    return [=](const std::string& text, SimOptions& options) {
        std::uint64_t value = 0;
        if (!ParseNumber(text, lowest, highest, value)) {
            return false;
        }
        options.*setting = static_cast<T>(value);
        return true;
    };
}

template <typename T>
ValueOption Fault(T SimFaults::*fault, std::uint64_t lowest, std::uint64_t highest) {
    return [=](const std::string& text, SimOptions& options) {
        std::uint64_t value = 0;
        if (!ParseNumber(text, lowest, highest, value)) {
            return false;
        }
        options.faults.*fault = static_cast<T>(value);
        return true;
    };
}

const std::map<std::string, ValueOption>& ValueOptions() {
    static const std::map<std::string, ValueOption> options = {
        {"--model", Setting(&SimOptions::model, 0, MaxModel)},
        {"--serial", Setting(&SimOptions::serial, 1, MaxSerial)},
        {"--refuse-frame", Fault(&SimFaults::refuseFrame, 1, UINT32_MAX)},
        {"--silent-from", Fault(&SimFaults::silentFrom, 1, UINT32_MAX)},
        {"--close-after", Fault(&SimFaults::closeAfter, 1, UINT32_MAX)},
        {"--delay", Fault(&SimFaults::answerDelayMs, 0, UINT32_MAX)},
        {"--late-frame", Fault(&SimFaults::lateFrame, 1, UINT32_MAX)},
        {"--late-ms", Fault(&SimFaults::lateMs, 0, UINT32_MAX)},
        {"--truncate-frame", Fault(&SimFaults::truncateFrame, 1, UINT32_MAX)},
        {"--answer-serial", Fault(&SimFaults::answerSerial, 1, MaxSerial)},
        {"--pace", Fault(&SimFaults::paceBaud, 1, MaxBaud)},
        {"--noise", [](const std::string& text,
                       SimOptions& options) { return ParseHexBytes(text, options.faults.noise); }},
        {"--info-answer",
         [](const std::string& text, SimOptions& options) {
             std::string bytes;
             if (!ParseHexBytes(text, bytes) || bytes.size() != 1) {
                 return false;
             }
             options.faults.infoAnswerByte = static_cast<std::uint8_t>(bytes[0]);
             return true;
         }},
        {"--report-lines",
         [](const std::string& text, SimOptions& options) {
             std::uint64_t value = 0;
             if (!ParseNumber(text, 0, UINT32_MAX, value)) {
                 return false;
             }
             options.faults.reportLineLimit = static_cast<unsigned>(value);
             return true;
         }},
        {"--log", Path(&SimOptions::logFile)},
        {"--logo-file", Path(&SimOptions::logoFile)},
        {"--articles", Path(&SimOptions::articlesFile)},
        {"--operators", Path(&SimOptions::operatorsFile)},
        {"--subgroups", Path(&SimOptions::subgroupsFile)},
        {"--company", Path(&SimOptions::companyFile)},
        {"--save-dir", Path(&SimOptions::saveDir)},
    };
    return options;
}

} // namespace

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args,
                                          std::string& error) {
    SimOptions options;
    bool lateMsGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        lateMsGiven = lateMsGiven || name == "--late-ms";
        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--bad-checksum") {
            options.faults.badChecksum = true;
        } else if (const auto found = ValueOptions().find(name); found != ValueOptions().end()) {
            if (i + 1 == args.size()) {
                error = name + " needs a value";
                return std::nullopt;
            }
            const std::string& value = args[++i];
            if (!found->second(value, options)) {
                error = "bad value for " + name;
                error += ": " + value;
                return std::nullopt;
            }
        } else {
            error = "unknown option: " + name;
            return std::nullopt;
        }
    }
    // Either alone would leave the fault half told.
    if ((options.faults.lateFrame != 0) != lateMsGiven) {
        error = "--late-frame and --late-ms go together";
        return std::nullopt;
    }
    return options;
}

std::string SimUsage() {
    return "usage: tillora-ecr-sim [options]\n"
           "A simulated cash register on a pseudo-terminal: prints the device to open, then\n"
           "answers on it until stopped (SIGINT, SIGTERM) or told to close the line.\n"
           "It keeps the tables it is sent, as the model lays them out, and answers \"f\"\n"
           "with their report (bytes 1-7 of every line: its serial and \"f\").\n"
           "  --model N          register model 0 to 9 (0)\n"
           "  --serial N         its serial number 1 to 999999 (123)\n"
           "  --refuse-frame N   refuse frame N (frames count from 1)\n"
           "  --silent-from N    answer nothing from frame N on\n"
           "  --close-after N    close the line instead of answering frame N\n"
           "  --delay MS         start every answer this late\n"
           "  --late-frame N     start the answer to frame N alone --late-ms MS late\n"
           "  --truncate-frame N send only the first half of the answer to frame N\n"
           "  --answer-serial N  answer with this serial instead of its own\n"
           "  --bad-checksum     answer with wrong checksums\n"
           "  --noise HEX        send these bytes before every answer (e.g. AA55)\n"
           "  --info-answer HEX  first byte of the information answer (06)\n"
           "  --pace BAUD        send and take bytes at this line rate\n"
           "  --report-lines N   stop the report after N lines (0: acknowledge \"f\" only)\n"
           "  --log FILE         keep a log of the frames received in FILE\n"
           "  --logo-file FILE   write every logo received to FILE (the bitmap file's bytes)\n"
           "  --articles FILE    start with the articles of this table file\n"
           "  --operators FILE   start with the operators of this table file\n"
           "  --subgroups FILE   start with the subgroups of this table file\n"
           "  --company FILE     start with the header lines of this table file\n"
           "  --save-dir DIR     write articles.txt, operators.txt, subgroups.txt and\n"
           "                     company.txt there after every confirmed transfer and on exit\n"
           "  --help             show this\n";
}

} // namespace tillora::sim
