#include "encode/LZWEncoder.h"

#include <array>
#include <cstring>
#include <memory>

#include "encode/GIFException.h"

namespace encode {
namespace {

constexpr int kMaxCodeWidth = 12;
constexpr std::uint32_t kLastCode = 4095;  // the next free code that forces a reset

// The string table: 8192 slots of (key << 12) | code, open addressing with a multiplicative hash and
// linear probing. It never holds more than 4096 strings, so at least half of it stays empty.
class THashTable {
  public:
    static constexpr std::uint32_t kSize = 8192;
    static constexpr std::uint32_t kNotFound = 0xFFFFFFFF;

    THashTable() { Clear(); }

    void Clear() { std::memset(slots_.data(), 0xFF, sizeof(slots_)); }

    std::uint32_t Lookup(std::uint32_t key) const {
        const std::uint32_t wanted = key << 12;
        for (std::uint32_t i = Start(key); !Empty(slots_[i]); i = Next(i)) {
            if ((slots_[i] & 0xFFFFF000u) == wanted) {
                return slots_[i] & 0xFFFu;
            }
        }
        return kNotFound;
    }

    void Insert(std::uint32_t key, std::uint32_t code) {
        std::uint32_t i = Start(key);
        while (!Empty(slots_[i])) {
            i = Next(i);
        }
        slots_[i] = (key << 12) | code;
    }

  private:
    // Keys are 20 bits (a 12-bit prefix code and a byte); the top 13 bits of their product with an
    // odd constant spread them over the table.
    static std::uint32_t Start(std::uint32_t key) { return (key * 0x9E3779B1u) >> 19; }
    static std::uint32_t Next(std::uint32_t i) { return (i + 1) & (kSize - 1); }
    static bool Empty(std::uint32_t slot) { return (slot >> 12) == 0xFFFFFu; }

    std::array<std::uint32_t, kSize> slots_;
};

// Packs bytes into data sub-blocks of at most 255 bytes, each after its count byte.
class TGIFWriter {
  public:
    explicit TGIFWriter(QByteArray& out) : out_(out) {}
    TGIFWriter(const TGIFWriter&) = delete;
    TGIFWriter& operator=(const TGIFWriter&) = delete;
    // Buffered bytes are written even when encoding stops on an error.
    ~TGIFWriter() { Flush(); }

    void Put(std::uint8_t byte) {
        buffer_[++count_] = byte;
        if (count_ == kBlockSize) {
            Flush();
        }
    }

    void Flush() {
        if (count_ == 0) {
            return;
        }
        buffer_[0] = static_cast<std::uint8_t>(count_);
        out_.append(reinterpret_cast<const char*>(buffer_.data()), count_ + 1);
        count_ = 0;
    }

  private:
    static constexpr int kBlockSize = 255;
    QByteArray& out_;
    std::array<std::uint8_t, 256> buffer_{};
    int count_ = 0;
};

// A small direct-mapped copy of recent table entries. Every entry it holds is in the string table
// with the same code, and it is emptied whenever the table is, so a hit gives exactly the table's
// answer; it only spares the table's modulo hashing and probing on the common path.
class RecentStrings {
  public:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;

    RecentStrings() { Clear(); }
    void Clear() { std::memset(entries_.data(), 0xFF, sizeof(entries_)); }

    std::uint32_t Find(std::uint32_t key) const {
        const std::uint32_t e = entries_[Slot(key)];
        return (e >> 12) == key ? (e & 0xFFFu) : kEmpty;
    }
    void Remember(std::uint32_t key, std::uint32_t code) { entries_[Slot(key)] = (key << 12) | code; }

  private:
    static std::uint32_t Slot(std::uint32_t key) { return (key ^ (key >> 12)) & (kSlots - 1); }
    static constexpr std::uint32_t kSlots = 4096;
    std::array<std::uint32_t, kSlots> entries_;
};

class TLZWEncoder {
  public:
    TLZWEncoder(TGIFWriter& writer, int bitsPerPixel) : writer_(writer) {
        bitsPerPixel_ = bitsPerPixel;
        initialWidth_ = bitsPerPixel + 1;
        width_ = initialWidth_;
        maxCode_ = (1u << width_) - 1;
        clearCode_ = 1u << bitsPerPixel;
        endCode_ = clearCode_ + 1;
    }

    void Compress(const std::uint8_t* pixels, std::size_t count, int colourCount) {
        const auto limit = static_cast<std::uint32_t>(colourCount);
        auto table = std::make_unique<THashTable>();
        auto recent = std::make_unique<RecentStrings>();
        Emit(clearCode_);
        nextFree_ = clearCode_ + 2;

        // With a full table every byte is a valid index and the per-pixel test can go.
        const bool checkColours = limit < 256;
        std::uint32_t prefix = pixels[0];
        if (checkColours && prefix >= limit) {
            throw GIFException(kColorNotInTable);
        }
        for (std::size_t i = 1; i < count; ++i) {
            const std::uint32_t c = pixels[i];
            if (checkColours && c >= limit) {
                throw GIFException(kColorNotInTable);
            }
            const std::uint32_t key = (prefix << 8) | c;
            std::uint32_t code = recent->Find(key);
            if (code == RecentStrings::kEmpty) {
                code = table->Lookup(key);
                if (code != THashTable::kNotFound) {
                    recent->Remember(key, code);
                }
            }
            if (code != THashTable::kNotFound) {
                prefix = code;
                continue;
            }
            Emit(prefix);
            prefix = c;
            if (nextFree_ >= kLastCode) {
                Emit(clearCode_);
                table->Clear();
                recent->Clear();
                nextFree_ = clearCode_ + 2;
            } else {
                table->Insert(key, nextFree_);
                recent->Remember(key, nextFree_);
                ++nextFree_;
            }
        }
        Emit(prefix);
        Emit(endCode_);
    }

    void EmitEndOnly() { Emit(endCode_); }

  private:
    void Emit(std::uint32_t v) {
        if (bitCount_ > 0) {
            bucket_ = (bucket_ & ((1u << bitCount_) - 1)) | (v << bitCount_);
        } else {
            bucket_ = v;
        }
        bitCount_ += width_;
        while (bitCount_ >= 8) {
            writer_.Put(static_cast<std::uint8_t>(bucket_ & 0xFF));
            bucket_ >>= 8;
            bitCount_ -= 8;
        }
        if (v == endCode_) {
            while (bitCount_ > 0) {
                writer_.Put(static_cast<std::uint8_t>(bucket_ & 0xFF));
                bucket_ >>= 8;
                bitCount_ -= 8;
            }
        }
        if (v == clearCode_) {
            width_ = initialWidth_;
            maxCode_ = (1u << width_) - 1;
        } else if (nextFree_ > maxCode_) {
            ++width_;
            maxCode_ = width_ == kMaxCodeWidth ? 4096u : (1u << width_) - 1;
        }
    }

    TGIFWriter& writer_;
    int bitsPerPixel_ = 0;
    int initialWidth_ = 0;
    int width_ = 0;
    std::uint32_t maxCode_ = 0;
    std::uint32_t clearCode_ = 0;
    std::uint32_t endCode_ = 0;
    std::uint32_t nextFree_ = 0;
    std::uint32_t bucket_ = 0;
    int bitCount_ = 0;
};

}  // namespace

void LZWCompress(QByteArray& out, int bitsPerPixel, int width, int height, const std::uint8_t* pixels,
                 int colourCount) {
    const int codeSize = std::max(bitsPerPixel, 2);
    out.append(static_cast<char>(codeSize));
    {
        TGIFWriter writer(out);
        TLZWEncoder encoder(writer, codeSize);
        if (pixels != nullptr && width > 0 && height > 0) {
            encoder.Compress(pixels, static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                             colourCount);
        } else {
            encoder.EmitEndOnly();
        }
    }
    out.append('\0');
}

}  // namespace encode
