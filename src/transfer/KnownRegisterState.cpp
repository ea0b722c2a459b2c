#include "transfer/KnownRegisterState.h"

#include "link/FileReplace.h"
#include "link/Message.h"
#include "link/PlatformFiles.h"
#include "res/StringIds.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableReader.h"
#include "tables/TableSetup.h"
#include "tables/TableWriter.h"

#include <system_error>

namespace tillora {
namespace {

namespace fs = std::filesystem;

// A known state that cannot be read is treated as none, without a word: the worst it costs is
// a whole table sent.
class CSilentFeedback final : public IFeedback {
public:
    void ShowMessage(unsigned /*stringId*/, const std::string& /*text*/,
                     MessageIcon /*icon*/) override {
        failed = true;
    }
    bool AskYesNo(unsigned /*stringId*/, const std::string& /*text*/, MessageIcon /*icon*/,
                  bool /*defaultNo*/) override {
        return false;
    }
    void SetStatusText(const std::string& /*text*/) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PumpPaintMessages() override {}

    bool failed = false;
};

} // namespace

fs::path CKnownRegisterState::FileOf(const RegisterIdentity& id, TableKind kind) const {
    return m_folder / (id.serial + "-model" + std::to_string(id.model)) /
           ProgrammedTableFileName(kind);
}

bool CKnownRegisterState::Load(const RegisterIdentity& id, TableKind kind, CCellGrid& table) const {
    ClearTable(table);
    std::error_code error;
    const fs::path file = FileOf(id, kind);
    if (m_folder.empty() || !fs::is_regular_file(file, error)) {
        return false;
    }
    CMemoryGridAccess access(table);
    CSilentFeedback feedback;
    if (!TableReader(access).ReadTableFile(PathToUtf8(file), feedback) || feedback.failed) {
        ClearTable(table);
        return false;
    }
    return true;
}

bool CKnownRegisterState::Save(const RegisterIdentity& id, TableKind kind,
                               const CCellGrid& table) const {
    if (m_folder.empty()) {
        return false;
    }
    const fs::path file = FileOf(id, kind);
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    return ReplaceFile(file, TableFileText(table)) == ReplaceResult::Replaced;
}

bool CKnownRegisterState::Forget(const RegisterIdentity& id, TableKind kind) const {
    if (m_folder.empty()) {
        return true;
    }
    std::error_code error;
    const fs::path file = FileOf(id, kind);
    fs::remove(file, error);
    return !fs::exists(file, error) && !error;
}

fs::path KnownStateFolder() {
    const std::optional<fs::path> data = UserDataFolder();
    return data ? *data / "registers" : fs::path();
}

bool SaveKnownState(const CKnownRegisterState& store, const RegisterIdentity& id, TableKind kind,
                    const CCellGrid& table, IFeedback& feedback) {
    if (store.Save(id, kind, table)) {
        return true;
    }
    store.Forget(id, kind);
    ShowError(feedback, ids::KnownStateNotSaved, PathToUtf8(store.FileOf(id, kind)).c_str());
    return false;
}

} // namespace tillora
