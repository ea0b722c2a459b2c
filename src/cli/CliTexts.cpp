#include "cli/CliTexts.h"

#include "link/Message.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <algorithm>
#include <array>
#include <memory>
#include <regex>
#include <utility>

namespace tillora::cli {
namespace {

// The headings CLI11 looks up by label, and the type names it shows beside an option.
constexpr std::array<std::pair<const char*, const char*>, 9> Labels = {{
    {"Usage", "Употреба"},
    {"OPTIONS", "ОПЦИИ"},
    {"SUBCOMMAND", "КОМАНДА"},
    {"SUBCOMMANDS", "КОМАНДИ"},
    {"Positionals", "Аргументи"},
    {"REQUIRED", "задължително"},
    {"Needs", "Изисква"},
    {"Excludes", "Изключва"},
    {"Env", "Среда"},
}};
constexpr std::array<std::pair<const char*, const char*>, 5> TypeWords = {{
    {"UINT", "ЧИСЛО"},
    {"INT", "ЧИСЛО"},
    {"FLOAT", "ЧИСЛО"},
    {"TEXT", "ТЕКСТ"},
    {" in ", " в "},
}};

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
    }
    return text;
}

// Shows the type names in Bulgarian; CLI11 composes them with its checks' descriptions when it
// prints the help, so they are translated there rather than set once.
class CBulgarianFormatter : public CLI::Formatter {
public:
    std::string make_option_opts(const CLI::Option* option) const override {
        std::string opts = CLI::Formatter::make_option_opts(option);
        for (const auto& [english, bulgarian] : TypeWords) {
            opts = Replaced(opts, english, bulgarian);
        }
        return opts;
    }
};

std::vector<CLI::App*> CommandsOf(CLI::App& app) {
    return app.get_subcommands([](CLI::App*) { return true; });
}

void NameGroups(CLI::App& app, const std::string& options, const std::string& commands) {
    app.option_defaults()->group(options);
    for (CLI::Option* option : app.get_options()) {
        if (!option->get_positional()) {
            option->group(options);
        }
    }
    for (CLI::App* command : CommandsOf(app)) {
        command->group(commands);
        NameGroups(*command, options, commands);
    }
}

void SetFormatter(CLI::App& app, const std::shared_ptr<CLI::Formatter>& formatter) {
    app.formatter(formatter);
    app.set_help_flag("-h,--help", Text(ids::HelpHelp));
    app.failure_message([](const CLI::App* failing, const CLI::Error& error) {
        return UsageErrorText(error) + "\n" +
               FormatMessage(ids::CliUsageHelp, failing->get_name().c_str()) + "\n";
    });
    for (CLI::App* command : CommandsOf(app)) {
        SetFormatter(*command, formatter);
    }
}

// The option or argument names in CLI11's English message, in the order given.
std::vector<std::string> NamesIn(const std::string& message) {
    static const std::regex Name(R"((--?[A-Za-z][\w-]*|\b[A-Z]{2,}\b))");
    std::vector<std::string> names;
    for (auto it = std::sregex_iterator(message.begin(), message.end(), Name);
         it != std::sregex_iterator(); ++it) {
        names.push_back(it->str());
    }
    return names;
}

template <typename Kind> bool Is(const CLI::Error& error) {
    return dynamic_cast<const Kind*>(&error) != nullptr;
}

std::string AfterColon(const std::string& message) {
    const std::size_t colon = message.find(": ");
    return colon == std::string::npos ? message : message.substr(colon + 2);
}

} // namespace

std::string Text(unsigned id) {
    return std::string(LoadString(id));
}

void SpeakBulgarian(CLI::App& app) {
    auto formatter = std::make_shared<CBulgarianFormatter>();
    for (const auto& [key, label] : Labels) {
        formatter->label(key, label);
    }
    NameGroups(app, "Опции", "Команди");
    SetFormatter(app, formatter);
}

// By the error's class: CLI11 names some errors after the command they arose in.
std::string UsageErrorText(const CLI::Error& error) {
    const std::string message = error.what();
    const std::vector<std::string> names = NamesIn(message);
    const std::string first = names.empty() ? std::string() : names.front();
    const std::string second = names.size() < 2 ? std::string() : names[1];
    if (Is<CLI::RequiredError>(error)) {
        return first.empty() ? Text(ids::CliUsageNoCommand)
                             : FormatMessage(ids::CliUsageMissing, first.c_str());
    }
    if (Is<CLI::ExtrasError>(error)) {
        return FormatMessage(ids::CliUsageExtra, AfterColon(message).c_str());
    }
    // Our own checks (the table names) already say it in Bulgarian.
    const bool ours = std::any_of(message.begin(), message.end(),
                                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (Is<CLI::ValidationError>(error) && ours) {
        return message;
    }
    if (Is<CLI::ConversionError>(error) || Is<CLI::ValidationError>(error) ||
        Is<CLI::InvalidError>(error)) {
        return FormatMessage(ids::CliUsageBadValue, first.c_str());
    }
    if (Is<CLI::ArgumentMismatch>(error)) {
        return FormatMessage(ids::CliUsageNoValue, first.c_str());
    }
    if (Is<CLI::ExcludesError>(error)) {
        return FormatMessage(ids::CliUsageExcludes, first.c_str(), second.c_str());
    }
    if (Is<CLI::RequiresError>(error)) {
        return FormatMessage(ids::CliUsageNeeds, first.c_str(), second.c_str());
    }
    return FormatMessage(ids::CliUsageUnknown, message.c_str());
}

} // namespace tillora::cli
