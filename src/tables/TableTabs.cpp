#include "tables/TableTabs.h"

namespace tillora {

TableKind NextTable(TableKind kind) {
    return static_cast<TableKind>((TableIndex(kind) + 1) % TableCount);
}

TableKind PreviousTable(TableKind kind) {
    return static_cast<TableKind>((TableIndex(kind) + TableCount - 1) % TableCount);
}

} // namespace tillora
