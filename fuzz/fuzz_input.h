// Reads fuzzer bytes as a stream of small decisions; past the end it yields zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace plx::fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <typename T>
    T Take() {
        T value{};
        const std::size_t n = sizeof(T) < Left() ? sizeof(T) : Left();
        std::memcpy(&value, data_ + at_, n);
        at_ += n;
        return value;
    }
    bool Flag() { return Take<std::uint8_t>() & 1; }
    std::vector<std::uint8_t> Bytes(std::size_t most) {
        const std::size_t n = Take<std::uint16_t>() % (most + 1);
        const std::size_t take = n < Left() ? n : Left();
        std::vector<std::uint8_t> bytes(data_ + at_, data_ + at_ + take);
        at_ += take;
        return bytes;
    }
    std::string Text(std::size_t most) {
        auto bytes = Bytes(most);
        return std::string(bytes.begin(), bytes.end());
    }
    std::size_t Left() const { return size_ - at_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace plx::fuzz
