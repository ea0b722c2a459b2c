#pragma once

#include "link/EcrSettings.h"
#include "support/RecordingFeedback.h"
#include "support/TempFolder.h"
#include "ui/AppSettings.h"
#include "ui/FileCommands.h"

#include <QApplication>
#include <QSettings>
#include <QString>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace tillora::test {

// The program's settings (recent files, window state) in a folder of the test's own, so that a
// test neither reads nor changes the user's; the application outlives each test's window.
inline void UseOwnSettings(const std::filesystem::path& folder) {
    QApplication::setQuitOnLastWindowClosed(false);
    const QString path = QString::fromStdString(folder.string());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
}

// Each test starts as a first run: no recent files, no window state, no register settings.
inline void StartAsFirstRun() {
    OpenAppSettings()->clear();
    ConnectionSettings() = {};
}

// The file dialogs as a test answers them: each asks for the next answer, nothing when there is
// none (the user cancels); what was asked is kept.
struct ScriptedChooser {
    struct Asked {
        FileDialogKind kind;
        std::string folder;
    };
    std::vector<std::optional<ChosenFile>> answers;
    std::vector<Asked> asked;

    FileChooser Chooser() {
        return [this](FileDialogKind kind, const std::string& folder) -> std::optional<ChosenFile> {
            asked.push_back({kind, folder});
            if (asked.size() > answers.size()) {
                return std::nullopt;
            }
            return answers[asked.size() - 1];
        };
    }
};

inline std::string WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace tillora::test
