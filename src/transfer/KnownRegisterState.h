#pragma once

#include "link/Feedback.h"
#include "tables/CellGrid.h"
#include "tables/TableKind.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tillora {

// A register whose tables are known: its serial as it answers the information query (six
// digits) and the model index its records were made for.
struct RegisterIdentity {
    std::string serial;
    int model = 0;
};

// The four programmable tables of every register as the register last confirmed them, one table
// file (the program's own format) per register and table:
// <folder>/<serial>-model<model>/articles.txt, operators.txt, subgroups.txt, company.txt.
// A table without a file is not known: the register may hold anything in it.
class CKnownRegisterState {
public:
    // An empty folder keeps nothing: every table is unknown and saving fails.
    explicit CKnownRegisterState(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    const std::filesystem::path& Folder() const { return m_folder; }
    std::filesystem::path FileOf(const RegisterIdentity& id, TableKind kind) const;

    // Fills the table (set up for its kind, under the model in force) with the known state.
    // False, with the table empty, when none is kept or the file cannot be read as a table.
    bool Load(const RegisterIdentity& id, TableKind kind, CCellGrid& table) const;
    // Replaces the known state by the table's rows, atomically; the folders are made as needed.
    bool Save(const RegisterIdentity& id, TableKind kind, const CCellGrid& table) const;
    // Removes the known state; true when none is left.
    bool Forget(const RegisterIdentity& id, TableKind kind) const;

private:
    std::filesystem::path m_folder;
};

// Where the known states live: "registers" in the user's data folder, or an empty path when the
// environment names no such folder.
std::filesystem::path KnownStateFolder();

// Saves the table's known state, or on failure forgets it and shows why (the next changes-only
// send then asks for a whole table rather than trusting a stale state).
bool SaveKnownState(const CKnownRegisterState& store, const RegisterIdentity& id, TableKind kind,
                    const CCellGrid& table, IFeedback& feedback);

} // namespace tillora
