#pragma once
// Named resources built into a program: the compiled form "TSETUPFORM" above all. A
// resource is packed as a signed block (a marker, its name, its length and a checksum,
// then the bytes), compiled into the program as a constant array that registers itself
// at start-up. The running program finds it by name; a tool finds the same block by
// scanning the program file.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace setupkit::form {

inline constexpr std::string_view kSetupFormResource = "TSETUPFORM";
// Resource names are ASCII, at most this long, compared without regard to case.
inline constexpr std::size_t kMaxResourceName = 16;

// The packed block for `bytes` under `name`; EFormError for an unusable name or a
// block too large.
std::string packResource(std::string_view name, std::string_view bytes);

// The packed block followed by `reserve` zero bytes and an end marker: the room a later,
// larger block may take in place (replaceResourceInPlace). No room when `reserve` is 0.
std::string packResourceWithRoom(std::string_view name, std::string_view bytes,
                                 std::size_t reserve);

// The bytes of the first intact packed block named `name` inside `image` (a program
// file, say). Marker bytes that do not begin an intact block are passed over.
std::optional<std::string> findPackedResource(std::string_view image, std::string_view name);

// A resource compiled into the running program, or nullopt.
std::optional<std::string_view> findResource(std::string_view name);

// Made by the generated source of an embedded resource: registers the packed block,
// which must stay in place for the life of the program (a constant array does).
// An invalid block is not registered.
class ResourceRegistration {
public:
    ResourceRegistration(const unsigned char* packed, std::size_t size);
};

// The C++ source that embeds `bytes` as the resource `name` in whatever program is built
// with it. `reserve` spare bytes follow the block, closed by an end marker, so that a
// finished program can take a rebuilt resource of up to that much more in place
// (replaceResourceInPlace) without changing its size.
std::string embeddedResourceSource(std::string_view name, std::string_view bytes,
                                   std::size_t reserve = 0);

// `image` (a program file) with its resource `name` replaced by `bytes`, same size: the
// new block and zeros fill the old block's room up to its end marker. EFormError when the
// image holds no such resource, the resource has no room of its own, or `bytes` do not
// fit.
std::string replaceResourceInPlace(std::string_view image, std::string_view name,
                                   std::string_view bytes);

} // namespace setupkit::form
