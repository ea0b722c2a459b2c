#include "transfer/KnownDifferences.h"

#include "tables/TableSetup.h"
#include "transfer/ChangedRows.h"
#include "transfer/SendCommands.h"

namespace tillora {

bool LoadKnownTable(const CKnownRegisterState& store, const RegisterIdentity& id, TableKind kind,
                    CCellGrid& table) {
    SetupTable(table, kind);
    return store.Load(id, kind, table);
}

RegisterIdentity RegisterInSettings(const EcrSettings& settings) {
    return {SerialDigits(settings.EcrSerial), settings.EcrType};
}

std::vector<CCellID> CellsDifferingFromKnown(TableKind kind, const CCellGrid& table,
                                             const CCellGrid& known, int model) {
    std::vector<CCellID> cells;
    const std::optional<SendPlan> plan = SendPlanOf(kind, model);
    if (!plan) {
        return cells;
    }
    for (const ChangedRow& row : FindChangedRows(*plan, table, known, model).rows) {
        for (const ChangedCell& cell : row.cells) {
            cells.push_back({row.row, cell.column});
        }
    }
    return cells;
}

} // namespace tillora
