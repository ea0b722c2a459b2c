#include "logo/LogoSend.h"

#include "link/EcrIniFile.h"
#include "link/FileReplace.h"
#include "link/Link.h"
#include "link/Message.h"
#include "res/StringIds.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <new>
#include <optional>
#include <vector>

namespace tillora {
namespace {

constexpr char LogoKind = 'R';
constexpr std::uint64_t PieceCount = 100;
constexpr int ProgressAfterHead = 5;

void Report(const std::function<void(int)>& progress, int value) {
    if (progress) {
        progress(value);
    }
}

// Asks the warnings that come before anything is opened; false when the user said No.
bool AcceptColours(const CurrentPicture& picture, IFeedback& feedback) {
    if (picture.Colours() <= 2) {
        return true;
    }
    return feedback.AskYesNo(ids::ConfirmTooManyColours, FormatMessage(ids::ConfirmTooManyColours),
                             MessageIcon::Question, false);
}

bool AcceptSize(std::uint64_t size, IFeedback& feedback) {
    if (size <= LogoSizeWarningBytes) {
        return true;
    }
    return feedback.AskYesNo(ids::ConfirmPictureTooLarge,
                             FormatMessage(ids::ConfirmPictureTooLarge), MessageIcon::Information,
                             false);
}

// The file's size, leaving the stream at its start; nothing when it cannot be told.
std::optional<std::uint64_t> SizeOf(std::ifstream& file) {
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    file.seekg(0, std::ios::beg);
    if (end < 0 || !file) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(end);
}

// A hundred equal pieces and the remainder; a file too small for that goes whole.
std::size_t PieceLength(std::uint64_t size) {
    return static_cast<std::size_t>(size < PieceCount ? size : size / PieceCount);
}

// Writes the file in pieces of the buffer's length until a read yields nothing.
bool SendPieces(std::ifstream& file, std::vector<std::uint8_t>& buffer, CLink& link,
                std::uint64_t size, const std::function<void(int)>& progress) {
    const bool whole = buffer.size() == size;
    std::uint64_t sent = 0;
    while (!buffer.empty()) {
        file.read(reinterpret_cast<char*>(buffer.data()),
                  static_cast<std::streamsize>(buffer.size()));
        const auto length = static_cast<std::size_t>(file.gcount());
        if (length == 0) {
            break;
        }
        if (!link.SendFrame(buffer.data(), length)) {
            return false;
        }
        ++sent;
        // One step per piece, a file sent whole at once; a remainder finds the bar full.
        const std::uint64_t done = whole ? PieceCount : std::min(sent, PieceCount);
        Report(progress, ProgressAfterHead + static_cast<int>(done));
    }
    return true;
}

bool SendOpenedFile(std::ifstream& file, std::uint64_t size, TransferSession& session,
                    const std::function<void(int)>& progress) {
    std::unique_ptr<ISerialLine> line = OpenRegisterLine(session.line, session.feedback);
    if (!line) {
        return false;
    }
    line->DrainInput();
    CLink link(*line, session.clock, session.feedback, session.settings.EcrSerial,
               session.frameGapMs);
    if (!link.SendFrame(link.FrameHead(LogoKind))) {
        return false;
    }
    Report(progress, ProgressAfterHead);
    {
        std::vector<std::uint8_t> buffer;
        try {
            buffer.resize(PieceLength(size));
        } catch (const std::bad_alloc&) {
            ShowError(session.feedback, ids::OutOfMemory);
            return false;
        }
        if (!SendPieces(file, buffer, link, size, progress)) {
            return false;
        }
    }
    return link.WaitAck();
}

} // namespace

bool SendLogo(const CurrentPicture& picture, EcrIniFile& ini, TransferSession& session,
              const std::function<void(int)>& progress) {
    Report(progress, 0);
    IFeedback& feedback = session.feedback;
    if (!AcceptColours(picture, feedback)) {
        return false;
    }
    // The INI file, not the picture, says which file is current.
    const std::string path = RememberedLogoPath(ini);
    // Another program may have named another file since; but a picture whose path could not be
    // written would leave the send taking an older file than the one shown, or none.
    if (picture.IsLoaded() && !picture.IsBuiltIn() && !picture.IsRemembered()) {
        ShowError(feedback, ids::SettingsNotWritten, ini.GetPath().c_str());
        return false;
    }
    if (!picture.IsLoaded() || path.empty()) {
        ShowError(feedback, ids::ChooseFile);
        return false;
    }
    std::ifstream file(Utf8Path(path), std::ios::binary);
    const std::optional<std::uint64_t> size = file ? SizeOf(file) : std::optional<std::uint64_t>();
    if (!size) {
        ShowError(feedback, ids::FileNotOpenedForReading, path.c_str());
        return false;
    }
    if (!AcceptSize(*size, feedback)) {
        return false;
    }
    // The logo is one frame: once its head is on the line it goes to its end.
    if (IsStopRequested(session.stop)) {
        feedback.ShowMessage(ids::LogoStopped, FormatMessage(ids::LogoStopped),
                             MessageIcon::Information);
        return false;
    }
    return SendOpenedFile(file, *size, session, progress);
}

} // namespace tillora
