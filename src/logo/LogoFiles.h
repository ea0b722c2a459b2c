#pragma once

#include "logo/BitmapInfo.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tillora {

class EcrIniFile;

// Where the last picture loaded is remembered: its full path, or empty for the built-in one.
inline constexpr const char* LogoSection = "logoman";
inline constexpr const char* LogoImageKey = "image";

std::string RememberedLogoPath(const EcrIniFile& ini);
// False when the INI file could not be written.
bool RememberLogoPath(EcrIniFile& ini, const std::string& path);

// The picture the register of a model expects. Only shown as a hint, never enforced.
struct LogoSize {
    unsigned width = 0;
    unsigned height = 0;
    unsigned colours = 0;
};
LogoSize ExpectedLogoSize(int model);
// The widest logo any register takes, and every register's height: the most a preview shows.
inline constexpr LogoSize LargestLogo{384, 80, 2};
// The hint line: message 20046 with the model's expected size.
std::string LogoSizeHint(int model);

// The file name of the default picture of a model, in the folder "EcrLogo".
std::string DefaultLogoFileName(int model);
// folder/EcrLogo/<the model's file name>; the first form takes the running program's
// DefaultLogoBase().
std::string DefaultLogoPath(int model);
std::string DefaultLogoPath(int model, const std::string& folder);
// The folder of the running executable; empty when the system does not tell.
std::string ExecutableFolder();
// The folder whose "EcrLogo" holds the default pictures of a program in executableFolder: that
// folder itself when "EcrLogo" is beside the executable (a build, or a copy on Windows), else the
// installed data folder <prefix>/share/tillora of a program in <prefix>/bin when its "EcrLogo"
// is there, else the executable's folder all the same, so that the path the user is told of is
// the documented one.
std::string DefaultLogoBase(const std::string& executableFolder);
// The same for the running program.
std::string DefaultLogoBase();

// The picture the logo manager shows and sends. The built-in picture has no file: it is
// loaded, but its path is empty and it has no file information. The colour count and the
// information line keep their last values across failed loads and the built-in picture, so the
// colour warning of a send still reflects the last file loaded.
class CurrentPicture {
public:
    // Loads the bitmap file at path, or the built-in picture when path is empty. On success the
    // path (empty for the built-in picture) is written to the INI file; on failure no picture is
    // current and the INI file is left as it was.
    bool Load(const std::string& path, EcrIniFile& ini);
    // Leaves no picture current, as a failed load does; the INI file, the colour count and the
    // information line stay as they are.
    void Discard();

    bool IsLoaded() const { return m_loaded; }
    bool IsBuiltIn() const { return m_loaded && m_path.empty(); }
    // Whether the INI file took the loaded picture's path: the send reads the path from there, so
    // only then does it send this picture.
    bool IsRemembered() const { return m_loaded && m_remembered; }
    // Empty for the built-in picture and when none is loaded.
    const std::string& Path() const { return m_path; }
    // The file's information; none for the built-in picture and when none is loaded.
    const std::optional<BitmapInfo>& Info() const { return m_info; }
    // The colour count of the last file loaded; 0 before the first.
    std::uint32_t Colours() const { return m_colours; }
    // Message 20046 with the width, height and colours of the last file loaded; empty before.
    const std::string& InformationLine() const { return m_informationLine; }
    // Why the last load failed; Ok after a successful one.
    BitmapStatus LastFailure() const { return m_lastFailure; }

private:
    bool m_loaded = false;
    bool m_remembered = false;
    std::string m_path;
    std::optional<BitmapInfo> m_info;
    std::uint32_t m_colours = 0;
    std::string m_informationLine;
    BitmapStatus m_lastFailure = BitmapStatus::Ok;
};

// The pictures the logo manager tries when it opens, in order: the remembered file (when one is
// remembered), the model's default in folder's "EcrLogo", and the built-in picture (empty).
std::vector<std::string> StartPictureCandidates(const EcrIniFile& ini, int model,
                                                const std::string& folder);

// Loads the first of the start candidates that loads.
void LoadStartPicture(CurrentPicture& picture, EcrIniFile& ini, int model,
                      const std::string& folder);

} // namespace tillora
