// How fast the desktop program starts, reads, pastes, copies, shows, pages and prints the full
// articles table, how much memory its window with six full tables takes, and how it sends to the
// simulated register at the line rate beside tillora-cli. Offscreen, and each figure beside its
// target; the exit status is 0 only when every target is met.

#include "GuiFigures.h"
#include "link/EcrSettings.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // The windows' recent files and state go where they cannot spoil the user's.
    QStandardPaths::setTestModeEnabled(true);
    // The tax letters of the sample rows are those of the first models.
    tillora::ConnectionSettings().EcrType = 0;
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::printf("no temporary folder\n");
        return 1;
    }
    tillora::bench::CFigures figures;
    // The window first, so that its memory is not the other figures' leftovers.
    tillora::bench::WindowFigures(figures, folder.path());
    tillora::bench::CoreFigures(figures, folder.path());
#ifdef TILLORA_SEND_FIGURES
    tillora::bench::SendFigures(figures, folder.path());
#endif
    return figures.AllMet() ? 0 : 1;
}
