#include "resources/decoder_guards.h"

#include <cstring>

namespace {

constexpr unsigned kFill = 0xFF;
constexpr unsigned kStartOfImage = 0xD8;
constexpr unsigned kEndOfImage = 0xD9;
constexpr unsigned kStartOfScan = 0xDA;
constexpr unsigned kHuffmanTables = 0xC4;
constexpr std::size_t kMaxCodes = 256;

bool is_restart(unsigned marker) { return marker >= 0xD0 && marker <= 0xD7; }

// Markers that stand alone, without a length and a segment after them.
bool stands_alone(unsigned marker) {
    return marker == 0x00 || marker == 0x01 || marker == kStartOfImage || is_restart(marker);
}

struct Reader {
    const unsigned char* bytes;
    std::size_t count;

    // Past the end reads as 0, as it does in the decoder.
    unsigned at(std::size_t i) const { return i < count ? bytes[i] : 0; }
    unsigned be16(std::size_t i) const { return at(i) << 8 | at(i + 1); }
};

// Checks the tables of the segment whose length field is at `at`, consuming
// them as the decoder does; *next is where the decoder looks for the next
// marker. False when a table declares too many codes.
bool tables_fit(const Reader& in, std::size_t at, std::size_t* next, bool* decoder_stops) {
    long left = long(in.be16(at)) - 2;
    at += 2;
    while (left > 0) {
        std::size_t codes = 0;
        for (std::size_t i = 1; i <= 16; ++i) codes += in.at(at + i);
        if (codes > kMaxCodes) return false;
        at += 17 + codes;
        left -= long(17 + codes);
    }
    // The decoder gives up on a segment whose tables do not fill it exactly.
    *decoder_stops = left != 0;
    *next = at;
    return true;
}

// From the start of entropy-coded data to the fill byte of the marker that
// ends it: a fill byte followed by anything but a stuffed zero or a restart.
std::size_t skip_entropy_coded(const Reader& in, std::size_t at) {
    while (at < in.count) {
        if (in.bytes[at] != kFill) {
            ++at;
            continue;
        }
        std::size_t after = at;
        while (after < in.count && in.bytes[after] == kFill) ++after;
        if (after >= in.count) return after;
        const unsigned next = in.bytes[after];
        if (next != 0x00 && !is_restart(next)) return at;
        at = after + 1;
    }
    return at;
}

}  // namespace

bool jpeg_huffman_tables_fit(const unsigned char* bytes, std::size_t count) {
    const Reader in{bytes, count};
    // The decoder takes fill bytes before the start-of-image marker too.
    std::size_t at = 0;
    while (at < count && bytes[at] == kFill) ++at;
    if (at == 0 || at >= count || bytes[at] != kStartOfImage) return true;
    ++at;
    while (at < count) {
        if (bytes[at] != kFill) {  // junk between segments
            ++at;
            continue;
        }
        while (at < count && bytes[at] == kFill) ++at;
        if (at >= count) break;
        const unsigned marker = bytes[at++];
        if (marker == kEndOfImage) break;
        if (stands_alone(marker)) continue;
        if (marker == kHuffmanTables) {
            bool decoder_stops = false;
            if (!tables_fit(in, at, &at, &decoder_stops)) return false;
            if (decoder_stops) break;
            continue;
        }
        const unsigned length = in.be16(at);
        at += length < 2 ? 2 : length;
        if (marker == kStartOfScan) at = skip_entropy_coded(in, at);
    }
    return true;
}

bool png_chunks_fit(const unsigned char* bytes, std::size_t count) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (count < sizeof kSignature || std::memcmp(bytes, kSignature, sizeof kSignature) != 0) return true;
    const Reader in{bytes, count};
    std::size_t at = sizeof kSignature;
    // Each chunk: 4-byte length, 4-byte type, data, 4-byte check value.
    while (count - at >= 8) {
        const std::size_t length = std::size_t(in.be16(at)) << 16 | in.be16(at + 2);
        if (length > count - at - 8) return false;
        if (std::memcmp(bytes + at + 4, "IEND", 4) == 0) break;
        at += 8 + length;
        if (count - at < 4) break;
        at += 4;
    }
    return true;
}
