#include "script_test_support.h"

#include <filesystem>

namespace setupkit::testing {

namespace {

struct ShippedFile {
    const char* name;
    std::int32_t size;
    CalendarDateTime date;
};

const ShippedFile kShippedFiles[] = {
    {"recentflz.ini", 64, {1999, 8, 24, 15, 57, 14}},
    {"Lumora.exe", 494592, {1999, 8, 24, 15, 40, 2}},
    {"Lumora.GID", 10840, {1999, 8, 20, 10, 12, 30}},
    {"Lumora.hlp", 52778, {1999, 8, 20, 10, 11, 58}},
    {"file_id.diz", 348, {1998, 3, 2, 9, 0, 0}},
    {"html_filter.txt", 1243, {1999, 1, 17, 22, 4, 16}},
    {"Lumora.ico", 766, {1996, 11, 5, 14, 30, 0}},
    {"order.txt", 2503, {1999, 6, 30, 18, 45, 50}},
    {"ReadMe.txt", 4723, {1999, 8, 23, 12, 0, 0}},
    {"Lumora.cnt", 674, {1999, 8, 20, 10, 11, 40}},
    {"description.txt", 1880, {1998, 12, 1, 8, 15, 22}},
    {"Relayer.exe", 16820, {1997, 4, 9, 16, 20, 8}},
    {"setup.exe", 438272, {1999, 7, 12, 11, 33, 44}},
};

struct ShippedChoice {
    const char* name;
    const char* title;
    const char* description;
    bool addsInstallDir;
};

const ShippedChoice kShippedChoices[] = {
    {"Common Files for InstallType", "", "Common Files", true},
    {"COMPLETE INSTALL", "COMPLETE INSTALL",
     "This will install the application with all of its options.", true},
    {"MINIMAL INSTALL", "MINIMAL INSTALL",
     "This will install the bare minimum of files for this application to work.", false},
    {"CUSTOM INSTALL", "CUSTOM INSTALL",
     "This will install the application with only those options that you choose.", false},
    {"Common Files for Options", "", "Common Files", false},
    {"Help Files", "Help Files", "Install Help Files", false},
    {"Sample Files", "Sample Files", "Install Sample Files", false},
};

} // namespace

std::unique_ptr<TSetupData> buildShippedScript() {
    auto script = std::make_unique<TSetupData>();
    script->SetAppName("Lumora");
    TSetupDisk* disk = script->GetDisk(1);
    disk->SetDescription("install");
    disk->SetSize(2800000);
    TSetupDir* install = script->FindDir("Install");
    install->SetDir("C:\\Lumora");
    for (const ShippedFile& shipped : kShippedFiles) {
        TSetupFile* file = script->AddFile(std::string(kShippedSource) + shipped.name);
        file->SetSize(shipped.size);
        file->SetCompressedSize(shipped.size);
        file->SetDateTime(encodeDateTime(shipped.date).value());
        disk->AddFile(file);
        install->AddFile(file);
    }
    for (const ShippedChoice& shipped : kShippedChoices) {
        TSetupChoiceItem* item = script->AddChoiceItem(shipped.name);
        item->SetTitle(shipped.title);
        item->SetDescription({shipped.description});
        if (shipped.addsInstallDir)
            item->Add()->AddFile(nullptr, install, true);
    }
    TSetupChoiceData* installType = script->AddChoiceData("suInstallType");
    installType->SetCommon(script->ChoiceItems()[3]);
    installType->AddItem(script->ChoiceItems()[1]);
    script->AddChoiceData("suOptions")->SetCommon(script->ChoiceItems()[4]);

    TSetupWinGroups* group = script->AddWinGroup("suGroups");
    group->SetTitle("Lumora");
    const struct {
        const char* name;
        const char* commandLine;
        std::size_t file;
    } items[] = {{"Lumora", "", 1},
                 {"Lumora.hlp", "", 3},
                 {"order.txt", "", 7},
                 {"ReadMe.txt", "", 8},
                 {"UNINSTALL", "UNINSTALL", 12}};
    for (const auto& shipped : items) {
        TSetupWinItem* item = script->AddWinItem(shipped.name);
        item->SetCommandLine(shipped.commandLine);
        item->SetDir(install);
        item->SetItemFile(script->Files()[shipped.file]);
        group->AddItem(item);
    }
    script->SetLogFileDir(install);
    return script;
}

std::string writtenBytes(const TSetupData& script) {
    ValueWriter writer;
    script.WriteData(writer);
    return writer.takeBytes();
}

void readBytes(TSetupData& script, const std::string& bytes) {
    ValueReader reader(bytes);
    script.ReadData(reader);
}

namespace {
void encodeInto(ValueWriter& writer, const Value& value) {
    if (const auto* integer = std::get_if<std::int32_t>(&value.value)) {
        writer.writeInteger(*integer);
    } else if (const auto* text = std::get_if<std::string>(&value.value)) {
        writer.writeString(*text);
    } else if (const auto* flag = std::get_if<bool>(&value.value)) {
        writer.writeBoolean(*flag);
    } else {
        writer.writeListBegin();
        for (const Value& inner : std::get<List>(value.value))
            encodeInto(writer, inner);
        writer.writeListEnd();
    }
}
} // namespace

std::string encode(const Value& value) {
    ValueWriter writer;
    encodeInto(writer, value);
    return writer.takeBytes();
}

std::string currentScript(List files, List disks, List dirs, List groups, List choiceItems,
                          List choiceData, List winItems, List winGroups, List log,
                          List unInstall) {
    return encode(List{5, "App", files, disks, dirs, groups, choiceItems, choiceData, winItems,
                       winGroups, List{}, List{}, List{}, log, unInstall});
}

std::string olderScript(int version) {
    List disks{"Disk one"};
    if (version >= 3)
        disks.emplace_back(1000);
    disks.emplace_back("Disk two");
    if (version >= 3)
        disks.emplace_back(0);

    List files;
    const auto addFile = [&](const char* name, const char* source, int date, int size, int disk,
                             bool compressed, int compressedSize) {
        for (Value value :
             {Value(name), Value(source), Value(date), Value(size), Value(disk), Value(true)})
            files.push_back(std::move(value));
        if (version >= 4) {
            files.emplace_back(compressed);
            files.emplace_back(compressedSize);
        }
    };
    addFile("ReadMe.txt", "C:\\SRC\\", 655916839, 400, 1, false, 0);
    addFile("Lumora.exe", "C:\\SRC\\", 655916839, 900, 1, true, 700);
    addFile("extra.dat", "C:\\SRC\\", 0, 50, 2, false, 0);
    addFile("ghost.txt", "", 0, 10, 7, false, 0);

    List dirs;
    const auto addDir = [&](const char* name, const char* dir, const char* parent, List names) {
        dirs.emplace_back(name);
        dirs.emplace_back(dir);
        if (version >= 2)
            dirs.emplace_back(parent);
        dirs.emplace_back(std::move(names));
    };
    addDir("Install", "C:\\APP\\", "", List{"readme.TXT", "Lumora.exe", "missing.txt"});
    addDir("Help", "HELP\\", "Install", List{"EXTRA.DAT"});
    addDir("Windows", "C:\\WINDOWS\\", "", List{});

    const List choiceData{"suInstallType",
                          List{"Common Files", List{"ReadMe.txt"}, List{}, "Full",
                               List{"lumora.exe", "extra.dat", "ghost.txt", "nothing.txt"}, List{},
                               "common files", List{}, List{"README.TXT"}}};
    const List winGroups{
        "suGroups", "Lumora",
        List{"Lumora", "", "Install", "lumora.EXE", "Read me", "/s", "Nowhere", "ReadMe.txt"}};
    return encode(List{version, "Older", disks, files, dirs, choiceData, winGroups});
}

std::string fixturePath(const std::string& name) {
    return (std::filesystem::path(SETUP_SCRIPT_FIXTURES) / name).string();
}

std::string bytesOf(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

} // namespace setupkit::testing
