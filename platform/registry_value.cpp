#include "platform/registry_value.h"
#include <bit>

namespace registry {

namespace {

std::string little_endian(std::uint64_t bits, int bytes)
{
    std::string out(static_cast<std::size_t>(bytes), '\0');
    for (int i = 0; i < bytes; ++i) out[static_cast<std::size_t>(i)] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return out;
}

std::uint64_t from_little_endian(const std::string& data)
{
    std::uint64_t bits = 0;
    for (std::size_t i = data.size(); i-- > 0;) bits = (bits << 8) | static_cast<unsigned char>(data[i]);
    return bits;
}

} // namespace

RawValue dword_value(std::int32_t number)
{
    return {type_dword, little_endian(static_cast<std::uint32_t>(number), 4)};
}

RawValue string_value(const std::string& utf8)
{
    // Stored with its terminating zero, as Windows keeps REG_SZ.
    return {type_sz, utf8 + '\0'};
}

RawValue expand_string_value(const std::string& utf8)
{
    return {type_expand_sz, utf8 + '\0'};
}

RawValue binary_value(const std::string& bytes)
{
    return {type_binary, bytes};
}

ReadStatus read_dword(const std::optional<RawValue>& value, std::int32_t& number)
{
    if (!value || value->data.size() > 4) return ReadStatus::get_failed;
    // A REG_DWORD shorter than four bytes would leave part of the number unknown.
    if (value->type != type_dword || value->data.size() != 4) return ReadStatus::invalid_type;
    number = static_cast<std::int32_t>(static_cast<std::uint32_t>(from_little_endian(value->data)));
    return ReadStatus::ok;
}

ReadStatus read_binary(const std::optional<RawValue>& value, std::size_t size, std::string& bytes)
{
    if (!value || value->data.size() > size) return ReadStatus::get_failed;
    if (value->type != type_binary || value->data.size() != size) return ReadStatus::invalid_type;
    bytes = value->data;
    return ReadStatus::ok;
}

ReadStatus read_string(const std::optional<RawValue>& value, std::string& utf8)
{
    if (!value) return ReadStatus::get_failed;
    if (value->type != type_sz && value->type != type_expand_sz) return ReadStatus::invalid_type;
    const std::size_t zero = value->data.find('\0');
    utf8 = value->data.substr(0, zero);
    return ReadStatus::ok;
}

std::string double_bytes(double number)
{
    return little_endian(std::bit_cast<std::uint64_t>(number), 8);
}

double double_from_bytes(const std::string& eight_bytes)
{
    return std::bit_cast<double>(from_little_endian(eight_bytes.substr(0, 8)));
}

} // namespace registry
