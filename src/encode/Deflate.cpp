#include "encode/Deflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace encode {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr std::size_t kWindow = 32768;
// How many earlier places with the same three bytes (or, in a run, runs of the same byte with as many
// left) are compared at each position: enough for the matches of a face's rows, a bound for data
// that repeats one short pattern everywhere.
constexpr int kMaxChain = 64;
// The lengths of a match that are weighed one by one at each position; beyond them only the longest.
constexpr int kEveryLength = 8;
constexpr int kEndOfBlock = 256;
constexpr int kLiteralLengthCodes = 286;
constexpr int kDistanceCodes = 30;
constexpr int kCodeLengthCodes = 19;
constexpr int kMaxCodeLength = 15;
constexpr int kMaxCodeLengthCodeLength = 7;
constexpr std::size_t kMaxStored = 65535;

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                               33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                               1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which the code lengths of the code length code are stored.
constexpr std::array<int, kCodeLengthCodes> kCodeLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                                11, 4,  12, 3, 13, 2, 14, 1, 15};

struct Tables {
    std::array<std::uint8_t, kMaxMatch + 1> lengthCode{};  // index into kLengthBase
    std::array<std::uint8_t, 512> distanceCode{};          // for distances 1..256, and (d-1)>>7 above
    Tables() {
        for (int c = 0; c < 29; ++c) {
            const int last = c + 1 < 29 ? kLengthBase[static_cast<std::size_t>(c + 1)] - 1 : kMaxMatch;
            for (int l = kLengthBase[static_cast<std::size_t>(c)]; l <= std::min(last, kMaxMatch); ++l) {
                lengthCode[static_cast<std::size_t>(l)] = static_cast<std::uint8_t>(c);
            }
        }
        for (int c = 0; c < 30; ++c) {
            const int first = kDistanceBase[static_cast<std::size_t>(c)];
            const int last = first + (1 << kDistanceExtra[static_cast<std::size_t>(c)]) - 1;
            for (int d = first; d <= last; ++d) {
                if (d <= 256) {
                    distanceCode[static_cast<std::size_t>(d)] = static_cast<std::uint8_t>(c);
                } else {
                    distanceCode[static_cast<std::size_t>(256 + ((d - 1) >> 7))] =
                        static_cast<std::uint8_t>(c);
                }
            }
        }
    }
    int DistanceCode(int d) const {
        return d <= 256 ? distanceCode[static_cast<std::size_t>(d)]
                        : distanceCode[static_cast<std::size_t>(256 + ((d - 1) >> 7))];
    }
};

const Tables& Codes() {
    static const Tables tables;
    return tables;
}

// One step of a parse: a literal (length 1, distance 0) or a match.
struct Step {
    std::uint16_t length;
    std::uint16_t distance;
};

// The matches at one position, longest last: lengths above the previous entry's, up to this one's,
// are reached at this entry's distance, the nearest that reaches them.
struct Reach {
    std::uint16_t length;
    std::uint16_t distance;
};

struct Matches {
    std::vector<std::uint32_t> first;  // the position's first entry in `reach`; one more for the end
    std::vector<Reach> reach;
};

// How many bytes from a and b are the same, at least `known` (already compared) and at most
// `longest`: eight at a time while eight remain.
int MatchLength(const std::uint8_t* a, const std::uint8_t* b, int known, int longest) {
    int length = known;
    while (length + 8 <= longest) {
        std::uint64_t x = 0;
        std::uint64_t y = 0;
        std::memcpy(&x, a + length, 8);
        std::memcpy(&y, b + length, 8);
        if (x != y) {
            // Little-endian loads: the first differing byte is the lowest set byte of the difference.
            return length + (std::countr_zero(x ^ y) >> 3);
        }
        length += 8;
    }
    while (length < longest && a[length] == b[length]) {
        ++length;
    }
    return length;
}

Matches FindMatches(const std::uint8_t* data, std::size_t size) {
    Matches m;
    m.first.resize(size + 1, 0);
    if (size < static_cast<std::size_t>(kMinMatch)) {
        return m;
    }
    // How many bytes from each position on are the same as it. A position in a run of three or more
    // is chained with the positions of runs of its byte with as many left: only those match past
    // the run's end (one with more left matches just the run, as the position before does, one
    // byte back); so the zeros of a face's rows find the rows above without walking every zero.
    std::vector<std::uint32_t> same(size);
    same[size - 1] = 1;
    for (std::size_t i = size - 1; i-- > 0;) {
        same[i] = data[i] == data[i + 1] ? same[i + 1] + 1 : 1;
    }
    int bits = 8;
    while (bits < 16 && (std::size_t{1} << bits) < size) {
        ++bits;
    }
    std::vector<std::int32_t> head(std::size_t{1} << bits, -1);
    std::vector<std::int32_t> previous(size, -1);
    m.reach.reserve(size);
    const std::size_t last = size - kMinMatch;
    for (std::size_t i = 0; i <= last; ++i) {
        m.first[i] = static_cast<std::uint32_t>(m.reach.size());
        const int longest = static_cast<int>(std::min<std::size_t>(kMaxMatch, size - i));
        const bool run = same[i] >= static_cast<std::uint32_t>(kMinMatch);
        const int runLength = static_cast<int>(std::min<std::uint32_t>(same[i], kMaxMatch + 1));
        const std::uint32_t key =
            run ? (1u << 24) | (std::uint32_t{data[i]} << 16) | static_cast<std::uint32_t>(runLength)
                : (std::uint32_t{data[i]} << 16) | (std::uint32_t{data[i + 1]} << 8) | data[i + 2];
        const std::size_t h = (key * 2654435761u) >> (32 - bits);
        int best = kMinMatch - 1;
        if (run && i > 0 && data[i - 1] == data[i]) {
            best = std::min(runLength, longest);
            m.reach.push_back({static_cast<std::uint16_t>(best), 1});
        }
        int chain = 0;
        for (std::int32_t j = head[h];
             best < longest && j >= 0 && i - static_cast<std::size_t>(j) <= kWindow && chain < kMaxChain;
             j = previous[static_cast<std::size_t>(j)], ++chain) {
            const std::uint8_t* a = data + i;
            const std::uint8_t* b = data + j;
            if (b[best] != a[best] || b[0] != a[0]) {
                continue;
            }
            int length = 0;
            if (run) {
                if (same[static_cast<std::size_t>(j)] != same[i]) {
                    continue;
                }
                length = MatchLength(a, b, std::min(runLength, longest), longest);
            } else {
                if (b[1] != a[1] || b[2] != a[2]) {
                    continue;
                }
                length = MatchLength(a, b, kMinMatch, longest);
            }
            if (length > best) {
                best = length;
                m.reach.push_back({static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(i - j)});
            }
        }
        previous[i] = head[h];
        head[h] = static_cast<std::int32_t>(i);
    }
    for (std::size_t i = last + 1; i <= size; ++i) {
        m.first[i] = static_cast<std::uint32_t>(m.reach.size());
    }
    return m;
}

// The literal/length code lengths of the fixed codes.
std::array<std::uint8_t, kLiteralLengthCodes> FixedLiteralLengths() {
    std::array<std::uint8_t, kLiteralLengthCodes> l{};
    for (int s = 0; s < kLiteralLengthCodes; ++s) {
        l[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(s < 144   ? 8
                                                                   : s < 256 ? 9
                                                                   : s < 280 ? 7
                                                                             : 8);
    }
    return l;
}
constexpr std::uint8_t kFixedDistanceLength = 5;

// What each symbol costs in bits: literal/length symbols and distance symbols, without extra bits.
struct Costs {
    std::array<float, kLiteralLengthCodes> literal{};
    std::array<float, kDistanceCodes> distance{};
};

// The costs of the fixed codes: their code lengths.
Costs FixedCosts(const std::array<std::uint8_t, kLiteralLengthCodes>& literal) {
    Costs c;
    std::copy(literal.begin(), literal.end(), c.literal.begin());
    c.distance.fill(kFixedDistanceLength);
    return c;
}

// Costs from counts as their information content; an unused symbol costs as one used once.
template <std::size_t N>
void EntropyCosts(const std::array<int, N>& counts, std::array<float, N>& costs) {
    double total = 0;
    for (const int n : counts) {
        total += n;
    }
    const double logTotal = total > 0 ? std::log2(total) : 0.0;
    for (std::size_t s = 0; s < N; ++s) {
        costs[s] =
            static_cast<float>(logTotal - (counts[s] > 0 ? std::log2(static_cast<double>(counts[s])) : 0.0));
    }
}

// The cheapest parse under the costs.
std::vector<Step> CheapestParse(const std::uint8_t* data, std::size_t size, const Matches& m,
                                const Costs& c) {
    const Tables& t = Codes();
    std::array<float, kMaxMatch + 1> lengthCost{};
    for (int l = kMinMatch; l <= kMaxMatch; ++l) {
        const int code = t.lengthCode[static_cast<std::size_t>(l)];
        lengthCost[static_cast<std::size_t>(l)] =
            c.literal[static_cast<std::size_t>(257 + code)] +
            static_cast<float>(kLengthExtra[static_cast<std::size_t>(code)]);
    }
    std::vector<float> cost(size + 1, std::numeric_limits<float>::infinity());
    std::vector<Step> how(size + 1, Step{0, 0});
    cost[0] = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const float here = cost[i];
        const float literal = here + c.literal[data[i]];
        if (literal < cost[i + 1]) {
            cost[i + 1] = literal;
            how[i + 1] = {1, 0};
        }
        int from = kMinMatch;
        for (std::uint32_t r = m.first[i]; r < m.first[i + 1]; ++r) {
            const Reach reach = m.reach[r];
            const int code = t.DistanceCode(reach.distance);
            const float distance = here + c.distance[static_cast<std::size_t>(code)] +
                                   static_cast<float>(kDistanceExtra[static_cast<std::size_t>(code)]);
            // Every length up to kEveryLength, and the longest: a longer match is taken whole.
            const int every = std::min<int>(reach.length, kEveryLength);
            for (int l = from; l <= reach.length; l = l < every || l == reach.length ? l + 1 : reach.length) {
                const float total = distance + lengthCost[static_cast<std::size_t>(l)];
                if (total < cost[i + static_cast<std::size_t>(l)]) {
                    cost[i + static_cast<std::size_t>(l)] = total;
                    how[i + static_cast<std::size_t>(l)] = {static_cast<std::uint16_t>(l), reach.distance};
                }
            }
            from = reach.length + 1;
        }
    }
    std::vector<Step> steps;
    for (std::size_t i = size; i > 0; i -= how[i].length) {
        steps.push_back(how[i]);
    }
    std::reverse(steps.begin(), steps.end());
    return steps;
}

struct Counts {
    std::array<int, kLiteralLengthCodes> literal{};
    std::array<int, kDistanceCodes> distance{};
};

Counts Count(const std::uint8_t* data, const std::vector<Step>& steps) {
    const Tables& t = Codes();
    Counts n;
    std::size_t at = 0;
    for (const Step s : steps) {
        if (s.distance == 0) {
            ++n.literal[data[at]];
        } else {
            ++n.literal[static_cast<std::size_t>(257 + t.lengthCode[s.length])];
            ++n.distance[static_cast<std::size_t>(t.DistanceCode(s.distance))];
        }
        at += s.length;
    }
    ++n.literal[kEndOfBlock];
    return n;
}

// Huffman code lengths of at most `limit` bits for the counts, a complete code: two symbols at least
// have a length (an unused one is added when fewer are used), and the lengths fill the code space.
template <std::size_t N>
std::array<std::uint8_t, N> CodeLengths(std::array<int, N> counts, int limit) {
    std::array<std::uint8_t, N> lengths{};
    int used = 0;
    for (const int n : counts) {
        used += n > 0 ? 1 : 0;
    }
    for (std::size_t s = 0; used < 2 && s < N; ++s) {
        if (counts[s] == 0) {
            counts[s] = 1;
            ++used;
        }
    }
    // Leaves by count (ties by symbol), then the two-queue merge: internal nodes are made in order
    // of weight.
    // Only the first n (keys, leaves) or 2n - 1 (nodes) entries are used: none is read before it is
    // written, so the arrays are left as they are made.
    std::array<std::uint64_t, N> keys;
    std::size_t n = 0;
    for (std::size_t s = 0; s < N; ++s) {
        if (counts[s] > 0) {
            keys[n++] = (static_cast<std::uint64_t>(counts[s]) << 16) | s;
        }
    }
    std::sort(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(n));
    std::array<int, N> leaves;
    std::array<std::uint64_t, 2 * N> weight;
    std::array<int, 2 * N> parent;
    std::fill(parent.begin(), parent.begin() + static_cast<std::ptrdiff_t>(2 * n - 1), -1);
    for (std::size_t i = 0; i < n; ++i) {
        leaves[i] = static_cast<int>(keys[i] & 0xFFFF);
        weight[i] = keys[i] >> 16;
    }
    std::size_t nextLeaf = 0;
    std::size_t nextNode = n;
    for (std::size_t made = n; made < 2 * n - 1; ++made) {
        std::array<std::size_t, 2> pick{};
        for (auto& p : pick) {
            if (nextLeaf < n && (nextNode >= made || weight[nextLeaf] <= weight[nextNode])) {
                p = nextLeaf++;
            } else {
                p = nextNode++;
            }
        }
        weight[made] = weight[pick[0]] + weight[pick[1]];
        parent[pick[0]] = static_cast<int>(made);
        parent[pick[1]] = static_cast<int>(made);
    }
    std::array<int, 2 * N> depth;
    for (std::size_t i = 2 * n - 1; i-- > 0;) {
        depth[i] = parent[i] < 0 ? 0 : depth[static_cast<std::size_t>(parent[i])] + 1;
    }
    // Too long codes are cut to the limit, then codes of the rarest symbols lengthened until the
    // code fits its space, and the commonest shortened while space is left.
    const long long space = 1LL << limit;
    long long kraft = 0;
    for (std::size_t i = 0; i < n; ++i) {
        depth[i] = std::min(depth[i], limit);
        kraft += 1LL << (limit - depth[i]);
    }
    while (kraft > space) {
        std::size_t deepest = n;
        for (std::size_t i = 0; i < n; ++i) {
            if (depth[i] < limit && (deepest == n || depth[i] > depth[deepest])) {
                deepest = i;
            }
        }
        kraft -= 1LL << (limit - depth[deepest] - 1);
        ++depth[deepest];
    }
    while (kraft < space) {
        std::size_t best = n;
        for (std::size_t i = n; i-- > 0;) {
            if (depth[i] > 1 && kraft + (1LL << (limit - depth[i])) <= space &&
                (best == n || depth[i] > depth[best])) {
                best = i;
            }
        }
        kraft += 1LL << (limit - depth[best]);
        --depth[best];
    }
    for (std::size_t i = 0; i < n; ++i) {
        lengths[static_cast<std::size_t>(leaves[i])] = static_cast<std::uint8_t>(depth[i]);
    }
    return lengths;
}

// Each byte with its bits in the opposite order.
constexpr std::array<std::uint8_t, 256> kReversedBytes = [] {
    std::array<std::uint8_t, 256> r{};
    for (unsigned v = 0; v < 256; ++v) {
        unsigned out = 0;
        for (unsigned b = 0; b < 8; ++b) {
            out |= ((v >> b) & 1u) << (7 - b);
        }
        r[v] = static_cast<std::uint8_t>(out);
    }
    return r;
}();

// Canonical codes for the lengths, bit-reversed for writing least significant bit first.
template <std::size_t N>
std::array<std::uint16_t, N> CanonicalCodes(const std::array<std::uint8_t, N>& lengths) {
    std::array<int, kMaxCodeLength + 1> perLength{};
    for (const std::uint8_t l : lengths) {
        ++perLength[l];
    }
    perLength[0] = 0;
    std::array<int, kMaxCodeLength + 2> next{};
    int code = 0;
    for (int l = 1; l <= kMaxCodeLength; ++l) {
        code = (code + perLength[static_cast<std::size_t>(l - 1)]) << 1;
        next[static_cast<std::size_t>(l)] = code;
    }
    std::array<std::uint16_t, N> codes{};
    for (std::size_t s = 0; s < N; ++s) {
        const int l = lengths[s];
        if (l == 0) {
            continue;
        }
        const auto c = static_cast<unsigned>(next[static_cast<std::size_t>(l)]++);
        const unsigned reversed =
            (static_cast<unsigned>(kReversedBytes[c & 0xFF]) << 8) | kReversedBytes[c >> 8];
        codes[s] = static_cast<std::uint16_t>(reversed >> (16 - l));
    }
    return codes;
}

class BitWriter {
  public:
    explicit BitWriter(Bytes& out) : out_(out) {}
    void Put(std::uint32_t value, int bits) {
        buffer_ |= static_cast<std::uint64_t>(value) << count_;
        count_ += bits;
        while (count_ >= 8) {
            out_.push_back(static_cast<std::uint8_t>(buffer_));
            buffer_ >>= 8;
            count_ -= 8;
        }
    }
    void Flush() {
        if (count_ > 0) {
            out_.push_back(static_cast<std::uint8_t>(buffer_));
        }
        buffer_ = 0;
        count_ = 0;
    }

  private:
    Bytes& out_;
    std::uint64_t buffer_ = 0;
    int count_ = 0;
};

// The code lengths of both codes as code length symbols: 0-15 a length, 16 the previous length 3-6
// times, 17 and 18 3-10 and 11-138 zeros.
struct LengthSymbol {
    std::uint8_t symbol;
    std::uint8_t extra;
};

struct Run {
    std::uint8_t value;
    std::uint16_t count;
};

template <class Take>
void RunLengths(const std::vector<Run>& runs, bool repeats, bool shortZeros, bool longZeros, Take take) {
    for (const Run r : runs) {
        const std::uint8_t v = r.value;
        std::size_t run = r.count;
        if (v == 0) {
            while (run >= 3 && (shortZeros || longZeros)) {
                if (longZeros && run >= 11) {
                    const std::size_t n = std::min<std::size_t>(run, 138);
                    take(LengthSymbol{18, static_cast<std::uint8_t>(n - 11)}, 1);
                    run -= n;
                } else if (shortZeros) {
                    const std::size_t n = std::min<std::size_t>(run, 10);
                    take(LengthSymbol{17, static_cast<std::uint8_t>(n - 3)}, 1);
                    run -= n;
                } else {
                    break;
                }
            }
        } else if (repeats && run >= 4) {
            take(LengthSymbol{v, 0}, 1);
            --run;
            while (run >= 3) {
                const std::size_t n = std::min<std::size_t>(run, 6);
                take(LengthSymbol{16, static_cast<std::uint8_t>(n - 3)}, 1);
                run -= n;
            }
        }
        if (run > 0) {
            take(LengthSymbol{v, 0}, run);
        }
    }
}

int ExtraBitsOf(int lengthSymbol) {
    return lengthSymbol == 16 ? 2 : lengthSymbol == 17 ? 3 : lengthSymbol == 18 ? 7 : 0;
}

// A block with its own codes, ready to be written, and its size in bits.
struct DynamicHeader {
    int literalCount = 257;
    int distanceCount = 1;
    int lengthCodeCount = 4;
    std::vector<LengthSymbol> symbols;
    std::array<std::uint8_t, kCodeLengthCodes> lengthCodeLengths{};
    std::size_t bits = 0;
};

DynamicHeader Header(const std::array<std::uint8_t, kLiteralLengthCodes>& literal,
                     const std::array<std::uint8_t, kDistanceCodes>& distance) {
    DynamicHeader best;
    best.bits = std::numeric_limits<std::size_t>::max();
    int literalCount = kLiteralLengthCodes;
    while (literalCount > 257 && literal[static_cast<std::size_t>(literalCount - 1)] == 0) {
        --literalCount;
    }
    int distanceCount = kDistanceCodes;
    while (distanceCount > 1 && distance[static_cast<std::size_t>(distanceCount - 1)] == 0) {
        --distanceCount;
    }
    std::array<std::uint8_t, kLiteralLengthCodes + kDistanceCodes> lengths{};
    std::copy(literal.begin(), literal.begin() + literalCount, lengths.begin());
    std::copy(distance.begin(), distance.begin() + distanceCount, lengths.begin() + literalCount);
    const auto count = static_cast<std::size_t>(literalCount + distanceCount);
    std::vector<Run> runs;
    for (std::size_t i = 0; i < count;) {
        std::size_t n = 1;
        while (i + n < count && lengths[i + n] == lengths[i]) {
            ++n;
        }
        runs.push_back({lengths[i], static_cast<std::uint16_t>(n)});
        i += n;
    }
    // Each way of writing runs (repeats, short and long runs of zeros, each used or not) is
    // counted; the smallest is written out.
    int bestFlags = 0;
    for (int flags = 0; flags < 8; ++flags) {
        DynamicHeader h;
        std::array<int, kCodeLengthCodes> counts{};
        std::size_t extra = 0;
        RunLengths(runs, (flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0,
                   [&counts, &extra](LengthSymbol s, std::size_t times) {
                       counts[s.symbol] += static_cast<int>(times);
                       extra += static_cast<std::size_t>(ExtraBitsOf(s.symbol)) * times;
                   });
        h.lengthCodeLengths = CodeLengths(counts, kMaxCodeLengthCodeLength);
        h.lengthCodeCount = kCodeLengthCodes;
        while (h.lengthCodeCount > 4 &&
               h.lengthCodeLengths[static_cast<std::size_t>(
                   kCodeLengthOrder[static_cast<std::size_t>(h.lengthCodeCount - 1)])] == 0) {
            --h.lengthCodeCount;
        }
        h.bits = 3 + 5 + 5 + 4 + 3 * static_cast<std::size_t>(h.lengthCodeCount) + extra;
        for (int symbol = 0; symbol < kCodeLengthCodes; ++symbol) {
            h.bits += static_cast<std::size_t>(counts[static_cast<std::size_t>(symbol)]) *
                      h.lengthCodeLengths[static_cast<std::size_t>(symbol)];
        }
        if (h.bits < best.bits) {
            best = h;
            bestFlags = flags;
        }
    }
    best.literalCount = literalCount;
    best.distanceCount = distanceCount;
    RunLengths(
        runs, (bestFlags & 1) != 0, (bestFlags & 2) != 0, (bestFlags & 4) != 0,
        [&best](LengthSymbol s, std::size_t times) { best.symbols.insert(best.symbols.end(), times, s); });
    return best;
}

// The bits of the parse's symbols under the lengths, end of block included, without the header.
template <class Lit, class Dist>
std::size_t DataBits(const Counts& n, const Lit& literal, const Dist& distance) {
    std::size_t bits = 0;
    for (int s = 0; s < kLiteralLengthCodes; ++s) {
        bits += static_cast<std::size_t>(n.literal[static_cast<std::size_t>(s)]) *
                (literal[static_cast<std::size_t>(s)] +
                 (s > 256 ? static_cast<std::size_t>(kLengthExtra[static_cast<std::size_t>(s - 257)]) : 0));
    }
    for (int s = 0; s < kDistanceCodes; ++s) {
        bits += static_cast<std::size_t>(n.distance[static_cast<std::size_t>(s)]) *
                (distance[static_cast<std::size_t>(s)] +
                 static_cast<std::size_t>(kDistanceExtra[static_cast<std::size_t>(s)]));
    }
    return bits;
}

// One candidate block: the parse and the codes it is written with (dynamic or fixed).
struct Block {
    std::vector<Step> steps;
    bool fixed = false;
    std::array<std::uint8_t, kLiteralLengthCodes> literal{};
    std::array<std::uint8_t, kDistanceCodes> distance{};
    DynamicHeader header;
    std::size_t bits = std::numeric_limits<std::size_t>::max();
};

void WriteSymbols(BitWriter& w, const std::uint8_t* data, const Block& b) {
    const Tables& t = Codes();
    std::array<std::uint16_t, kLiteralLengthCodes> literalCodes{};
    if (b.fixed) {
        // The fixed code has 288 literal/length symbols; the last two are never sent but take codes.
        std::array<std::uint8_t, kLiteralLengthCodes + 2> all{};
        std::copy(b.literal.begin(), b.literal.end(), all.begin());
        all[kLiteralLengthCodes] = all[kLiteralLengthCodes + 1] = 8;
        const auto codes = CanonicalCodes(all);
        std::copy(codes.begin(), codes.begin() + kLiteralLengthCodes, literalCodes.begin());
    } else {
        literalCodes = CanonicalCodes(b.literal);
    }
    const auto distanceCodes = CanonicalCodes(b.distance);
    std::size_t at = 0;
    for (const Step s : b.steps) {
        if (s.distance == 0) {
            w.Put(literalCodes[data[at]], b.literal[data[at]]);
        } else {
            const int lc = t.lengthCode[s.length];
            const auto symbol = static_cast<std::size_t>(257 + lc);
            w.Put(literalCodes[symbol], b.literal[symbol]);
            w.Put(static_cast<std::uint32_t>(s.length - kLengthBase[static_cast<std::size_t>(lc)]),
                  kLengthExtra[static_cast<std::size_t>(lc)]);
            const auto dc = static_cast<std::size_t>(t.DistanceCode(s.distance));
            w.Put(distanceCodes[dc], b.distance[dc]);
            w.Put(static_cast<std::uint32_t>(s.distance - kDistanceBase[dc]), kDistanceExtra[dc]);
        }
        at += s.length;
    }
    w.Put(literalCodes[kEndOfBlock], b.literal[kEndOfBlock]);
}

}  // namespace

std::vector<std::uint8_t> DeflateOptimal(const std::uint8_t* data, std::size_t size, int passes) {
    const Matches matches = FindMatches(data, size);
    Block best;
    const auto fixedLiteral = FixedLiteralLengths();
    std::array<std::uint8_t, kDistanceCodes> fixedDistance{};
    fixedDistance.fill(kFixedDistanceLength);
    Costs costs = FixedCosts(fixedLiteral);
    for (int pass = 0; pass < std::max(passes, 1); ++pass) {
        std::vector<Step> steps = CheapestParse(data, size, matches, costs);
        const Counts counts = Count(data, steps);
        Block dynamic;
        dynamic.literal = CodeLengths(counts.literal, kMaxCodeLength);
        dynamic.distance = CodeLengths(counts.distance, kMaxCodeLength);
        dynamic.header = Header(dynamic.literal, dynamic.distance);
        dynamic.bits = dynamic.header.bits + DataBits(counts, dynamic.literal, dynamic.distance);
        const std::size_t fixedBits = 3 + DataBits(counts, fixedLiteral, fixedDistance);
        if (fixedBits < best.bits && fixedBits <= dynamic.bits) {
            best.steps = steps;
            best.fixed = true;
            best.literal = fixedLiteral;
            best.distance = fixedDistance;
            best.bits = fixedBits;
        }
        if (dynamic.bits < best.bits) {
            dynamic.steps = std::move(steps);
            best = std::move(dynamic);
        }
        if (pass + 1 < passes) {
            EntropyCosts(counts.literal, costs.literal);
            EntropyCosts(counts.distance, costs.distance);
        }
    }

    Bytes out{0x78, 0xDA};  // deflate, 32 KiB window, the strongest level
    BitWriter w(out);
    const std::size_t storedBits = 3 + 7 + 32 + 8 * size;
    if (size <= kMaxStored && storedBits <= best.bits) {
        w.Put(1, 1);  // the last block
        w.Put(0, 2);  // stored
        w.Flush();
        const auto n = static_cast<std::uint32_t>(size);
        out.push_back(static_cast<std::uint8_t>(n & 0xFF));
        out.push_back(static_cast<std::uint8_t>(n >> 8));
        out.push_back(static_cast<std::uint8_t>(~n & 0xFF));
        out.push_back(static_cast<std::uint8_t>((~n >> 8) & 0xFF));
        out.insert(out.end(), data, data + size);
    } else {
        w.Put(1, 1);
        w.Put(best.fixed ? 1 : 2, 2);
        if (!best.fixed) {
            const DynamicHeader& h = best.header;
            w.Put(static_cast<std::uint32_t>(h.literalCount - 257), 5);
            w.Put(static_cast<std::uint32_t>(h.distanceCount - 1), 5);
            w.Put(static_cast<std::uint32_t>(h.lengthCodeCount - 4), 4);
            for (int i = 0; i < h.lengthCodeCount; ++i) {
                w.Put(h.lengthCodeLengths[static_cast<std::size_t>(
                          kCodeLengthOrder[static_cast<std::size_t>(i)])],
                      3);
            }
            const auto codes = CanonicalCodes(h.lengthCodeLengths);
            for (const LengthSymbol s : h.symbols) {
                w.Put(codes[s.symbol], h.lengthCodeLengths[s.symbol]);
                w.Put(s.extra, ExtraBitsOf(s.symbol));
            }
        }
        WriteSymbols(w, data, best);
        w.Flush();
    }
    const std::uint32_t adler = libdeflate_adler32(1, data, size);
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>((adler >> shift) & 0xFF));
    }
    return out;
}

}  // namespace encode
