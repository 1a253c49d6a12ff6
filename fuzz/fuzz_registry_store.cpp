// The settings-file parser on arbitrary bytes: it must never read outside
// its input, and whatever it accepts must be written back and read again
// to the same keys and values, so a rewrite loses nothing.
#include "platform/registry_text.h"
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace registry;
    const ParseResult first = parse_store_text(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!first.ok) return 0;
    const std::string written = format_store_text(first.document);
    const ParseResult second = parse_store_text(written);
    if (!second.ok || !(second.document == first.document)) std::abort();
    if (format_store_text(second.document) != written) std::abort();
    return 0;
}
