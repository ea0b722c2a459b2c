#pragma once

#include "Figures.h"

#include <QFont>
#include <QString>

#include <string>

namespace tillora::bench {

// The full articles table as a file in the folder, for the reads to take; empty on failure.
QString WriteArticlesFile(const QString& folder);

// Without a window: the core's file read into the cells, and printing them.
void CoreFigures(CFigures& figures, const QString& folder);

// The program's window with six full tables: its memory, and the articles grid's read, paste,
// copy, painting, paging and printing.
void WindowFigures(CFigures& figures, const QString& folder);

} // namespace tillora::bench
