#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QUrl;
class QWidget;

namespace tillora {

class CCommands;
class CStatusPanes;

// The Help menu: the help (F1), opened with the desktop's viewer for it, and the About box.
class CHelpCommands : public QObject {
    Q_OBJECT
public:
    // Hands a file to the desktop; false when the desktop has nothing to show it with.
    using Opener = std::function<bool(const QUrl&)>;

    // The help is looked for beside programPath.
    CHelpCommands(CCommands& commands, QWidget& window, CStatusPanes& panes, QString programPath);

    void SetOpener(Opener opener);

    // Opens the first help that the desktop can show; where none can be shown, says so in the
    // status bar rather than in a box in the way.
    void OnHelp();
    void OnAbout();

private:
    QWidget& m_window;
    CStatusPanes& m_panes;
    QString m_programPath;
    Opener m_opener;
};

} // namespace tillora
