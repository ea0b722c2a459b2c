#include "ui/HelpCommands.h"
#include "ui/Commands.h"
#include "ui/HelpFile.h"
#include "ui/MainFrame.h"
#include "ui/StatusPanes.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace tillora;

namespace {

constexpr const char* Guide = "share/doc/tillora/index.html";

// A program's folder as an installed copy has it: the program in bin/, the guide in share/.
class Installation {
public:
    explicit Installation(const QStringList& files) {
        for (const QString& file : files) {
            const QString path = m_root.filePath(file);
            QDir().mkpath(QFileInfo(path).path());
            QFile out(path);
            out.open(QIODevice::WriteOnly);
        }
    }
    QString Path(const QString& file) const { return m_root.filePath(file); }

private:
    QTemporaryDir m_root;
};

} // namespace

class HelpCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void theHelpIsFoundInAnyLetterCaseAndTheGuideAfterIt_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("expected");
        const QStringList none;
        QTest::newRow("upper case")
            << "bin/tillora" << QStringList{"bin/TILLORA.CHM"} << QStringList{"bin/TILLORA.CHM"};
        QTest::newRow("mixed case")
            << "bin/tillora" << QStringList{"bin/Tillora.Chm"} << QStringList{"bin/Tillora.Chm"};
        QTest::newRow("a Windows program's name")
            << "bin/tillora.exe" << QStringList{"bin/tillora.chm"}
            << QStringList{"bin/tillora.chm"};
        QTest::newRow("the guide where there is no help file")
            << "bin/tillora" << QStringList{Guide} << QStringList{Guide};
        QTest::newRow("the help file first, then the guide")
            << "bin/tillora" << QStringList{Guide, "bin/TILLORA.CHM"}
            << QStringList{"bin/TILLORA.CHM", Guide};
        QTest::newRow("another program's help file")
            << "bin/tillora" << QStringList{"bin/tillora-cli.chm", "bin/tillora.chm.txt"} << none;
        QTest::newRow("a help file elsewhere")
            << "bin/tillora" << QStringList{"TILLORA.CHM"} << none;
    }
    void theHelpIsFoundInAnyLetterCaseAndTheGuideAfterIt() {
        QFETCH(QString, program);
        QFETCH(QStringList, files);
        QFETCH(QStringList, expected);
        const Installation installed(files);
        QStringList paths;
        for (const QString& file : expected) {
            paths.append(installed.Path(file));
        }
        QCOMPARE(HelpLocations(installed.Path(program)), paths);
    }

    void f1OpensTheFirstHelpTheDesktopCanShow() {
        const Installation installed({"bin/TILLORA.CHM", Guide});
        QMainWindow window;
        CCommands commands(&window);
        CStatusPanes panes(window.statusBar());
        CHelpCommands help(commands, window, panes, installed.Path("bin/tillora"));
        QStringList asked;
        help.SetOpener([&](const QUrl& url) {
            asked.append(url.toLocalFile());
            return url.toLocalFile().endsWith(QStringLiteral(".html"));
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString idle = panes.Message();

        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(asked, (QStringList{installed.Path("bin/TILLORA.CHM"), installed.Path(Guide)}));
        QCOMPARE(panes.Message(), idle);
    }

    void withNoHelpToShowTheStatusBarSaysSo() {
        const Installation installed({"bin/TILLORA.CHM"});
        QMainWindow window;
        CCommands commands(&window);
        CStatusPanes panes(window.statusBar());
        CHelpCommands help(commands, window, panes, installed.Path("bin/tillora"));
        int asked = 0;
        help.SetOpener([&](const QUrl&) { return ++asked, false; });

        commands.Action(cmd::HelpContents)->trigger();
        QCOMPARE(asked, 1);
        QCOMPARE(panes.Message(),
                 QStringLiteral("Няма помощна информация, която да бъде показана"));
    }

    void theWindowHasTheHelpCommands() {
        CMainFrame frame;
        QVERIFY(frame.findChild<CHelpCommands*>() != nullptr);
    }
};

QTEST_MAIN(HelpCommandsTest)
#include "HelpCommandsTest.moc"
