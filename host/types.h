#pragma once
// Values shared by every part of the program.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Bytes in the system code page (GBK), without NUL bytes. A missing text and
// the empty text are the same value.
using Text = std::string;

// A counted byte buffer; empty is what an operation gives when it has no bytes.
using ByteSet = std::vector<std::uint8_t>;

// Read-only bytes handed to an operation: a ByteSet or data built into the program.
class ByteView {
public:
    constexpr ByteView() = default;
    constexpr ByteView(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    ByteView(const ByteSet& bytes) : data_(bytes.data()), size_(bytes.size()) {}

    constexpr const std::uint8_t* data() const { return data_; }
    constexpr std::size_t size() const { return size_; }
    constexpr bool empty() const { return size_ == 0; }
    constexpr const std::uint8_t* begin() const { return data_; }
    constexpr const std::uint8_t* end() const { return data_ + size_; }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

// Optional arguments of host operations are std::optional: an omitted argument
// (std::nullopt) keeps the documented default, a passed empty value is applied.
