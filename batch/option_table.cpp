#include "option_table.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace lumora::batch {

namespace {

std::optional<int> parseNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || rest != end)
        return std::nullopt;
    return value;
}

bool onlyAudit(Command command) {
    return command == Command::Audit;
}

constexpr int kMaxLength = 100000;

// A length limit of the audit: "" when taken, else why not.
std::string setLength(size_t& limit, std::string_view name, const std::string& value) {
    const auto number = parseNumber(value);
    if (!number || *number < 0 || *number > kMaxLength)
        return std::string(name) + " must be a whole number from 0 to " +
               std::to_string(kMaxLength) + ", not '" + value + "'";
    limit = static_cast<size_t>(*number);
    return {};
}

void forwardLength(std::vector<std::string>& arguments, std::string_view name, size_t limit,
                   size_t byDefault) {
    if (limit != byDefault)
        arguments.push_back(std::string(name) + "=" + std::to_string(limit));
}

std::string setFailOn(Options& options, const std::string& value) {
    options.failOn.clear();
    std::string_view rest = value;
    while (true) {
        const size_t comma = rest.find(',');
        const std::string_view name = rest.substr(0, comma);
        const auto finding = audit::findingFromId(name);
        if (!finding) {
            std::string known;
            for (const auto& info : audit::allFindings())
                known += (known.empty() ? "" : ", ") + std::string(info.id);
            return "unknown finding '" + std::string(name) + "' (one of " + known + ")";
        }
        options.failOn.push_back(*finding);
        if (comma == std::string_view::npos)
            return {};
        rest = rest.substr(comma + 1);
    }
}

// The five boxes of "Automatic Set Up" share one paragraph, under the last of them.
constexpr OptionRow kOptions[] = {
    {.longName = "--no-title",
     .apply = [](Options& o, const std::string&) { return o.includeTitle = false, std::string(); },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             if (!o.includeTitle)
                 a.emplace_back("--no-title");
         }},
    {.longName = "--no-description",
     .apply = [](Options& o,
                 const std::string&) { return o.includeDescription = false, std::string(); },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             if (!o.includeDescription)
                 a.emplace_back("--no-description");
         }},
    {.longName = "--no-keywords",
     .apply = [](Options& o,
                 const std::string&) { return o.includeKeywords = false, std::string(); },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             if (!o.includeKeywords)
                 a.emplace_back("--no-keywords");
         }},
    {.longName = "--no-booster",
     .apply = [](Options& o,
                 const std::string&) { return o.keywordBooster = false, std::string(); },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             if (!o.keywordBooster)
                 a.emplace_back("--no-booster");
         }},
    {.longName = "--no-hidden",
     .help = "Clear the matching box of the window's \"Automatic Set Up\" group (\"Include\n"
             "Title\", \"Include Description\", \"Include Key Words\", \"Key Word Booster\",\n"
             "\"Add Hidden Words\"). All five are checked by default.",
     .apply = [](Options& o,
                 const std::string&) { return o.addHiddenWords = false, std::string(); },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             if (!o.addHiddenWords)
                 a.emplace_back("--no-hidden");
         }},
    {.longName = "--no-filter",
     .help = "Switch \"Filter Noise Words\" off.",
     .apply = [](Options& o, const std::string&) { return o.useFilter = false, std::string(); },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             if (!o.useFilter)
                 a.emplace_back("--no-filter");
         }},
    {.longName = "--filter",
     .valueName = "FILE",
     .help = "Use FILE as the noise-word list instead of the html_filter.txt that lies\n"
             "beside lumora-batch.",
     .apply =
         [](Options& o, const std::string& value) {
             if (value.empty())
                 return std::string("--filter needs a file name");
             o.filterFile = value;
             return std::string();
         },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             if (o.filterFile)
                 a.push_back("--filter=" + *o.filterFile);
         }},
    {.longName = "--visible-text",
     .help = "Check \"Read Visible Text\": keywords, title and description come from the\n"
             "text a visitor sees, the forms of a word counted as one.",
     .apply = [](Options& o, const std::string&) { return o.visibleText = true, std::string(); },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             if (o.visibleText)
                 a.emplace_back("--visible-text");
         }},
    {.longName = "--lang",
     .valueName = "L",
     .help = "The language of that reading (en, de, fr, es, it, nl, pt, ...) for its\n"
             "noise words and word forms, instead of the page's own lang, or English.",
     .apply =
         [](Options& o, const std::string& value) {
             const bool letters = value.size() >= 2 && value.size() <= 8 &&
                                  std::all_of(value.begin(), value.end(), [](char c) {
                                      return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
                                  });
             if (!letters)
                 return "--lang must be a language code of 2 to 8 letters, not '" + value + "'";
             o.language = value;
             return std::string();
         },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             if (o.language)
                 a.push_back("--lang=" + *o.language);
         }},
    {.longName = "--sensitivity",
     .valueName = "N",
     .help = "Start the scan at sensitivity N (0 to 25) instead of the length preset.",
     .apply =
         [](Options& o, const std::string& value) {
             const auto number = parseNumber(value);
             if (!number || *number < 0 || *number > 25)
                 return "--sensitivity must be a whole number from 0 to 25, not '" + value + "'";
             o.sensitivity = *number;
             return std::string();
         },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             if (o.sensitivity)
                 a.push_back("--sensitivity=" + std::to_string(*o.sensitivity));
         }},
    {.shortName = "-o",
     .longName = "--output",
     .valueName = "DIR",
     .help = "Write results below DIR instead of over the pages, mirroring each page's\n"
             "path relative to the current directory (a page outside it keeps its whole\n"
             "path below DIR). Directories are created as needed. Only pages that were\n"
             "worked on successfully are written. For auto and compress.",
     .apply =
         [](Options& o, const std::string& value) {
             if (value.empty())
                 return std::string("-o needs a directory");
             o.outputDirectory = value;
             return std::string();
         },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             if (o.outputDirectory)
                 a.push_back("--output=" + *o.outputDirectory);
         },
     .appliesTo = commandWrites,
     .whyNot = ": it writes nothing"},
    {.longName = "--dry-run",
     .help = "Do everything but write.",
     .apply = [](Options& o, const std::string&) { return o.dryRun = true, std::string(); },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             if (o.dryRun)
                 a.emplace_back("--dry-run");
         }},
    {.longName = "--json",
     .help = "Print one JSON object per page and line: path, status (\"ok\",\n"
             "\"unchanged\", \"failed\" or \"error\"), reason, messages (every text the window\n"
             "showed, in order), keywords and sensitivity (keywords, auto), title and\n"
             "description (auto), changed and output (auto, compress). For audit, see\n"
             "AUDIT.",
     .apply = [](Options& o, const std::string&) { return o.json = true, std::string(); },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             if (o.json)
                 a.emplace_back("--json");
         }},
    {.longName = "--fail-on",
     .valueName = "FINDING,...",
     .help = "Exit with status 1 when any of the named findings occurs, so that the\n"
             "audit can guard a site. The findings are listed under AUDIT. For audit.",
     .apply = setFailOn,
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             std::string names;
             for (const auto finding : o.failOn)
                 names += (names.empty() ? "" : ",") + std::string(audit::findingId(finding));
             if (!names.empty())
                 a.push_back("--fail-on=" + names);
         },
     .appliesTo = onlyAudit,
     .whyNot = ": only audit has findings"},
    {.longName = "--html",
     .valueName = "REPORT",
     .help = "Also write the audit as one HTML file: the summary, a table per finding\n"
             "linking each page by its path from the report's folder, and charts of the\n"
             "title and description lengths. It needs no network and no script.\n"
             "For audit.",
     .apply =
         [](Options& o, const std::string& value) {
             if (value.empty())
                 return std::string("--html needs the report's file name");
             o.htmlReport = value;
             return std::string();
         },
     .appliesTo = onlyAudit,
     .whyNot = ": only audit makes a report"},
    {.longName = "--title-min",
     .valueName = "N",
     .apply =
         [](Options& o, const std::string& value) {
             return setLength(o.limits.titleMin, "--title-min", value);
         },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             forwardLength(a, "--title-min", o.limits.titleMin, audit::LengthLimits{}.titleMin);
         },
     .appliesTo = onlyAudit,
     .whyNot = ": only audit measures titles"},
    {.longName = "--title-max",
     .valueName = "N",
     .help = "The shortest and the longest title, in characters, that the audit takes\n"
             "without a finding. Default: 10 and 60. For audit.",
     .apply =
         [](Options& o, const std::string& value) {
             return setLength(o.limits.titleMax, "--title-max", value);
         },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             forwardLength(a, "--title-max", o.limits.titleMax, audit::LengthLimits{}.titleMax);
         },
     .appliesTo = onlyAudit,
     .whyNot = ": only audit measures titles"},
    {.longName = "--description-min",
     .valueName = "N",
     .apply =
         [](Options& o, const std::string& value) {
             return setLength(o.limits.descriptionMin, "--description-min", value);
         },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             forwardLength(a, "--description-min", o.limits.descriptionMin,
                           audit::LengthLimits{}.descriptionMin);
         },
     .appliesTo = onlyAudit,
     .whyNot = ": only audit measures descriptions"},
    {.longName = "--description-max",
     .valueName = "N",
     .help = "The same for descriptions. Default: 50 and 160. For audit.",
     .apply =
         [](Options& o, const std::string& value) {
             return setLength(o.limits.descriptionMax, "--description-max", value);
         },
     .forward =
         [](const Options& o, std::vector<std::string>& a) {
             forwardLength(a, "--description-max", o.limits.descriptionMax,
                           audit::LengthLimits{}.descriptionMax);
         },
     .appliesTo = onlyAudit,
     .whyNot = ": only audit measures descriptions"},
    {.shortName = "-j",
     .longName = "--jobs",
     .valueName = "N",
     .help = "Work on N pages at a time, each in a worker process of its own. Default:\n"
             "the number of processor cores. Results are printed in the order of the\n"
             "pages all the same. The audit works on its pages in N threads instead.",
     .apply =
         [](Options& o, const std::string& value) {
             const auto number = parseNumber(value);
             if (!number || *number < 1 || *number > kMaxJobs)
                 return "-j must be a whole number from 1 to " + std::to_string(kMaxJobs) +
                        ", not '" + value + "'";
             o.jobs = *number;
             return std::string();
         }},
    {.shortName = "-h", .longName = "--help", .help = "Show this text.", .showsHelp = true},
    {.longName = kWorkerFlag,
     .apply = [](Options& o, const std::string&) { return o.worker = true, std::string(); },
     .hidden = true},
};

std::string named(const OptionRow& row, std::string_view name) {
    return row.valueName.empty() ? std::string(name)
                                 : std::string(name) + " " + std::string(row.valueName);
}

} // namespace

std::span<const OptionRow> optionTable() {
    return kOptions;
}

const OptionRow* findOption(std::string_view name) {
    for (const auto& row : kOptions)
        if (name == row.longName || (!row.shortName.empty() && name == row.shortName))
            return &row;
    return nullptr;
}

std::string optionHeading(const OptionRow& row) {
    return row.shortName.empty() ? named(row, row.longName)
                                 : named(row, row.shortName) + ", " + named(row, row.longName);
}

std::string optionsHelp() {
    std::string out;
    std::string heading;
    for (const auto& row : kOptions) {
        if (row.hidden)
            continue;
        heading += (heading.empty() ? "" : ", ") + optionHeading(row);
        if (row.help.empty())
            continue;
        out += (out.empty() ? "    " : "\n    ") + heading + "\n";
        heading.clear();
        std::string_view paragraph = row.help;
        while (!paragraph.empty()) {
            const size_t end = paragraph.find('\n');
            out += "        " + std::string(paragraph.substr(0, end)) + "\n";
            paragraph =
                end == std::string_view::npos ? std::string_view() : paragraph.substr(end + 1);
        }
    }
    return out;
}

} // namespace lumora::batch
