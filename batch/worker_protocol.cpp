#include "worker_protocol.h"

#include <charconv>
#include <limits>

namespace lumora::batch {

namespace {

// Nobody sends a page report of a gigabyte; a larger count means garbage.
constexpr size_t kMaxFieldLength = size_t{1} << 30;
constexpr size_t kMaxFields = 1 << 20;

void appendField(std::string& out, std::string_view field) {
    out += std::to_string(field.size());
    out += ':';
    out.append(field);
}

// Reads "<digits>:" at `at`; nothing when the digits are not all there yet.
std::optional<size_t> readCount(const std::string& buffer, size_t& at) {
    size_t value = 0;
    const char* begin = buffer.data() + at;
    const char* end = buffer.data() + buffer.size();
    const auto [rest, error] = std::from_chars(begin, end, value);
    if (rest == end) {
        if (end - begin > 20)
            throw ProtocolError("malformed record from a worker");
        return std::nullopt;
    }
    if (error != std::errc() || rest == begin || *rest != ':' || value > kMaxFieldLength)
        throw ProtocolError("malformed record from a worker");
    at = static_cast<size_t>(rest - buffer.data()) + 1;
    return value;
}

size_t toIndex(const std::string& text) {
    size_t value = 0;
    const auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || rest != text.data() + text.size())
        throw ProtocolError("malformed number in a worker record: '" + text + "'");
    return value;
}

// The sensitivity travels one up, so that the "none" of -1 stays a plain count.
int toSensitivity(const std::string& text) {
    const size_t value = toIndex(text);
    if (value > static_cast<size_t>(std::numeric_limits<int>::max()))
        throw ProtocolError("sensitivity out of range in a worker record: '" + text + "'");
    return static_cast<int>(value) - 1;
}

std::string encodeList(const std::vector<std::string>& items) {
    return encodeRecord(items);
}

std::vector<std::string> decodeList(const std::string& text) {
    RecordReader reader;
    reader.append(text);
    auto items = reader.next();
    if (!items || !reader.empty())
        throw ProtocolError("malformed list in a worker record");
    return std::move(*items);
}

} // namespace

std::string encodeRecord(const std::vector<std::string>& fields) {
    std::string out = std::to_string(fields.size()) + ':';
    for (const auto& field : fields)
        appendField(out, field);
    out += '\n';
    return out;
}

std::optional<std::vector<std::string>> RecordReader::next() {
    size_t at = consumed_;
    const auto count = readCount(buffer_, at);
    if (!count)
        return std::nullopt;
    if (*count > kMaxFields)
        throw ProtocolError("malformed record from a worker");
    std::vector<std::string> fields;
    fields.reserve(*count);
    for (size_t i = 0; i < *count; ++i) {
        const auto length = readCount(buffer_, at);
        if (!length || buffer_.size() - at < *length)
            return std::nullopt;
        fields.emplace_back(buffer_, at, *length);
        at += *length;
    }
    if (at >= buffer_.size())
        return std::nullopt;
    if (buffer_[at] != '\n')
        throw ProtocolError("malformed record from a worker");
    consumed_ = at + 1;
    // Drop what has been handed out once it is a good part of the buffer.
    if (consumed_ > 65536 && consumed_ * 2 > buffer_.size()) {
        buffer_.erase(0, consumed_);
        consumed_ = 0;
    }
    return fields;
}

std::string encodeRequest(const PageRequest& request) {
    return encodeRecord({std::to_string(request.index), request.path, request.output});
}

PageRequest decodeRequest(const std::vector<std::string>& fields) {
    if (fields.size() != 3)
        throw ProtocolError("a page request has 3 fields, not " + std::to_string(fields.size()));
    return {toIndex(fields[0]), fields[1], fields[2]};
}

std::string encodeResult(size_t index, const PageResult& result) {
    return encodeRecord({std::to_string(index), result.path,
                         std::to_string(static_cast<int>(result.status)), result.reason,
                         encodeList(result.messages), encodeList(result.keywords),
                         std::to_string(result.sensitivity + 1), result.title, result.description,
                         result.changed ? "1" : "0", result.output});
}

std::pair<size_t, PageResult> decodeResult(const std::vector<std::string>& fields) {
    if (fields.size() != 11)
        throw ProtocolError("a page result has 11 fields, not " + std::to_string(fields.size()));
    PageResult result;
    result.path = fields[1];
    const size_t status = toIndex(fields[2]);
    if (status > static_cast<size_t>(PageStatus::Error))
        throw ProtocolError("unknown page status " + fields[2]);
    result.status = static_cast<PageStatus>(status);
    result.reason = fields[3];
    result.messages = decodeList(fields[4]);
    result.keywords = decodeList(fields[5]);
    result.sensitivity = toSensitivity(fields[6]);
    result.title = fields[7];
    result.description = fields[8];
    result.changed = fields[9] == "1";
    result.output = fields[10];
    return {toIndex(fields[0]), std::move(result)};
}

} // namespace lumora::batch
