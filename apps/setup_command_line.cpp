#include "setup_command_line.h"

#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <iterator>

namespace setupkit {

namespace {

struct OptionRow {
    const char* name;
    const char* valueName; // nullptr: a switch
    const char* description;
};

constexpr OptionRow kOptions[] = {
    {"help", nullptr, "Shows this text."},
    {"version", nullptr, "Shows the version of setup and of what it installs."},
    {"check", nullptr,
     "Checks the distribution (every file present with its recorded size and checksum, the "
     "libraries whole) and prints what would be installed where."},
    {"unattended", nullptr,
     "Installs (or, with UNINSTALL, uninstalls) without a display and without questions, "
     "answering each the way the wizard's defaults would."},
    {"target", "DIR", "With --unattended: installs into DIR instead of the default folder."},
    {"no-menu", nullptr, "With --unattended: makes no menu entries."},
    {"overwrite", "never|older|always",
     "With --unattended: whether a file already in place is replaced (default: older)."},
    {"log", "FILE",
     "With --unattended: appends the log to FILE as well as writing it to standard error."},
};

constexpr const char* kOverwriteValues[] = {"never", "older", "always"};

constexpr const char* kExitCodes = "Exit status:\n"
                                   "  0   the run did what it was asked\n"
                                   "  1   it failed (an error, a copy error, a distribution "
                                   "that is not sound)\n"
                                   "  2   the user cancelled\n"
                                   "  3   an unattended run met a question it had no answer "
                                   "for\n"
                                   "  64  the command line or the answer file cannot be used\n";

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        qs("Installs Lumora. Without options the wizard runs; UNINSTALL removes what an "
           "install made."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionRow& row : kOptions) {
        QCommandLineOption option(qs(row.name), qs(row.description));
        if (row.valueName)
            option.setValueName(qs(row.valueName));
        parser.addOption(option);
    }
    parser.addPositionalArgument(qs("UNINSTALL"), qs("Removes an installed Lumora."),
                                 qs("[UNINSTALL]"));
}

} // namespace

SetupCommandLine parseSetupCommandLine(const std::vector<std::string>& argv) {
    SetupCommandLine line;
    QCommandLineParser parser;
    describe(parser);
    QStringList arguments;
    for (const std::string& argument : argv)
        arguments << QString::fromLocal8Bit(argument.c_str());
    if (arguments.isEmpty())
        arguments << qs("setup");
    if (!parser.parse(arguments)) {
        line.error = parser.errorText().toStdString();
        return line;
    }
    auto value = [&](const char* name) -> std::optional<std::string> {
        if (!parser.isSet(qs(name)))
            return std::nullopt;
        return parser.value(qs(name)).toStdString();
    };
    if (parser.isSet(qs("help")))
        line.action = SetupCommandLine::Action::Help;
    else if (parser.isSet(qs("version")))
        line.action = SetupCommandLine::Action::Version;
    else if (parser.isSet(qs("check")))
        line.action = SetupCommandLine::Action::Check;
    line.unattended = parser.isSet(qs("unattended"));
    line.target = value("target");
    line.noMenu = parser.isSet(qs("no-menu"));
    line.overwrite = value("overwrite");
    line.logFile = value("log");
    for (const QString& argument : parser.positionalArguments())
        line.arguments.push_back(argument.toStdString());

    const bool unattendedOnly = line.target || line.noMenu || line.overwrite || line.logFile;
    if (unattendedOnly && !line.unattended)
        line.error = "--target, --no-menu, --overwrite and --log go with --unattended";
    else if (line.target && line.target->empty())
        line.error = "--target needs a folder";
    else if (line.overwrite && std::find(std::begin(kOverwriteValues), std::end(kOverwriteValues),
                                         *line.overwrite) == std::end(kOverwriteValues))
        line.error = "--overwrite takes never, older or always, not \"" + *line.overwrite + "\"";
    else if (line.arguments.size() > 1 ||
             (line.arguments.size() == 1 && line.arguments[0] != "UNINSTALL" &&
              line.arguments[0] != "uninstall"))
        line.error = "unexpected argument \"" + line.arguments.back() + "\"";
    else if (line.unattended && line.action == SetupCommandLine::Action::Check)
        line.error = "--check and --unattended do not go together";
    return line;
}

std::string setupHelpText() {
    QCommandLineParser parser;
    describe(parser);
    return parser.helpText().toStdString() + "\n" + kExitCodes;
}

std::string setupVersionText() {
    return "setup (Lumora installer) " + std::string(LUMORA_VERSION) + "\n";
}

} // namespace setupkit
