// Bytes that end right before an inaccessible page: a reader that looks even
// one byte past the end faults at once, in a plain build too, instead of
// quietly reading whatever follows on the heap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lunabrelle::test {

class GuardedBytes {
public:
    explicit GuardedBytes(const std::vector<std::uint8_t>& bytes);
    ~GuardedBytes();
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;

    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    void* mapping_ = nullptr;
    std::size_t mapped_ = 0;
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace lunabrelle::test
