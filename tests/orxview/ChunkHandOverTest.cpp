// The hand-over between the conversion worker and the window: every byte
// arrives in order whatever the chunk and read sizes, the window keeps
// running while it waits, a failure is reported, and a window that gives up
// frees a waiting worker.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "orxview/ChunkHandOver.h"

using namespace orvex::viewer;

TEST(ChunkHandOver, EveryByteArrivesInOrderAcrossChunkAndReadSizes) {
    std::string data;
    for (int i = 0; i < 50000; ++i) data.push_back(static_cast<char>(i * 7 + i / 300));
    for (size_t readSize : {size_t{1}, size_t{100}, size_t{4096}, size_t{10000}}) {
        ChunkHandOver h;
        std::thread producer([&] {
            for (size_t at = 0; at < data.size();) {
                const size_t n = std::min<size_t>(data.size() - at, 1 + (at * 13) % 9000);
                ASSERT_TRUE(h.put(data.data() + at, n));
                at += n;
            }
            h.finish(false);
        });
        std::string got;
        int idles = 0;
        std::string buf(readSize, '\0');
        for (;;) {
            const size_t n = h.read(buf.data(), readSize, [&] { ++idles; });
            got.append(buf, 0, n);
            if (n < readSize) break;
        }
        producer.join();
        EXPECT_EQ(got, data) << readSize;
        EXPECT_FALSE(h.failed());
    }
}

TEST(ChunkHandOver, FailureIsReportedAfterThePartialText) {
    ChunkHandOver h;
    std::thread producer([&] {
        h.put("{\\rtf1 part", 11);
        h.finish(true);
    });
    char buf[64];
    const size_t n = h.read(buf, sizeof buf);
    producer.join();
    EXPECT_EQ(std::string(buf, n), "{\\rtf1 part");
    EXPECT_TRUE(h.failed());
}

TEST(ChunkHandOver, AbandonedReadFreesTheWorker) {
    ChunkHandOver h;
    bool returned = false, result = true;
    std::thread producer([&] {
        const std::string big(20000, 'x');
        result = h.put(big.data(), big.size());
        returned = true;
    });
    char buf[10];
    EXPECT_EQ(h.read(buf, sizeof buf), sizeof buf);
    h.abandon();
    producer.join();
    EXPECT_TRUE(returned);
    EXPECT_FALSE(result);
}
