#include "batch/worker_protocol.h"

#include <gtest/gtest.h>

using namespace lumora::batch;

TEST(WorkerProtocol, RequestsAndResultsSurviveAnyBytes) {
    const PageRequest request{42, std::string("dir/we\nird\0name.htm", 19), "out/7:x"};
    RecordReader reader;
    reader.append(encodeRequest(request));
    const auto fields = reader.next();
    ASSERT_TRUE(fields);
    EXPECT_EQ(decodeRequest(*fields), request);

    PageResult result;
    result.path = "p\r\n.htm";
    result.status = PageStatus::Unchanged;
    result.reason = "no title accepted";
    result.messages = {"a\rb", "", "12:34"};
    result.keywords = {"web"};
    result.sensitivity = -1;
    result.title = "t";
    result.description = "d\n";
    result.changed = true;
    result.output = "o";
    reader.append(encodeResult(7, result));
    const auto back = reader.next();
    ASSERT_TRUE(back);
    const auto [index, decoded] = decodeResult(*back);
    EXPECT_EQ(index, 7u);
    EXPECT_EQ(decoded, result);
    EXPECT_TRUE(reader.empty());
}

TEST(WorkerProtocol, RecordsArriveInPieces) {
    PageResult result;
    result.path = "page.htm";
    result.messages = {"one", "two"};
    const std::string bytes = encodeResult(1, result) + encodeResult(2, result);
    RecordReader reader;
    std::vector<size_t> indexes;
    for (char byte : bytes) {
        reader.append(std::string_view(&byte, 1));
        while (auto record = reader.next())
            indexes.push_back(decodeResult(*record).first);
    }
    EXPECT_EQ(indexes, (std::vector<size_t>{1, 2}));
}

TEST(WorkerProtocol, GarbageIsRefused) {
    const char* cases[] = {"x:", "3:1:a\n", "1:1:ab\n",
                           "99999999999999999999999:", "1:5000000000000:"};
    for (const char* garbage : cases) {
        RecordReader reader;
        reader.append(garbage);
        // Either the record is malformed right away or it decodes to nonsense.
        EXPECT_THROW(
            {
                if (auto fields = reader.next())
                    decodeResult(*fields);
            },
            ProtocolError)
            << garbage;
    }
    EXPECT_THROW(decodeRequest({"1", "a"}), ProtocolError);
    EXPECT_THROW(decodeResult(std::vector<std::string>(11, "x")), ProtocolError);
    for (const char* sensitivity : {"2147483648", "4294967296", "-1"}) {
        std::vector<std::string> fields(11, "0");
        fields[4] = fields[5] = encodeRecord({});
        fields[6] = sensitivity;
        EXPECT_THROW(decodeResult(fields), ProtocolError) << sensitivity;
    }
}
