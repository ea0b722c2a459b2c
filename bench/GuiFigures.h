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

// The program's window: how long it takes to appear, its memory with six full tables, and the
// articles grid's read, paste, copy, painting, paging and printing.
void WindowFigures(CFigures& figures, const QString& folder);

// The window against tillora-ecr-sim on a pseudo-terminal at the real line rate: 200 article rows
// sent from the window and from tillora-cli, and the processor the window uses meanwhile.
void SendFigures(CFigures& figures, const QString& folder);

} // namespace tillora::bench
