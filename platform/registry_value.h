#pragma once
// Registry values as the stores keep them: a type number and the data bytes.
// Text data is UTF-8 with its terminating zero, whatever the store keeps
// underneath, so sizes and checks are the same for every back end.
//
// This file and registry_value.cpp use the standard library only, so the
// Windows back end can be built and tested without Qt.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace registry {

// The Windows type numbers; other numbers pass through the stores untouched.
inline constexpr std::uint32_t type_none = 0;
inline constexpr std::uint32_t type_sz = 1;
inline constexpr std::uint32_t type_expand_sz = 2;
inline constexpr std::uint32_t type_binary = 3;
inline constexpr std::uint32_t type_dword = 4;

struct RawValue {
    std::uint32_t type = type_none;
    std::string data;
    bool operator==(const RawValue&) const = default;
};

// The outcome of reading a value into a buffer of a given size.
enum class ReadStatus {
    ok,
    get_failed,   // the value is missing, unreadable or larger than the buffer
    invalid_type, // it fits but is not of the type asked for
};

RawValue dword_value(std::int32_t number);
RawValue string_value(const std::string& utf8);
RawValue expand_string_value(const std::string& utf8);
RawValue binary_value(const std::string& bytes);

// Integers and flags: a 4-byte buffer, REG_DWORD, little-endian.
ReadStatus read_dword(const std::optional<RawValue>& value, std::int32_t& number);
// Exactly `size` bytes of REG_BINARY.
ReadStatus read_binary(const std::optional<RawValue>& value, std::size_t size, std::string& bytes);
// REG_SZ or REG_EXPAND_SZ, cut at the first zero; size zero is empty.
ReadStatus read_string(const std::optional<RawValue>& value, std::string& utf8);

// An IEEE 754 double as 8 little-endian bytes, and back.
std::string double_bytes(double number);
double double_from_bytes(const std::string& eight_bytes);

} // namespace registry
