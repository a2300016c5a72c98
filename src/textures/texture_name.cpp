#include "textures/texture_name.h"

#include <cstdint>
#include <limits>
#include <locale>
#include <sstream>

namespace {

std::optional<TextureName> fail(std::string* why, const char* reason) {
    if (why != nullptr) *why = reason;
    return std::nullopt;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// One separator character followed by an integer.
bool read_field(std::istringstream& in, int* value) {
    return in.get() != std::char_traits<char>::eof() && static_cast<bool>(in >> *value);
}

}  // namespace

std::optional<TextureName> parse_texture_name(std::string_view name, int max_size,
                                              std::string* why) {
    if (name.size() < 2) return fail(why, "name too short");
    std::istringstream in{std::string(name.substr(2))};
    // A global locale with digit grouping must not change how sizes read.
    in.imbue(std::locale::classic());

    std::string kind;
    while (in.peek() != std::char_traits<char>::eof() &&
           !is_digit(static_cast<char>(in.peek()))) {
        kind.push_back(static_cast<char>(in.get()));
    }
    if (in.peek() == std::char_traits<char>::eof()) return fail(why, "no size after the kind");

    TextureName result;
    if (kind == "Fire") {
        result.kind = TextureKind::fire;
    } else if (kind == "Plasma") {
        result.kind = TextureKind::plasma;
    } else {
        return fail(why, "unknown kind");
    }

    int width = 0;
    int height = 0;
    if (!(in >> width)) return fail(why, "unreadable width");
    if (!read_field(in, &height)) return fail(why, "missing separator or height");
    if (result.kind == TextureKind::plasma) {
        for (unsigned char& p : result.plasma) {
            int value = 0;
            if (!read_field(in, &value)) return fail(why, "missing plasma parameter");
            p = static_cast<unsigned char>(value);
        }
    }

    const int min_height = result.kind == TextureKind::fire ? 2 : 1;
    if (width < 1 || height < min_height || width > max_size || height > max_size) {
        return fail(why, "size out of range");
    }
    if (static_cast<std::int64_t>(width) * height * 4 > std::numeric_limits<std::int32_t>::max()) {
        return fail(why, "size too large");
    }
    result.width = width;
    result.height = height;
    return result;
}
