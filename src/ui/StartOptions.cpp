#include "ui/StartOptions.h"

#include "grid/QtText.h"
#include "link/TracingLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace tillora {
namespace {

constexpr int ExitUsage = 2;

void Print(std::FILE* out, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), out);
    std::fflush(out);
}

} // namespace

std::optional<StartOptions> ParseStartOptions(const QStringList& arguments, int& exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tillora: the cash register's tables, reports and logo"));
    const QCommandLineOption help = parser.addHelpOption();
    // Not Qt's own: on Windows that shows a message box for a program without a console.
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("show the program's version"));
    parser.addOption(version);
    const QCommandLineOption ini(QStringLiteral("ini"),
                                 QStringLiteral("INI file with the connection settings"),
                                 QStringLiteral("FILE"));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("talk to the built-in simulated register"));
    const QCommandLineOption trace(QStringLiteral("trace"),
                                   QStringLiteral("write every byte on the line to this file"),
                                   QStringLiteral("FILE"));
    parser.addOptions({ini, demo, trace});
    // For the tests that work the window by a script; not for users, so not in the help.
    QCommandLineOption testSteps(QStringLiteral("test-steps"), QString(), QStringLiteral("FILE"));
    QCommandLineOption testLog(QStringLiteral("test-log"), QString(), QStringLiteral("FILE"));
    for (QCommandLineOption* hidden : {&testSteps, &testLog}) {
        hidden->setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(*hidden);
    }
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("a table file to read into the articles"),
                                 QStringLiteral("[FILE]"));

    exitCode = 0;
    if (!parser.parse(arguments)) {
        Print(stderr, parser.errorText() + QStringLiteral("\n\n") + parser.helpText());
        exitCode = ExitUsage;
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        Print(stdout, parser.helpText());
        return std::nullopt;
    }
    if (parser.isSet(version)) {
        Print(stdout, QStringLiteral("tillora %1\n").arg(QCoreApplication::applicationVersion()));
        return std::nullopt;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        Print(stderr, QStringLiteral("one table file at most\n\n") + parser.helpText());
        exitCode = ExitUsage;
        return std::nullopt;
    }
    StartOptions options;
    options.connection.iniFile = ToPath(parser.value(ini));
    options.connection.demo = parser.isSet(demo);
    options.connection.traceFile = ToPath(parser.value(trace));
    options.testSteps = parser.value(testSteps);
    options.testLog = parser.value(testLog);
    if (!files.isEmpty()) {
        options.file = ToPath(files.front());
    }
    if (!CanTraceTo(options.connection.traceFile)) {
        Print(stderr, QStringLiteral("--trace: cannot write %1\n").arg(parser.value(trace)));
        exitCode = ExitUsage;
        return std::nullopt;
    }
    return options;
}

} // namespace tillora
