#pragma once
// lumora-batch's options, one row each: how they are spelled, what they do to the
// settings, how a worker is given them and what --help says about them. The parser,
// the worker's command line, --help and the manual page are all read from this table,
// so an option is added in one place.

#include "batch/batch_options.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::batch {

struct OptionRow {
    std::string_view shortName = {}; // "-o"; empty when there is none
    std::string_view longName = {};  // "--output"
    std::string_view valueName = {}; // "DIR" for an option that takes a value; empty for a switch
    // What --help says, its lines broken as shown (indented by the help). Empty: the
    // row is named in the heading of the next row that has a paragraph.
    std::string_view help = {};
    // Sets the option; returns why the value is refused, or nothing.
    std::string (*apply)(Options& options, const std::string& value) = nullptr;
    // Adds the option to a worker's command line when it is set; nullptr: never passed on.
    void (*forward)(const Options& options, std::vector<std::string>& arguments) = nullptr;
    // The commands the option applies to; nullptr: every command.
    bool (*appliesTo)(Command command) = nullptr;
    std::string_view whyNot = {}; // added to "does not apply to 'COMMAND'"
    bool showsHelp = false;       // ends the reading: the run shows the help
    bool hidden = false;          // left out of the help
};

std::span<const OptionRow> optionTable();

// The row spelled `name` ("-o", "--output"), or nullptr.
const OptionRow* findOption(std::string_view name);

// How the help names a row: "-o DIR, --output DIR".
std::string optionHeading(const OptionRow& row);

// The OPTIONS section's entries, each heading indented four columns and its paragraph
// eight, a blank line between entries.
std::string optionsHelp();

} // namespace lumora::batch
