#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace tillora {

class CMainFrame;

// A test-only way to work the window from a script (the hidden start option --test-steps): the
// steps run the window's own commands, one a line, so that a run on another system (Windows
// under Wine) can be compared with the Linux one byte for byte.
//   tab N          makes table N the current one
//   open FILE      file open, with FILE chosen in the dialog
//   save-as FILE   file save as, with FILE chosen in the dialog
//   command ID     triggers the command with that id
//   pause MS       lets the window run for MS milliseconds (for a screenshot)
//   font           puts "fixed pitch" or "proportional" in the status bar: the tables' font as
//                  the system resolved it
//   quit           ends the program
// After each step one line goes to the log: the step, a tab and the status bar's message. A step
// that fails (an unknown step, a command that is disabled or says no) ends the program with 1.
// A message box waits for a user as always: a run that meets one does not end by itself.
class CTestSteps : public QObject {
    Q_OBJECT
public:
    CTestSteps(CMainFrame& frame, QStringList steps, QString logFile);

    // The steps of a file (UTF-8); empty lines and lines starting with "#" are left out.
    static QStringList ReadSteps(const QString& file, bool& read);

    // Runs the steps once the event loop runs.
    void Start();

private:
    bool RunStep(const QString& step);
    void Log(const QString& line);
    void RunFrom(int index);

    CMainFrame& m_frame;
    QStringList m_steps;
    QString m_logFile;
};

} // namespace tillora
