#pragma once

#include "logo/LogoFiles.h"
#include "transfer/TransferSession.h"

#include <cstdint>
#include <functional>

namespace tillora {

class EcrIniFile;

// Files above this size are sent only when the user accepts the warning.
inline constexpr std::uint64_t LogoSizeWarningBytes = 4096;
// The progress of a logo send runs from 0 to this.
inline constexpr int LogoProgressEnd = 105;

// Sends the remembered picture file to the register: the logo frame's head (start byte, serial,
// 'R'), then the file byte for byte in about a hundred pieces, then the acknowledgement. The
// colour and size warnings are asked before the line is opened; every failure is shown through
// the session's feedback, once. progress (may be empty) is told 0 at the start, 5 after the
// head and one more after each piece, up to 105. True when the register acknowledged the logo.
bool SendLogo(const CurrentPicture& picture, EcrIniFile& ini, TransferSession& session,
              const std::function<void(int)>& progress);

} // namespace tillora
