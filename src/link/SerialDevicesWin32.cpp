#include "link/PlatformFiles.h"
#include "link/SerialDevices.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace tillora {

// Windows keeps the COM ports present in the registry: one value a port, named by the driver's
// device and holding the COM name. A port of a USB adapter is there only while it is plugged in.
std::vector<SerialDevice> ListComPorts() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return {};
    }
    std::vector<SerialDevice> ports;
    for (DWORD index = 0;; ++index) {
        wchar_t device[256];
        wchar_t name[64];
        DWORD deviceLength = 256;
        DWORD nameBytes = sizeof name - sizeof(wchar_t);
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, index, device, &deviceLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(name), &nameBytes);
        if (result == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (result != ERROR_SUCCESS || type != REG_SZ) {
            continue; // a name too long for a COM port, or not text
        }
        std::wstring port(name, nameBytes / sizeof(wchar_t));
        while (!port.empty() && port.back() == L'\0') {
            port.pop_back();
        }
        ports.push_back({Utf8FromWide(port), Utf8FromWide(std::wstring(device, deviceLength))});
    }
    RegCloseKey(key);
    return ComPortsInOrder(std::move(ports));
}

std::vector<SerialDevice> PresentSerialDevices() {
    return ListComPorts();
}

} // namespace tillora
