#include "resources/pack.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <utility>

#include "platform/system/system.h"
#include "resources/file_bytes.h"

namespace {

// A read cursor over the archive's bytes: every take checks what is left.
struct Cursor {
    std::span<const unsigned char> bytes;
    std::size_t at = 0;

    std::size_t left() const { return bytes.size() - at; }

    bool take(void* out, std::size_t count) {
        if (count > left()) return false;
        if (count > 0) std::memcpy(out, bytes.data() + at, count);
        at += count;
        return true;
    }

    bool take_int32(std::int32_t* out) {
        unsigned char b[4];
        if (!take(b, 4)) return false;
        std::uint32_t v = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 |
                          std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
        *out = static_cast<std::int32_t>(v);
        return true;
    }
};

// Entries parsed but not yet handed to a Pack; frees its buffers unless released.
struct Parsed {
    std::vector<std::string> names;
    std::vector<raw> files;

    ~Parsed() {
        for (raw& r : files) delete[] r.data;
    }
};

// Smallest record: the length byte and the size field.
constexpr std::size_t kMinRecord = 5;

bool parse(std::span<const unsigned char> bytes, Parsed* out, std::string* fault) {
    Cursor in{bytes};
    std::int32_t count = 0;
    if (!in.take_int32(&count)) {
        *fault = "too short to hold an entry count";
        return false;
    }
    // A negative count reads as an empty archive, like a count of 0.
    if (count > 0 && std::size_t(count) > in.left() / kMinRecord) {
        *fault = "entry count " + std::to_string(count) + " runs past the end of the file";
        return false;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string where = "entry " + std::to_string(i) + ": ";
        unsigned char length_byte = 0;
        if (!in.take(&length_byte, 1)) {
            *fault = where + "the file ends before its name length";
            return false;
        }
        auto length = static_cast<std::int8_t>(length_byte);
        if (length < 0) {
            *fault = where + "name length " + std::to_string(int(length_byte)) + " is above 127";
            return false;
        }
        char name[128];
        if (!in.take(name, std::size_t(length))) {
            *fault = where + "the name runs past the end of the file";
            return false;
        }
        // The name is read as a zero-terminated string: a stray zero byte ends it.
        name[length] = '\0';
        std::int32_t size = 0;
        if (!in.take_int32(&size)) {
            *fault = where + "the file ends before its data size";
            return false;
        }
        if (size < 0) {
            *fault = where + "negative data size " + std::to_string(size);
            return false;
        }
        if (std::size_t(size) > in.left()) {
            *fault = where + "data size " + std::to_string(size) + " runs past the end of the file";
            return false;
        }
        // Even an empty entry gets a buffer, so that a found entry never has
        // null data.
        std::unique_ptr<unsigned char[]> data(new unsigned char[std::size_t(size)]);
        in.take(data.get(), std::size_t(size));
        out->files.push_back({data.get(), size});
        data.release();
        out->names.emplace_back(name);
    }
    return true;
}

}  // namespace

Pack::Pack(const char* path) {
    std::string error;
    if (!read(path, &error)) {
        platform::log(error);
        std::exit(1);
    }
}

bool Pack::read(const char* path, std::string* error) {
    std::vector<unsigned char> bytes;
    std::string fault;
    if (!read_file_bytes(path, kMaxArchiveBytes, &bytes, &fault)) {
        *error = std::string("archive \"") + path + "\": " + fault;
        return false;
    }
    Parsed parsed;
    if (!parse(bytes, &parsed, &fault)) {
        *error = std::string("archive \"") + path + "\" is malformed: " + fault;
        return false;
    }
    clear();
    names = std::move(parsed.names);
    files = std::move(parsed.files);
    parsed.files.clear();
    textures.assign(files.size(), 0);
    texture_refs.assign(files.size(), 0);
    return true;
}

Pack::~Pack() { clear(); }

void Pack::clear() {
    for (raw& r : files) delete[] r.data;
    files.clear();
    names.clear();
    textures.clear();
    texture_refs.clear();
}

void Pack::append(std::string name, raw owned) {
    names.push_back(std::move(name));
    files.push_back(owned);
    textures.push_back(0);
    texture_refs.push_back(0);
}

raw Pack::getfile(const char* name) const {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return files[i];
    return {};
}
