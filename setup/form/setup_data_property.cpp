#include "setup/form/setup_data_property.h"

#include "setup/form/form_error.h"
#include "setup/form/form_stream_reader.h"
#include "setup/form/form_stream_writer.h"
#include "setup/script/setup_data.h"
#include "setup/script/value_reader.h"
#include "setup/script/value_writer.h"

#include <limits>

namespace setupkit::form {

namespace {

template <class Component, class Property> Property* findIn(Component& component) {
    for (auto& property : component.properties)
        if (property.name == kSetupDataProperty)
            return &property;
    for (auto& child : component.children)
        if (Property* found = findIn<Component, Property>(child))
            return found;
    return nullptr;
}

} // namespace

FormProperty* findSetupDataProperty(FormComponent& root) {
    return findIn<FormComponent, FormProperty>(root);
}

const FormProperty* findSetupDataProperty(const FormComponent& root) {
    return findIn<const FormComponent, const FormProperty>(root);
}

std::vector<std::string> updateScriptFiles(FormProperty& setupData,
                                           const ScriptFileLookup& lookUp) {
    TSetupData script;
    const std::string stored = encodeFormValue(setupData.value);
    try {
        ValueReader reader(stored);
        script.ReadData(reader);
        if (!reader.atEnd())
            throw EFormError("SetupData holds more than one value");
    } catch (const EValueStreamError& error) {
        throw EFormError(std::string("SetupData is not a readable install script: ") +
                         error.what());
    }

    std::vector<std::string> missing;
    for (TSetupFile* file : script.Files()) {
        const auto facts = lookUp(file->Name());
        if (!facts) {
            missing.push_back(file->Name());
            continue;
        }
        if (facts->size > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
            throw EFormError("file " + file->Name() + " is too large for the install script (" +
                             std::to_string(facts->size) + " bytes)");
        const auto size = static_cast<std::int32_t>(facts->size);
        file->SetSize(size);
        file->SetDateTime(facts->dateTime);
        if (!file->Compressed()) {
            file->SetCompressedSize(size);
        } else if (facts->compressedSize) {
            if (*facts->compressedSize >
                static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
                throw EFormError("file " + file->Name() +
                                 " is too large for the install script when compressed");
            file->SetCompressedSize(static_cast<std::int32_t>(*facts->compressedSize));
        }
    }

    // A disk that cannot hold its files would drop them without a word when setup reads
    // the script: the build fails instead.
    for (const TSetupDisk* disk : script.Disks()) {
        std::int64_t used = 0;
        for (const TSetupFile* file : disk->Files())
            used += file->CompressedSize();
        if (disk->Size() != 0 && used > disk->Size())
            throw EFormError("disk \"" + disk->Description() + "\" is " +
                             std::to_string(disk->Size()) + " bytes but its files take " +
                             std::to_string(used) + " (0 means no limit)");
    }

    ValueWriter writer;
    script.WriteData(writer);
    setupData.value = readFormValue(writer.bytes());
    return missing;
}

} // namespace setupkit::form
