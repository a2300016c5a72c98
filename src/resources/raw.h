// One archive entry as handed out: a view of bytes owned by the archive.
#pragma once

#include <cstdint>

struct raw {
    unsigned char* data = nullptr;  // first byte; null when no entry was found
    std::int32_t size = 0;          // bytes at data
};
