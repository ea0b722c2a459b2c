#pragma once

#include "tables/TableKind.h"

namespace tillora {

// Next and previous table in tab order, wrapping round at both ends.
TableKind NextTable(TableKind kind);
TableKind PreviousTable(TableKind kind);

} // namespace tillora
