// The registry of open archives: opens archives by name on first use, shares
// them, counts references and closes each when its last reference returns.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/pack.h"
#include "resources/raw.h"

class Media {
public:
    Media() = default;
    ~Media();  // deletes every archive still open; deletes no textures
    Media(const Media&) = delete;
    Media& operator=(const Media&) = delete;

    // Prefix put before archive names; a first character '0' means no prefix.
    void setpwd(std::string prefix);

    // The open archive of that name, opened from pwd + name if needed; counts
    // one reference.
    Pack* loadpack(const char* name);

    // Entry of an archive; counts one archive reference even when the entry is
    // missing ({null, 0}). Return it with unget.
    raw get(const char* archive, const char* entry);

    // Texture of an image entry (0 for none); counts one archive reference and
    // one texture reference. Return both with ungetimage.
    unsigned int getimage(const char* archive, const char* entry);

    void unget(const char* archive);                          // no-op when not open
    void ungetimage(const char* archive, unsigned int texture);  // no-op when not open

    std::string pwd = "0";
    std::vector<Pack*> packs;  // owned
    std::vector<std::string> names;
    std::vector<std::int32_t> refs;

private:
    int find(const char* name) const;
    void release(int index);
};

// The process-wide archive registry.
extern Media media;
