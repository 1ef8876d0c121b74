// setupres: the build-time tool for an installer's form resource. It compiles the
// readable form text into the component stream (bringing the install script's file
// sizes and dates up to date on the way), turns a stream back into text, from a file
// or from the resource built into a program, and writes the source that builds a
// compiled form into a program.

#include "platform/atomic_file.h"
#include "platform/file_checksum.h"
#include "setup/engine/decompression_library.h"
#include "setup/form/form_error.h"
#include "setup/form/form_resource.h"
#include "setup/form/form_stream_reader.h"
#include "setup/form/form_stream_writer.h"
#include "setup/form/form_text_parser.h"
#include "setup/form/form_text_writer.h"
#include "setup/form/setup_data_property.h"
#include "setup/script/setup_data.h"
#include "setup/script/value_reader.h"
#include "tools/setupres/script_file_facts.h"
#include "tools/setupres/script_packing.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace form = setupkit::form;
using lumora::platform::readWholeFile;
using lumora::platform::writeFileAtomically;

constexpr int kUsageError = 2;

const char* const kUsage =
    "usage: setupres compile FORM.txt OUT.res [--files DIR]\n"
    "       setupres decompile IN [OUT.txt] [--name RESOURCE]\n"
    "       setupres embed IN.res OUT.cpp [--name RESOURCE] [--reserve BYTES]\n"
    "       setupres patch PROGRAM IN.res [--name RESOURCE]\n"
    "       setupres sums DIR\n"
    "\n"
    "compile    the form text into a form stream; with --files, every file record of\n"
    "           the install script takes its size and date from the file of that name\n"
    "           in DIR; with --pack, those files are also laid out in OUTDIR as they\n"
    "           ship, the ones marked Compressed compressed\n"
    "decompile  a form stream, or a program holding one as a resource (TSETUPFORM\n"
    "           unless --name says otherwise), into the form text (standard output\n"
    "           when no OUT.txt is given)\n"
    "embed      a form stream into C++ source that builds it into a program as a\n"
    "           resource; --reserve leaves room for a larger form to be patched in\n"
    "patch      replaces the resource inside a program built with --reserve by a new\n"
    "           form stream, in place: the program keeps its size and its date\n"
    "sums       writes DIR/SETUP.SUM: the size and CRC-32 of every file in DIR, which\n"
    "           setup checks before it installs a file or loads a library\n";

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Arguments {
    std::vector<std::string> positional;
    std::optional<std::string> files;
    std::string name = std::string(form::kSetupFormResource);
    std::size_t reserve = 0;
    std::optional<std::string> pack;
};

Arguments parseArguments(int argc, char** argv, bool acceptsFiles) {
    Arguments arguments;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool isFiles = argument == "--files";
        if (argument == "--reserve") {
            if (i + 1 >= argc)
                throw UsageError("--reserve needs a value");
            const std::string value = argv[++i];
            if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos ||
                value.size() > 9)
                throw UsageError("--reserve needs a number of bytes: " + value);
            arguments.reserve = std::stoul(value);
        } else if (argument == "--pack") {
            if (!acceptsFiles)
                throw UsageError("--pack belongs to compile");
            if (i + 1 >= argc)
                throw UsageError("--pack needs a value");
            arguments.pack = argv[++i];
        } else if (isFiles || argument == "--name") {
            if (isFiles && !acceptsFiles)
                throw UsageError("--files belongs to compile");
            if (i + 1 >= argc)
                throw UsageError(argument + " needs a value");
            (isFiles ? arguments.files.emplace() : arguments.name) = argv[++i];
        } else if (argument.starts_with("--")) {
            throw UsageError("unknown option " + argument);
        } else {
            arguments.positional.push_back(argument);
        }
    }
    return arguments;
}

int compile(const Arguments& arguments) {
    if (arguments.positional.size() != 2)
        throw UsageError("compile takes FORM.txt and OUT.res");
    const fs::path textPath = arguments.positional[0];
    form::FormComponent root;
    try {
        root = form::parseFormText(readWholeFile(textPath));
    } catch (const form::EFormError& error) {
        throw form::EFormError(textPath.string() + ": " + error.what());
    }
    if (arguments.pack && !arguments.files)
        throw UsageError("--pack needs --files");
    if (arguments.files) {
        const fs::path directory = *arguments.files;
        if (!fs::is_directory(directory))
            throw form::EFormError("--files: not a directory: " + directory.string());
        form::FormProperty* setupData = form::findSetupDataProperty(root);
        if (!setupData)
            throw form::EFormError(textPath.string() +
                                   ": no SetupData property whose files could be filled in");
        form::ScriptFileLookup lookUp = setupres::directoryLookup(directory);
        if (arguments.pack) {
            // The files go out as they will ship; a compressed one keeps the facts of
            // the file it expands to, plus its shipped size.
            setupkit::TSetupData script;
            const std::string stored = form::encodeFormValue(setupData->value);
            setupkit::ValueReader reader(stored);
            script.ReadData(reader);
            const auto shipped =
                setupres::packScriptFiles(script, directory, *arguments.pack,
                                          setupkit::DecompressionLibrary::besideProgram());
            lookUp = [inner = std::move(lookUp), shipped](std::string_view name) {
                auto facts = inner(name);
                if (const auto found = shipped.find(std::string(name));
                    facts && found != shipped.end())
                    facts->compressedSize = found->second;
                return facts;
            };
        }
        for (const std::string& name : form::updateScriptFiles(*setupData, lookUp))
            std::cerr << "setupres: warning: " << name << " is not in " << directory.string()
                      << "; its size and date stay as written\n";
    }
    writeFileAtomically(arguments.positional[1], form::writeFormStream(root));
    return 0;
}

// The stream itself, or the named resource found inside a program file.
std::string formStreamFrom(const fs::path& path, const std::string& name) {
    const std::string bytes = readWholeFile(path);
    if (bytes.starts_with(form::kFormSignature))
        return bytes;
    auto embedded = form::findPackedResource(bytes, name);
    if (!embedded)
        throw form::EFormError(
            path.string() + ": neither a form stream nor a program holding the resource " + name);
    return std::move(*embedded);
}

int decompile(const Arguments& arguments) {
    if (arguments.positional.empty() || arguments.positional.size() > 2)
        throw UsageError("decompile takes IN and an optional OUT.txt");
    const fs::path inputPath = arguments.positional[0];
    std::string text;
    try {
        text = form::formToText(form::readFormStream(formStreamFrom(inputPath, arguments.name)));
    } catch (const form::EFormError& error) {
        throw form::EFormError(inputPath.string() + ": " + error.what());
    }
    if (arguments.positional.size() == 2)
        writeFileAtomically(arguments.positional[1], text);
    else
        std::cout << text;
    return 0;
}

int embed(const Arguments& arguments) {
    if (arguments.positional.size() != 2)
        throw UsageError("embed takes IN.res and OUT.cpp");
    const std::string stream = readWholeFile(arguments.positional[0]);
    // A stream that would not load at run time fails the build instead.
    try {
        form::readFormStream(stream);
    } catch (const form::EFormError& error) {
        throw form::EFormError(arguments.positional[0] + ": " + error.what());
    }
    writeFileAtomically(arguments.positional[1],
                        form::embeddedResourceSource(arguments.name, stream, arguments.reserve));
    return 0;
}

// The distribution's program gets the form whose file records name the program itself:
// its size must not change, nor its date, or the record would lie.
int patch(const Arguments& arguments) {
    if (arguments.positional.size() != 2)
        throw UsageError("patch takes PROGRAM and IN.res");
    const fs::path program = arguments.positional[0];
    const std::string stream = readWholeFile(arguments.positional[1]);
    try {
        form::readFormStream(stream);
    } catch (const form::EFormError& error) {
        throw form::EFormError(arguments.positional[1] + ": " + error.what());
    }
    const auto modified = fs::last_write_time(program);
    std::string image;
    try {
        image = form::replaceResourceInPlace(readWholeFile(program), arguments.name, stream);
    } catch (const form::EFormError& error) {
        throw form::EFormError(program.string() + ": " + error.what());
    }
    writeFileAtomically(program, image);
    fs::last_write_time(program, modified);
    return 0;
}

// Written last, once every file in the folder is as it ships.
int sums(const Arguments& arguments) {
    if (arguments.positional.size() != 1)
        throw UsageError("sums takes DIR");
    const fs::path directory = arguments.positional[0];
    lumora::platform::ChecksumList list;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name != lumora::platform::ChecksumListName)
            list[name] = lumora::platform::fileFacts(entry.path());
    }
    writeFileAtomically(directory / lumora::platform::ChecksumListName,
                        lumora::platform::formatChecksumList(list));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::string command = argc > 1 ? argv[1] : "";
        if (command == "compile")
            return compile(parseArguments(argc, argv, true));
        if (command == "decompile")
            return decompile(parseArguments(argc, argv, false));
        if (command == "embed")
            return embed(parseArguments(argc, argv, false));
        if (command == "patch")
            return patch(parseArguments(argc, argv, false));
        if (command == "sums")
            return sums(parseArguments(argc, argv, false));
        if (command == "--help" || command == "-h") {
            std::cout << kUsage;
            return 0;
        }
        throw UsageError(command.empty() ? "no command given" : "unknown command " + command);
    } catch (const UsageError& error) {
        std::cerr << "setupres: " << error.what() << "\n" << kUsage;
        return kUsageError;
    } catch (const std::exception& error) {
        std::cerr << "setupres: " << error.what() << "\n";
        return 1;
    }
}
