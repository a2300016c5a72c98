#include "resources/decoder_guards.h"

#include <cstring>

namespace {

constexpr unsigned kFill = 0xFF;
constexpr unsigned kStartOfImage = 0xD8;
constexpr unsigned kEndOfImage = 0xD9;
constexpr unsigned kStartOfScan = 0xDA;
constexpr unsigned kHuffmanTables = 0xC4;
constexpr unsigned kProgressiveFrame = 0xC2;
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

// Which Huffman tables the table segments so far have defined.
struct DefinedTables {
    bool dc[4] = {};
    bool ac[4] = {};
};

// Checks the tables of the segment whose length field is at `at`, consuming
// them as the decoder does and noting which it defines; *next is where the
// decoder looks for the next marker. False when a table declares too many
// codes.
bool tables_fit(const Reader& in, std::size_t at, DefinedTables* defined, std::size_t* next,
                bool* decoder_stops) {
    long left = long(in.be16(at)) - 2;
    at += 2;
    while (left > 0) {
        const unsigned kind = in.at(at) >> 4, slot = in.at(at) & 15;
        std::size_t codes = 0;
        for (std::size_t i = 1; i <= 16; ++i) codes += in.at(at + i);
        if (codes > kMaxCodes) return false;
        if (kind <= 1 && slot <= 3) (kind == 0 ? defined->dc : defined->ac)[slot] = true;
        at += 17 + codes;
        left -= long(17 + codes);
    }
    // The decoder gives up on a segment whose tables do not fill it exactly.
    *decoder_stops = left != 0;
    *next = at;
    return true;
}

// Whether every Huffman table the scan whose header's length field is at `at`
// decodes with has been defined. A progressive frame's DC scans use only DC
// tables, and only in their first pass; its other scans use only AC tables.
// Headers the decoder refuses pass: it never decodes their scans.
bool scan_tables_defined(const Reader& in, std::size_t at, const DefinedTables& defined,
                         bool progressive) {
    const unsigned components = in.at(at + 2);
    if (components < 1 || components > 4) return true;
    const std::size_t after = at + 3 + 2 * std::size_t(components);
    const unsigned spectral_start = in.at(after), first_pass = (in.at(after + 2) >> 4) == 0;
    for (std::size_t i = 0; i < components; ++i) {
        const unsigned tables = in.at(at + 3 + 2 * i + 1);
        const unsigned dc = tables >> 4, ac = tables & 15;
        if (dc > 3 || ac > 3) return true;
        const bool needs_dc = !progressive || (spectral_start == 0 && first_pass);
        const bool needs_ac = !progressive || spectral_start != 0;
        if ((needs_dc && !defined.dc[dc]) || (needs_ac && !defined.ac[ac])) return false;
    }
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

bool jpeg_huffman_tables_sound(const unsigned char* bytes, std::size_t count) {
    const Reader in{bytes, count};
    // The decoder takes fill bytes before the start-of-image marker too.
    std::size_t at = 0;
    while (at < count && bytes[at] == kFill) ++at;
    if (at == 0 || at >= count || bytes[at] != kStartOfImage) return true;
    ++at;
    DefinedTables defined;
    bool progressive = false;
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
            if (!tables_fit(in, at, &defined, &at, &decoder_stops)) return false;
            if (decoder_stops) break;
            continue;
        }
        if (marker == kProgressiveFrame) progressive = true;
        if (marker == kStartOfScan && !scan_tables_defined(in, at, defined, progressive)) return false;
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
