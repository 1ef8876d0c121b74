// libFuzzer entry point: every input is a candidate stored install script.

#include "script_exercise.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setupkit::testing::exerciseScriptReader(
        std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
