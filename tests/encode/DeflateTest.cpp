#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "encode/Deflate.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Whether zlib's own inflate reads the stream back as the expected data: it rejects bad codes, a
// wrong check value and bytes left over.
bool Inflates(const Bytes& stream, const Bytes& expected) {
    Bytes back(expected.size() + 64);
    uLongf length = static_cast<uLongf>(back.size());
    uLong used = static_cast<uLong>(stream.size());
    if (uncompress2(back.data(), &length, stream.data(), &used) != Z_OK || used != stream.size()) {
        return false;
    }
    back.resize(length);
    return back == expected;
}

int BlockType(const Bytes& stream) {
    return (stream.at(2) >> 1) & 3;
}

Bytes ZlibLevel9(const Bytes& data) {
    uLongf length = compressBound(static_cast<uLong>(data.size()));
    Bytes out(length);
    compress2(out.data(), &length, data.data(), static_cast<uLong>(data.size()), Z_BEST_COMPRESSION);
    out.resize(length);
    return out;
}

Bytes Random(std::size_t size, unsigned seed, int alphabet = 256) {
    std::mt19937 random(seed);
    Bytes data(size);
    for (auto& b : data) {
        b = static_cast<std::uint8_t>(random() % static_cast<unsigned>(alphabet));
    }
    return data;
}

// Rows of a one-bit face: a frame, a caption band that changes from row to row, the same frame
// again; each row led by its filter byte, as PNG rows are.
Bytes FaceRows() {
    Bytes rows;
    for (int y = 0; y < 30; ++y) {
        rows.push_back(0);
        for (int x = 0; x < 10; ++x) {
            const bool edge = y == 0 || y == 29 || x == 0 || x == 9;
            const bool caption = y > 10 && y < 20 && x > 2 && x < 8;
            rows.push_back(edge ? 0xFF : caption ? static_cast<std::uint8_t>((y * 37 + x * 11) & 0xFF) : 0);
        }
    }
    return rows;
}

TEST(Deflate, EveryStreamInflatesToItsDataWithZlibAtTheEdgesOfLengthsDistancesAndBlocks) {
    std::vector<Bytes> inputs = {{},
                                 {7},
                                 {7, 7},
                                 {1, 2, 3},
                                 Bytes(258, 0),
                                 Bytes(259, 0),
                                 Bytes(261, 9),
                                 Random(1000, 1, 2),
                                 Random(5000, 2, 4),
                                 FaceRows()};
    // A match exactly 32768 bytes back, the farthest deflate can reach, and one a byte farther.
    for (const std::size_t gap : {32768u, 32769u}) {
        Bytes far = Random(gap + 100, 3);
        std::copy(far.begin(), far.begin() + 100, far.end() - 100);
        inputs.push_back(far);
    }
    // Incompressible data: stored up to 65535 bytes, longer than one stored block can hold.
    inputs.push_back(Random(1000, 4));
    inputs.push_back(Random(70000, 5));
    // Byte counts in Fibonacci proportions, shuffled: the plain Huffman code of the literals is
    // deeper than the 15 bits deflate allows.
    {
        Bytes skewed;
        int a = 1;
        int b = 1;
        for (int symbol = 0; symbol < 24; ++symbol) {
            skewed.insert(skewed.end(), static_cast<std::size_t>(a), static_cast<std::uint8_t>(symbol * 10));
            const int next = a + b;
            a = b;
            b = next;
        }
        std::shuffle(skewed.begin(), skewed.end(), std::mt19937(6));
        inputs.push_back(skewed);
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        for (const int passes : {0, 1, 3}) {
            SCOPED_TRACE(testing::Message()
                         << "input " << i << " of " << inputs[i].size() << " bytes, passes " << passes);
            EXPECT_TRUE(
                Inflates(encode::DeflateOptimal(inputs[i].data(), inputs[i].size(), passes), inputs[i]));
        }
    }
}

TEST(Deflate, TheBlockIsFixedStoredOrItsOwnCodesWhicheverIsSmallest) {
    const Bytes none;
    EXPECT_EQ(BlockType(encode::DeflateOptimal(none.data(), 0, 1)), 1);  // fixed codes: 10 bits
    const Bytes noise = Random(1000, 7);
    const Bytes stored = encode::DeflateOptimal(noise.data(), noise.size(), 1);
    EXPECT_EQ(BlockType(stored), 0);
    EXPECT_EQ(stored.size(), 2 + 5 + noise.size() + 4);
    const Bytes fourLetters = Random(5000, 2, 4);  // two bits a byte in codes of its own
    EXPECT_EQ(BlockType(encode::DeflateOptimal(fourLetters.data(), fourLetters.size(), 1)), 2);
}

TEST(Deflate, ShortFaceRowsComeOutNoLargerThanZlibsStrongestLevel) {
    const Bytes face = FaceRows();
    const Bytes ours = encode::DeflateOptimal(face.data(), face.size(), 1);
    ASSERT_TRUE(Inflates(ours, face));
    EXPECT_LE(ours.size(), ZlibLevel9(face).size());
    // More passes never give a larger stream: the smallest block of every pass is kept.
    EXPECT_LE(encode::DeflateOptimal(face.data(), face.size(), 4).size(), ours.size());
}

}  // namespace
