#pragma once

#include "sim/SimFaults.h"

#include <optional>
#include <string>
#include <vector>

namespace tillora::sim {

// What tillora-ecr-sim is told on its command line.
struct SimOptions {
    int model = 0;
    unsigned serial = 123;
    SimFaults faults;
    std::string logFile; // empty: no log
    // Where every logo received is written, byte for byte (the last one wins); empty: nowhere.
    std::string logoFile;
    // Table files the register starts with (Windows-1251 table text files); empty: none.
    std::string articlesFile;
    std::string operatorsFile;
    std::string subgroupsFile;
    std::string companyFile;
    // Where the register writes its four tables as table files, on exit and after every
    // confirmed transfer; empty: nowhere.
    std::string saveDir;
    bool help = false;
};

// Reads the options that follow the program's name. On a bad option the reason is put in error
// and nothing is returned.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error);

// The options, one a line, for --help and after a bad option.
std::string SimUsage();

} // namespace tillora::sim
