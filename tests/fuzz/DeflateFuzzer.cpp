#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "encode/Deflate.h"

// Any data through the optimal deflate, in one to three passes, read back by zlib: the same bytes,
// no byte of the stream left over.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const int passes = 1 + data[0] % 3;
    const std::vector<std::uint8_t> stream = encode::DeflateOptimal(data + 1, size - 1, passes);
    std::vector<std::uint8_t> back(size + 16);
    uLongf length = static_cast<uLongf>(back.size());
    uLong used = static_cast<uLong>(stream.size());
    if (uncompress2(back.data(), &length, stream.data(), &used) != Z_OK || used != stream.size() ||
        length != size - 1 || !std::equal(data + 1, data + size, back.begin())) {
        std::abort();
    }
    return 0;
}
