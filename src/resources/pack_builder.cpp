// The archive builder: appending entries, saving and extracting archives.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <vector>

#include "resources/file_bytes.h"
#include "resources/pack.h"

namespace {

constexpr std::size_t kMaxName = 127;
constexpr auto kMaxSize = std::size_t(std::numeric_limits<std::int32_t>::max());

void put_int32(std::vector<unsigned char>* out, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out->push_back(static_cast<unsigned char>(v >> shift));
}

// True when name has a ".." component, which would lead out of the prefix.
bool climbs_out(const std::string& name) {
    std::size_t start = 0;
    for (;;) {
        std::size_t end = name.find('/', start);
        if (name.compare(start, end - start, "..") == 0) return true;
        if (end == std::string::npos) return false;
        start = end + 1;
    }
}

void set_error(std::string* error, std::string message) {
    if (error != nullptr) *error = std::move(message);
}

}  // namespace

int Pack::pushfile(const char* path, std::string* error) {
    std::vector<unsigned char> bytes;
    std::string fault;
    if (!read_file_bytes(path, kMaxSize, &bytes, &fault)) {
        set_error(error, std::string("\"") + path + "\": " + fault);
        return 0;
    }
    return pushfile(path, raw{bytes.data(), static_cast<std::int32_t>(bytes.size())});
}

int Pack::pushfile(const char* name, raw data) {
    if (data.size < 0 || (data.data == nullptr && data.size > 0)) return 0;
    auto size = std::size_t(data.size);
    std::unique_ptr<unsigned char[]> copy(new unsigned char[size]);
    if (size > 0) std::memcpy(copy.get(), data.data, size);
    append(name, raw{copy.get(), data.size});
    copy.release();
    return 1;
}

bool Pack::save(const char* path, std::string* error) const {
    std::vector<unsigned char> out;
    if (names.size() > kMaxSize) {
        set_error(error, std::string("\"") + path + "\": too many entries");
        return false;
    }
    put_int32(&out, static_cast<std::int32_t>(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (name.size() > kMaxName) {
            set_error(error, std::string("\"") + path + "\": entry name \"" + name +
                                 "\" is longer than 127 bytes");
            return false;
        }
        out.push_back(static_cast<unsigned char>(name.size()));
        out.insert(out.end(), name.begin(), name.end());
        put_int32(&out, files[i].size);
        if (files[i].size > 0) out.insert(out.end(), files[i].data, files[i].data + files[i].size);
    }
    std::string fault;
    if (!write_file_bytes(path, out, &fault)) {
        set_error(error, std::string("\"") + path + "\": " + fault);
        return false;
    }
    return true;
}

bool Pack::unpack_all(const char* prefix, std::string* error) const {
    bool all_written = true;
    std::string faults;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string target = prefix + names[i];
        std::string fault;
        if (climbs_out(names[i])) {
            fault = "entry name leads out of the folder";
        } else {
            std::span<const unsigned char> bytes;
            if (files[i].size > 0) bytes = {files[i].data, std::size_t(files[i].size)};
            // Entries stored with folders in their names extract into those folders.
            std::error_code ec;
            const auto folder = std::filesystem::path(target).parent_path();
            if (!folder.empty()) std::filesystem::create_directories(folder, ec);
            if (write_file_bytes(target, bytes, &fault)) continue;
        }
        all_written = false;
        if (!faults.empty()) faults += '\n';
        faults += "\"" + target + "\": " + fault;
    }
    if (!all_written) set_error(error, faults);
    return all_written;
}
