// The worker protocol: records arriving in any pieces read the same as at once, and
// page requests and results decoded from them encode and decode to the same values.

#include "batch/worker_protocol.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>

using lumora::fuzz::require;
using namespace lumora::batch;

namespace {

using Records = std::vector<std::vector<std::string>>;

// The records of the bytes, handed over `piece` bytes at a time; false after an error.
bool readAll(std::string_view bytes, std::size_t piece, Records& records) {
    RecordReader reader;
    try {
        while (!bytes.empty()) {
            const std::size_t n = std::min(piece, bytes.size());
            reader.append(bytes.substr(0, n));
            bytes.remove_prefix(n);
            while (auto record = reader.next())
                records.push_back(std::move(*record));
        }
    } catch (const ProtocolError&) {
        return false;
    }
    return true;
}

std::vector<std::string> onlyRecord(const std::string& bytes) {
    RecordReader reader;
    reader.append(bytes);
    auto record = reader.next();
    require(record.has_value() && reader.empty(), "an encoded record does not read as one");
    return *record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = lumora::fuzz::asText(data, size);
    Records whole;
    const bool wholeOk = readAll(bytes, bytes.size() + 1, whole);
    Records pieces;
    const bool piecesOk = readAll(bytes, 1 + (size % 7), pieces);
    // Records before an error are the same however the bytes arrive.
    if (wholeOk && piecesOk)
        require(pieces == whole, "records differ with the pieces they arrive in");

    for (const auto& fields : whole) {
        require(onlyRecord(encodeRecord(fields)) == fields, "a record re-encoded reads otherwise");
        try {
            const PageRequest request = decodeRequest(fields);
            require(decodeRequest(onlyRecord(encodeRequest(request))) == request,
                    "a page request re-encoded reads otherwise");
        } catch (const ProtocolError&) {
        }
        try {
            const auto [index, result] = decodeResult(fields);
            const auto [index2, result2] = decodeResult(onlyRecord(encodeResult(index, result)));
            require(index2 == index && result2 == result,
                    "a page result re-encoded reads otherwise");
        } catch (const ProtocolError&) {
        }
    }
    return 0;
}
