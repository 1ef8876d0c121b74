#include "setup/pages/shipped_setup_form.h"

#include "setup/script/setup_script.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace setupkit {

using form::FormComponent;
using form::FormProperty;
using form::FormValue;

namespace {

FormProperty text(std::string name, std::string value) {
    FormValue v;
    v.kind = FormValue::Kind::String;
    v.text = std::move(value);
    return {std::move(name), std::move(v)};
}

FormProperty ident(std::string name, std::string value) {
    FormValue v;
    v.kind = FormValue::Kind::Identifier;
    v.text = std::move(value);
    return {std::move(name), std::move(v)};
}

FormProperty flag(std::string name, bool value) {
    FormValue v;
    v.kind = value ? FormValue::Kind::True : FormValue::Kind::False;
    return {std::move(name), std::move(v)};
}

FormProperty number(std::string name, long long value) {
    FormValue v;
    v.kind = FormValue::Kind::Integer;
    v.integer = value;
    return {std::move(name), std::move(v)};
}

FormProperty members(std::string name, std::initializer_list<const char*> names) {
    FormValue v;
    v.kind = FormValue::Kind::Set;
    for (const char* member : names)
        v.names.emplace_back(member);
    return {std::move(name), std::move(v)};
}

FormProperty lines(std::string name, std::initializer_list<const char*> values) {
    FormValue v;
    v.kind = FormValue::Kind::List;
    for (const char* line : values) {
        FormValue item;
        item.kind = FormValue::Kind::String;
        item.text = line;
        v.items.push_back(std::move(item));
    }
    return {std::move(name), std::move(v)};
}

FormComponent component(std::string className, std::string name,
                        std::vector<FormProperty> properties) {
    return {std::move(className), std::move(name), std::move(properties), {}};
}

struct ShippedFile {
    const char* name;
    std::int32_t size;
    CalendarDateTime date;
};

const ShippedFile ShippedFiles[] = {
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

const ShippedChoice ShippedChoices[] = {
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

// The install script: 13 files on one disk, the directories Install, Windows and
// Windows System, the install types and options, the program group and the log.
std::string shippedScript() {
    TSetupData script;
    script.SetAppName("Lumora");
    TSetupDisk* disk = script.GetDisk(1);
    disk->SetDescription("install");
    disk->SetSize(2800000);
    TSetupDir* install = script.FindDir("Install");
    install->SetDir("C:\\Lumora\\");
    for (const ShippedFile& shipped : ShippedFiles) {
        TSetupFile* file = script.AddFile(shipped.name);
        file->SetSize(shipped.size);
        file->SetCompressedSize(shipped.size);
        file->SetDateTime(encodeDateTime(shipped.date).value_or(0.0));
        disk->AddFile(file);
        install->AddFile(file);
    }
    for (const ShippedChoice& shipped : ShippedChoices) {
        TSetupChoiceItem* item = script.AddChoiceItem(shipped.name);
        item->SetTitle(shipped.title);
        item->SetDescription({shipped.description});
        if (shipped.addsInstallDir)
            item->Add()->AddFile(nullptr, install, true);
    }
    TSetupChoiceData* installType = script.AddChoiceData("suInstallType");
    installType->SetCommon(script.ChoiceItems()[0]);
    for (int i : {1, 2, 3})
        installType->AddItem(script.ChoiceItems()[static_cast<size_t>(i)]);
    TSetupChoiceData* options = script.AddChoiceData("suOptions");
    options->SetCommon(script.ChoiceItems()[4]);
    for (int i : {5, 6})
        options->AddItem(script.ChoiceItems()[static_cast<size_t>(i)]);

    TSetupWinGroups* group = script.AddWinGroup("suGroups");
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
        TSetupWinItem* item = script.AddWinItem(shipped.name);
        item->SetCommandLine(shipped.commandLine);
        item->SetDir(install);
        item->SetItemFile(script.Files()[shipped.file]);
        group->AddItem(item);
    }
    script.SetLogFileDir(install);
    script.SetLogFileName("INSTALL.LOG");
    ValueWriter writer;
    script.WriteData(writer);
    return writer.takeBytes();
}

} // namespace

FormComponent shippedSetupForm() {
    FormComponent form = component("TSetupForm", "SetupForm",
                                   {ident("BorderIcons", ""), ident("Position", "poScreenCenter"),
                                    ident("WindowState", "wsMaximized"),
                                    text("Caption", "SetupForm"), ident("OnCreate", "FormCreate")});
    form.properties[0] = members("BorderIcons", {});

    form.children.push_back(component(
        "TSetupBackground", "SetupBackground1",
        {ident("Align", "alClient"), ident("AppFont.Color", "clYellow"),
         number("AppFont.Height", -27), text("AppFont.Name", "Arial"),
         members("AppFont.Style", {"fsBold"}), ident("AutoSetup", "suWelcome"),
         ident("AutoUnInstall", "suUnInstall"), flag("DisplayMessage", true),
         ident("EndColor", "clBlack"), number("Gradations", 100), flag("MaximizeWindow", true),
         flag("ShowAppName", true), ident("StartColor", "clBlue")}));

    FormProperty setupData;
    setupData.name = "SetupData";
    setupData.value.kind = FormValue::Kind::List;
    setupData.value.encoded = shippedScript();
    form.children.push_back(
        component("TSetupInfo", "suInfo",
                  {text("Language", "English"),
                   lines("MultiDiskFiles", {"SETUP.INI", "SETUP.LST", "SETUPKIT.DLL", "DISK.ID",
                                            "LANGUAGE.DLL", "SETUP.BMP"}),
                   flag("MultiException", true), flag("Test", false), setupData}));

    form.children.push_back(component(
        "TSetupMessage", "suWelcome",
        {text("Caption", "Welcome"), text("Font.Name", "Arial"), number("Font.Height", -13),
         lines("Lines.Strings",
               {"Welcome to the Lumora Setup program.", "",
                "This program will install Lumora on your computer.", "",
                "Lumora helps you look after your web pages: it finds the keywords of a page,",
                "proposes a title and a description, and writes the meta tags for you.", "",
                "It is strongly recommended that you exit all Windows programs",
                "before running this Setup program.", "",
                "Click Cancel to quit Setup and then close any programs you have running.",
                "Click Next to continue with the Setup program.", "",
                "WARNING: This program is protected by copyright law.", "",
                "Unauthorized reproduction or distribution of this program, or any",
                "portion of it, may result in severe civil and criminal penalties.", ""}),
         members("Buttons", {"btNext", "btCancel"}), ident("NextPage", "suDir")}));

    form.children.push_back(component(
        "TSetupDirChoice", "suDir",
        {text("InstallDir", "Install"), text("TargetDir", "C:\\Lumora\\"),
         flag("AllowDirChange", true), flag("DoInvisible", false), number("PreserveTrailing", 0),
         lines("Text.Strings", {"Select a directory for Lumora."}),
         members("Buttons", {"btNext", "btCancel"}), ident("NextPage", "suPreFileCopy")}));

    form.children.push_back(component(
        "TSetupMessage", "suPreFileCopy",
        {text("Caption", "About To Begin File Copy"),
         lines("Lines.Strings", {"Setup now has everything it needs to install Lumora.", "",
                                 "Press PREVIOUS to change the directory, CANCEL to quit.",
                                 "Press NEXT to continue."}),
         members("Buttons", {"btPrev", "btNext", "btCancel"}), ident("NextPage", "suCopy")}));

    form.children.push_back(component("TSetupFileCopy", "suCopy",
                                      {ident("OverWrite", "swAsk"), flag("CreateEmptyDirs", false),
                                       members("Buttons", {"btPrev", "btNext", "btCancel"}),
                                       ident("NextPage", "suGroups")}));

    form.children.push_back(component("TSetupGroups", "suGroups",
                                      {flag("MinimizeProgMan", true),
                                       members("Buttons", {"btPrev", "btNext", "btCancel"}),
                                       ident("OnNextPage", "suGroupsNextPage")}));

    form.children.push_back(
        component("TSetupRadioChoice", "suInstallType",
                  {members("Buttons", {"btPrev", "btNext", "btCancel"}),
                   ident("OnNextPage", "suInstallTypeNextPage"), ident("NextPage", "suDir")}));

    form.children.push_back(component("TSetupCheckBoxChoice", "suOptions",
                                      {members("Buttons", {"btPrev", "btNext", "btCancel"})}));

    form.children.push_back(
        component("TSetupProgExec", "suProg",
                  {text("ProgName", "NOTEPAD.EXE"), text("ProgDir", "Windows"),
                   flag("WaitForDone", true), ident("ShowWindow", "swNormal")}));

    form.children.push_back(component(
        "TSetupUnInstall", "suUnInstall",
        {text("LogFileDir", "Install"), text("LogFileName", "INSTALL.LOG"),
         members("Buttons", {"btNext", "btCancel"}), ident("OnCleanup", "suUnInstallCleanup")}));
    return form;
}

} // namespace setupkit
