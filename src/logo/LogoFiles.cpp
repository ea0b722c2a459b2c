#include "logo/LogoFiles.h"

#include "link/EcrIniFile.h"
#include "link/FileReplace.h"
#include "link/IniLocation.h"
#include "link/Message.h"
#include "res/StringIds.h"

#include <filesystem>
#include <system_error>

namespace tillora {
namespace {

constexpr unsigned LogoHeight = LargestLogo.height;
constexpr unsigned LogoColours = LargestLogo.colours;
constexpr const char* LogoFolder = "EcrLogo";

} // namespace

std::string RememberedLogoPath(const EcrIniFile& ini) {
    return ini.GetString(LogoSection, LogoImageKey, "");
}

bool RememberLogoPath(EcrIniFile& ini, const std::string& path) {
    return ini.WriteString(LogoSection, LogoImageKey, path);
}

LogoSize ExpectedLogoSize(int model) {
    switch (model) {
    case 5:
        return LargestLogo;
    case 8:
    case 9:
        return {114, LogoHeight, LogoColours};
    default:
        return {224, LogoHeight, LogoColours};
    }
}

std::string LogoSizeHint(int model) {
    const LogoSize size = ExpectedLogoSize(model);
    return FormatMessage(ids::PictureSize, size.width, size.height, size.colours);
}

std::string DefaultLogoFileName(int model) {
    switch (model) {
    case 5:
        return "Vexo2MZB.bmp";
    case 7:
        return "Vexo1MRA.bmp";
    case 8:
        return "Vexo1RV.bmp";
    case 9:
        return "Vexo1MRV.bmp";
    default:
        return "VexoLogo.bmp";
    }
}

std::string ExecutableFolder() {
    const std::string executable = ExecutablePath();
    return executable.empty() ? std::string() : PathToUtf8(Utf8Path(executable).parent_path());
}

std::string DefaultLogoBase(const std::string& executableFolder) {
    if (executableFolder.empty()) {
        return executableFolder;
    }
    const std::filesystem::path beside = Utf8Path(executableFolder);
    const std::filesystem::path installed = beside.parent_path() / "share" / "tillora";
    std::error_code error;
    if (!std::filesystem::is_directory(beside / LogoFolder, error) &&
        std::filesystem::is_directory(installed / LogoFolder, error)) {
        return PathToUtf8(installed);
    }
    return executableFolder;
}

std::string DefaultLogoBase() {
    return DefaultLogoBase(ExecutableFolder());
}

std::string DefaultLogoPath(int model) {
    return DefaultLogoPath(model, DefaultLogoBase());
}

std::string DefaultLogoPath(int model, const std::string& folder) {
    return PathToUtf8(Utf8Path(folder) / LogoFolder / DefaultLogoFileName(model));
}

void CurrentPicture::Discard() {
    m_loaded = false;
    m_path.clear();
    m_info.reset();
}

bool CurrentPicture::Load(const std::string& path, EcrIniFile& ini) {
    // The old picture goes first, so that a failed load leaves none.
    Discard();
    if (!path.empty()) {
        const BitmapInspection inspection = InspectBitmap(path);
        m_lastFailure = inspection.status;
        if (!inspection.Ok()) {
            return false;
        }
        m_info = inspection.info;
        m_colours = inspection.info.colours;
        m_informationLine = FormatMessage(ids::PictureSize, inspection.info.width,
                                          inspection.info.height, inspection.info.colours);
    }
    m_lastFailure = BitmapStatus::Ok;
    m_loaded = true;
    m_path = path;
    // The picture is shown even when the INI file cannot take its path; it is not sent then.
    m_remembered = RememberLogoPath(ini, path);
    return true;
}

std::vector<std::string> StartPictureCandidates(const EcrIniFile& ini, int model,
                                                const std::string& folder) {
    std::vector<std::string> candidates;
    // No remembered file (a first run) is not the built-in picture: the model's default comes
    // before it.
    if (std::string remembered = RememberedLogoPath(ini); !remembered.empty()) {
        candidates.push_back(std::move(remembered));
    }
    candidates.push_back(DefaultLogoPath(model, folder));
    candidates.emplace_back();
    return candidates;
}

void LoadStartPicture(CurrentPicture& picture, EcrIniFile& ini, int model,
                      const std::string& folder) {
    for (const std::string& path : StartPictureCandidates(ini, model, folder)) {
        if (picture.Load(path, ini)) {
            return;
        }
    }
}

} // namespace tillora
