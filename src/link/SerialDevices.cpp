#include "link/SerialDevices.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tillora {
namespace {

namespace fs = std::filesystem;

// The entries of a folder by name; none when it cannot be read.
std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        names.push_back(it->path().filename().string());
    }
    return names;
}

// "ttyUSB12" with the prefix "ttyUSB" gives 12; no number after the prefix gives -1.
long NumberAfter(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
        return -1;
    }
    long number = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])) || number > 100000) {
            return -1;
        }
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

// A built-in port is there unless the kernel says that no UART answers behind its name.
bool HasUart(const SerialScanRoots& roots, const std::string& name) {
    std::ifstream type(fs::path(roots.sysTty) / name / "type");
    int value = -1;
    if (!(type >> value)) {
        return true; // nothing said: offer it
    }
    return value != 0;
}

void AddNumbered(std::vector<SerialDevice>& devices, const SerialScanRoots& roots,
                 const std::vector<std::string>& names, const std::string& prefix) {
    std::vector<std::pair<long, std::string>> found;
    for (const std::string& name : names) {
        const long number = NumberAfter(name, prefix);
        if (number >= 0 && (prefix != "ttyS" || HasUart(roots, name))) {
            found.emplace_back(number, name);
        }
    }
    std::sort(found.begin(), found.end());
    for (const auto& entry : found) {
        devices.push_back({(fs::path(roots.dev) / entry.second).string(), {}});
    }
}

// A by-id name points into the device folder ("../../ttyUSB0"); the target named in that folder.
std::string TargetOf(const SerialScanRoots& roots, const fs::path& link) {
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    if (error || target.empty()) {
        return {};
    }
    return (fs::path(roots.dev) / target.filename()).string();
}

} // namespace

std::vector<SerialDevice> ComPortsInOrder(std::vector<SerialDevice> ports) {
    std::vector<std::pair<long, SerialDevice>> numbered;
    for (SerialDevice& port : ports) {
        std::string upper = port.path;
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        const long number = NumberAfter(upper, "COM");
        if (number > 0) {
            numbered.emplace_back(number, std::move(port));
        }
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SerialDevice> ordered;
    for (auto& entry : numbered) {
        ordered.push_back(std::move(entry.second));
    }
    return ordered;
}

std::vector<SerialDevice> ScanSerialDevices(const SerialScanRoots& roots) {
    std::vector<SerialDevice> devices;
    const fs::path byId = fs::path(roots.dev) / "serial" / "by-id";
    std::vector<std::string> stable = NamesIn(byId);
    std::sort(stable.begin(), stable.end());
    for (const std::string& name : stable) {
        devices.push_back({(byId / name).string(), TargetOf(roots, byId / name)});
    }
    const std::vector<std::string> names = NamesIn(roots.dev);
    for (const char* prefix : {"ttyUSB", "ttyACM", "ttyS"}) {
        AddNumbered(devices, roots, names, prefix);
    }
    return devices;
}

} // namespace tillora
