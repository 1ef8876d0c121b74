#pragma once
// How the parent and its worker processes talk over pipes: one record per page each
// way. A record is a count of fields and the fields, each as "<length>:<bytes>", then
// a line break; lengths make every byte safe in paths and page texts.

#include "batch/page_result.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::batch {

class ProtocolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PageRequest {
    size_t index = 0;
    std::string path;   // the page to read
    std::string output; // where to write the result; empty: in place
    bool operator==(const PageRequest&) const = default;
};

std::string encodeRecord(const std::vector<std::string>& fields);

// Collects bytes as they arrive and hands out whole records.
class RecordReader {
public:
    void append(std::string_view bytes) { buffer_.append(bytes); }
    // The next complete record, nothing while one is still arriving. Throws
    // ProtocolError on bytes that cannot be a record.
    std::optional<std::vector<std::string>> next();
    bool empty() const { return buffer_.size() == consumed_; }

private:
    std::string buffer_;
    size_t consumed_ = 0;
};

std::string encodeRequest(const PageRequest& request);
PageRequest decodeRequest(const std::vector<std::string>& fields);

// The result travels with the index of the request it answers.
std::string encodeResult(size_t index, const PageResult& result);
std::pair<size_t, PageResult> decodeResult(const std::vector<std::string>& fields);

} // namespace lumora::batch
