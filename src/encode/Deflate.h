#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace encode {

// A zlib stream of the data in one deflate block, whichever of a block with its own Huffman codes,
// the fixed codes and a stored block is the smallest. The parse is optimal for the codes' costs: every
// match the data allows within 32 KiB is found, the cheapest path through literals and matches is
// taken, and the codes that path gives price the next of `passes` rounds (at least one); the smallest
// block of every round is kept. Meant for the short streams of button faces (up to some ten
// kilobytes), where it is smaller than zlib's and libdeflate's strongest levels in a fraction of their
// time, which has a fixed part for their tables; its own time grows with the length of the data.
// The same data and passes always give the same bytes.
std::vector<std::uint8_t> DeflateOptimal(const std::uint8_t* data, std::size_t size, int passes);

}  // namespace encode
