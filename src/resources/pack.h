// One resource archive (".pak"): a list of named entries read whole into
// memory, plus the builder operations that write archives.
//
// File format, little-endian, no padding:
//   int32 entry_count, then entry_count records of
//   int8 name_length (0..127), name bytes (no terminator), int32 data_size (>= 0), data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "resources/raw.h"

// The largest archive file read: 256 MiB, over a hundred times the largest
// archive the saver ships (about 2 MiB). Anything larger is refused before a
// byte of it is held in memory.
constexpr std::size_t kMaxArchiveBytes = std::size_t{256} << 20;

class Pack {
public:
    // An empty archive, for building one with pushfile and save.
    Pack() = default;

    // Reads the whole archive at path. An archive that cannot be opened, is not
    // a regular file, is larger than kMaxArchiveBytes or is malformed (a count, length or size running past the end of the file, a
    // negative size, a name length above 127) ends the process with status 1
    // after one line on stderr and the system log naming the file and the fault.
    explicit Pack(const char* path);

    // Reads the archive at path without ending the process, replacing the
    // entries held. False and a message naming the file and the fault in
    // *error when it cannot be read; the Pack is then left as it was.
    bool read(const char* path, std::string* error);

    ~Pack();
    Pack(const Pack&) = delete;
    Pack& operator=(const Pack&) = delete;

    // The first entry named name (exact, case-sensitive); {null, 0} when none.
    // The bytes stay valid until this Pack is destroyed.
    raw getfile(const char* name) const;

    // Texture of image entry name, decoded on first request and shared after;
    // 0 when the entry is missing (nothing counted) or cannot be decoded (one
    // reference counted all the same). Needs a current GL context.
    unsigned int getimage(const char* name);

    // Returns one reference of texture; the last one deletes the GL texture.
    // 0 releases nothing.
    void ungetimage(unsigned int texture);

    // Builder: appends the file at path under the name path (whole string).
    // Returns 1, or 0 when the file cannot be read or is 2 GiB or larger
    // (nothing appended; the reason in *error when error is given).
    int pushfile(const char* path, std::string* error = nullptr);

    // Builder: appends a copy of data's bytes under name. Returns 1, or 0 when
    // data has a negative size or null data with a positive size.
    int pushfile(const char* name, raw data);

    // Writes the archive to path. Returns false, writing nothing over path, when
    // a name is longer than 127 bytes; false too when the file cannot be written.
    // The reason goes to *error when error is given.
    bool save(const char* path, std::string* error = nullptr) const;

    // Writes each entry's bytes to prefix + name (plain concatenation), making
    // missing folders on the way. An entry whose name has a ".." path component
    // is not written. Returns false when an entry cannot be written (the others are
    // still tried), the reasons in *error, one line each, when error is given.
    bool unpack_all(const char* prefix, std::string* error = nullptr) const;

    // Parallel lists, one element per entry, in file order.
    std::vector<unsigned int> textures;   // GL texture made from entry i, or 0
    std::vector<std::int32_t> texture_refs;  // outstanding getimage requests of entry i
    std::vector<raw> files;               // entry bytes, owned (new[]) by this Pack
    std::vector<std::string> names;       // entry names

private:
    void append(std::string name, raw owned);
    void clear();
};
