// Parsing of computed-texture names:
//   <any char>#Fire<width><sep><height>
//   <any char>#Plasma<width><sep><height><sep><p0><sep><p1><sep><p2>
// The first two characters are skipped; the kind runs up to the first decimal
// digit; each separator is one character, any; integers are read as formatted
// stream input reads them (leading white space skipped, optional sign); the
// plasma parameters keep their low 8 bits. Anything after the last field is
// ignored. Pure: no GL, no logging.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class TextureKind { fire, plasma };

struct TextureName {
    TextureKind kind = TextureKind::fire;
    std::int32_t width = 0;   // pixels, 1 .. max_size
    std::int32_t height = 0;  // pixels, 1 .. max_size (fire: at least 2)
    unsigned char plasma[3] = {0, 0, 0};  // plasma only: p0, p1, p2
};

// The description of name, or nothing when name is not one: a kind other than
// "Fire" or "Plasma", a missing or unreadable integer or separator, a size
// below 1 or above max_size (the registry passes the GL implementation's
// largest texture, at most kMaxGeneratedSide of texturebase.h), a fire
// less than 1 x 2, or width * height * 4 beyond 32-bit int. On failure, when
// why is given, it receives a short reason.
std::optional<TextureName> parse_texture_name(std::string_view name, int max_size,
                                              std::string* why = nullptr);
