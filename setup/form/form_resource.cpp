#include "setup/form/form_resource.h"

#include "common/ascii_case.h"
#include "setup/form/form_error.h"

#include <cstdint>
#include <limits>
#include <map>
#include <mutex>

namespace setupkit::form {

namespace {

// Marker, name field, length, checksum.
constexpr std::string_view kMarker = "\x7FLumoraRes\x1A\x01";
constexpr std::size_t kHeaderSize = kMarker.size() + kMaxResourceName + 4 + 4;
// Closes the room reserved after a block for a later, larger replacement.
constexpr std::string_view kRoomEndMarker = "\x7FLumoraRoomEnd\x1A";

std::uint32_t checksum(std::string_view nameField, std::string_view bytes) {
    // FNV-1a: cheap, and enough to tell a real block from stray marker bytes.
    std::uint32_t hash = 2166136261u;
    for (const std::string_view part : {nameField, bytes})
        for (const char c : part) {
            hash ^= static_cast<std::uint8_t>(c);
            hash *= 16777619u;
        }
    return hash;
}

void appendLittleEndian(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

std::uint32_t readLittleEndian(std::string_view bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i])) << (8 * i);
    return value;
}

struct PackedBlock {
    std::string_view name;
    std::string_view bytes;
};

// The block that begins at `at` (its marker already matched), when it is intact.
std::optional<PackedBlock> unpackAt(std::string_view image, std::size_t at) {
    if (image.size() - at < kHeaderSize)
        return std::nullopt;
    const std::string_view header = image.substr(at, kHeaderSize);
    if (header.substr(0, kMarker.size()) != kMarker)
        return std::nullopt;
    const std::string_view nameField = header.substr(kMarker.size(), kMaxResourceName);
    const std::uint32_t length = readLittleEndian(header.substr(kMarker.size() + kMaxResourceName));
    const std::uint32_t expected =
        readLittleEndian(header.substr(kMarker.size() + kMaxResourceName + 4));
    if (length > image.size() - at - kHeaderSize)
        return std::nullopt;
    const std::string_view bytes = image.substr(at + kHeaderSize, length);
    if (checksum(nameField, bytes) != expected)
        return std::nullopt;
    return PackedBlock{nameField.substr(0, nameField.find('\0')), bytes};
}

std::map<std::string, std::string_view>& registry() {
    static std::map<std::string, std::string_view> resources;
    return resources;
}

std::mutex& registryMutex() {
    static std::mutex mutex;
    return mutex;
}

} // namespace

std::string packResource(std::string_view name, std::string_view bytes) {
    if (name.empty() || name.size() > kMaxResourceName)
        throw EFormError("a resource name must have 1 to " + std::to_string(kMaxResourceName) +
                         " characters: \"" + std::string(name) + "\"");
    for (const char c : name)
        if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 127)
            throw EFormError("a resource name must be printable ASCII: \"" + std::string(name) +
                             "\"");
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        throw EFormError("resource " + std::string(name) + " is too large");
    std::string nameField(name);
    nameField.resize(kMaxResourceName, '\0');
    std::string packed(kMarker);
    packed += nameField;
    appendLittleEndian(packed, static_cast<std::uint32_t>(bytes.size()));
    appendLittleEndian(packed, checksum(nameField, bytes));
    packed += bytes;
    return packed;
}

std::string packResourceWithRoom(std::string_view name, std::string_view bytes,
                                 std::size_t reserve) {
    std::string packed = packResource(name, bytes);
    if (reserve > 0) {
        packed.append(reserve, '\0');
        packed += kRoomEndMarker;
    }
    return packed;
}

namespace {

struct LocatedBlock {
    std::size_t at = 0;
    PackedBlock block;
};

std::optional<LocatedBlock> locateBlock(std::string_view image, std::string_view name) {
    for (std::size_t at = image.find(kMarker); at != std::string_view::npos;
         at = image.find(kMarker, at + 1)) {
        const auto block = unpackAt(image, at);
        if (block && lumora::equalsIgnoringCase(block->name, name))
            return LocatedBlock{at, *block};
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> findPackedResource(std::string_view image, std::string_view name) {
    const auto located = locateBlock(image, name);
    if (!located)
        return std::nullopt;
    return std::string(located->block.bytes);
}

std::string replaceResourceInPlace(std::string_view image, std::string_view name,
                                   std::string_view bytes) {
    const auto located = locateBlock(image, name);
    if (!located)
        throw EFormError("no resource " + std::string(name) + " to replace");
    const std::size_t blockEnd = located->at + kHeaderSize + located->block.bytes.size();
    // Only zeros may lie between the block and its end marker: anything else means the
    // marker bytes belong to something else and the room is not ours.
    const std::size_t roomEnd = image.find(kRoomEndMarker, blockEnd);
    if (roomEnd == std::string_view::npos ||
        image.substr(blockEnd, roomEnd - blockEnd).find_first_not_of('\0') !=
            std::string_view::npos)
        throw EFormError("resource " + std::string(name) +
                         " was built without room to be replaced in place");
    const std::string packed = packResource(name, bytes);
    const std::size_t room = roomEnd - located->at;
    if (packed.size() > room)
        throw EFormError("the new resource " + std::string(name) + " needs " +
                         std::to_string(packed.size()) + " bytes; the program has room for " +
                         std::to_string(room));
    std::string result(image);
    result.replace(located->at, room, packed + std::string(room - packed.size(), '\0'));
    return result;
}

std::optional<std::string_view> findResource(std::string_view name) {
    const std::lock_guard lock(registryMutex());
    const auto found = registry().find(lumora::asciiUppered(name));
    if (found == registry().end())
        return std::nullopt;
    return found->second;
}

ResourceRegistration::ResourceRegistration(const unsigned char* packed, std::size_t size) {
    const std::string_view image(reinterpret_cast<const char*>(packed), size);
    const auto block = unpackAt(image, 0);
    if (!block)
        return;
    const std::lock_guard lock(registryMutex());
    registry().emplace(lumora::asciiUppered(block->name), block->bytes);
}

std::string embeddedResourceSource(std::string_view name, std::string_view bytes,
                                   std::size_t reserve) {
    const std::string packed = packResourceWithRoom(name, bytes, reserve);
    std::string source = "// Generated by setupres: the resource " + std::string(name) +
                         ", built into the program.\n"
                         "#include \"setup/form/form_resource.h\"\n\n"
                         "namespace {\n\n"
                         "const unsigned char kPackedResource[] = {";
    for (std::size_t i = 0; i < packed.size(); ++i) {
        source += i % 16 == 0 ? "\n    " : " ";
        source += std::to_string(static_cast<unsigned char>(packed[i]));
        source += ',';
    }
    source += "\n};\n\n"
              "const setupkit::form::ResourceRegistration kRegistration(kPackedResource,\n"
              "                                                         sizeof kPackedResource);\n"
              "\n} // namespace\n";
    return source;
}

} // namespace setupkit::form
