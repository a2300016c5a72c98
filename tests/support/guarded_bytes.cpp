#include "support/guarded_bytes.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace lunabrelle::test {

GuardedBytes::GuardedBytes(const std::vector<std::uint8_t>& bytes) : size_(bytes.size()) {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t readable = (bytes.size() + page - 1) / page * page;
    mapped_ = readable + page;
    mapping_ = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping_ == MAP_FAILED || mprotect(static_cast<char*>(mapping_) + readable, page, PROT_NONE) != 0)
        throw std::runtime_error("cannot map guarded bytes");
    data_ = static_cast<std::uint8_t*>(mapping_) + readable - bytes.size();
    if (!bytes.empty()) std::memcpy(data_, bytes.data(), bytes.size());
}

GuardedBytes::~GuardedBytes() { munmap(mapping_, mapped_); }

}  // namespace lunabrelle::test
