#include "platform/registry_text.h"
#include <cstdio>

namespace registry {

namespace {

constexpr std::string_view header = "REGEDIT4";
constexpr std::string_view line_end = "\r\n"; // what regedit writes and expects
// Most keys hold a handful of values, searched faster in turn than through an
// index of their own; a key indexes its values once it holds this many.
constexpr std::size_t indexed_values = 16;

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim_left(std::string_view s)
{
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view trim_right(std::string_view s)
{
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view trim(std::string_view s)
{
    return trim_right(trim_left(s));
}

bool starts_with_nocase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && same_name(s.substr(0, prefix.size()), prefix);
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = lower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// 1 to `max_digits` hexadecimal digits and nothing else.
bool parse_hex_number(std::string_view s, std::size_t max_digits, std::uint32_t& number)
{
    if (s.empty() || s.size() > max_digits) return false;
    number = 0;
    for (char c : s) {
        const int d = hex_digit(c);
        if (d < 0) return false;
        number = (number << 4) | static_cast<std::uint32_t>(d);
    }
    return true;
}

// A quoted text starting at s[pos]; only \\ and \" are escapes in REGEDIT4.
bool parse_quoted(std::string_view s, std::size_t& pos, std::string& out)
{
    if (pos >= s.size() || s[pos] != '"') return false;
    ++pos;
    while (pos < s.size()) {
        const char c = s[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\') {
            if (pos + 1 >= s.size() || (s[pos + 1] != '\\' && s[pos + 1] != '"')) return false;
            out += s[pos + 1];
            pos += 2;
        } else {
            out += c;
            ++pos;
        }
    }
    return false;
}

bool parse_hex_list(std::string_view list, std::string& bytes)
{
    list = trim(list);
    if (list.empty()) return true;
    while (true) {
        const std::size_t comma = list.find(',');
        std::uint32_t byte = 0;
        if (!parse_hex_number(trim(list.substr(0, comma)), 2, byte)) return false;
        bytes += static_cast<char>(byte);
        if (comma == std::string_view::npos) return true;
        list.remove_prefix(comma + 1);
    }
}

class Parser {
public:
    explicit Parser(std::string_view text)
    {
        if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
        while (!text.empty()) {
            const std::size_t nl = text.find('\n');
            lines_.push_back(text.substr(0, nl));
            if (nl == std::string_view::npos) break;
            text.remove_prefix(nl + 1);
        }
    }

    ParseResult run()
    {
        ParseResult result;
        std::size_t i = 0;
        while (i < lines_.size() && trim(lines_[i]).empty()) ++i;
        if (i == lines_.size()) {
            result.ok = true; // nothing written yet
            return result;
        }
        if (trim(lines_[i]) != header) return fail(result, i, "the first line is not REGEDIT4");
        StoreKey* key = nullptr;
        for (++i; i < lines_.size(); ++i) {
            const std::string_view line = trim(lines_[i]);
            if (line.empty() || line.front() == ';') continue;
            if (line.front() == '[') {
                if (line.back() != ']' || line.size() < 3) return fail(result, i, "a key line without its closing ]");
                const std::string path(line.substr(1, line.size() - 2));
                if (path.front() == '-') return fail(result, i, "a key deletion");
                key = &result.document.key(path);
                continue;
            }
            if (line.front() != '"' && line.front() != '@')
                return fail(result, i, "neither a key nor a value");
            if (!key) return fail(result, i, "a value before the first key");
            const std::size_t first = i;
            StoreValue value;
            if (!parse_value(line, i, value)) return fail(result, first, "a value that cannot be read");
            key->set(value.name, value.value);
        }
        result.ok = true;
        return result;
    }

private:
    ParseResult& fail(ParseResult& result, std::size_t line, const char* why)
    {
        result.ok = false;
        result.document = {};
        result.error = "line " + std::to_string(line + 1) + ": " + why;
        return result;
    }

    // One value line; a hex list may continue over following lines that the
    // previous one ends with "\", and `i` then moves to the last of them.
    bool parse_value(std::string_view line, std::size_t& i, StoreValue& out)
    {
        std::size_t pos = 0;
        if (line.front() == '@') {
            pos = 1;
        } else if (!parse_quoted(line, pos, out.name)) {
            return false;
        }
        std::string_view rest = trim_left(line.substr(pos));
        if (rest.empty() || rest.front() != '=') return false;
        rest = trim_left(rest.substr(1));

        if (!rest.empty() && rest.front() == '"') {
            std::size_t end = 0;
            std::string text;
            if (!parse_quoted(rest, end, text) || !trim(rest.substr(end)).empty()) return false;
            out.value = string_value(text);
            return true;
        }
        if (starts_with_nocase(rest, "dword:")) {
            std::uint32_t number = 0;
            if (!parse_hex_number(trim(rest.substr(6)), 8, number)) return false;
            out.value = dword_value(static_cast<std::int32_t>(number));
            return true;
        }
        std::uint32_t type = type_binary;
        if (starts_with_nocase(rest, "hex:")) {
            rest.remove_prefix(4);
        } else if (starts_with_nocase(rest, "hex(")) {
            const std::size_t close = rest.find("):");
            if (close == std::string_view::npos || !parse_hex_number(rest.substr(4, close - 4), 8, type)) return false;
            rest.remove_prefix(close + 2);
        } else {
            return false; // includes "-", a value deletion
        }
        std::string list(trim_right(rest));
        while (!list.empty() && list.back() == '\\') {
            list.pop_back();
            if (++i >= lines_.size()) return false;
            list += trim(lines_[i]);
        }
        out.value.type = type;
        return parse_hex_list(list, out.value.data);
    }

    std::vector<std::string_view> lines_;
};

void append_quoted(std::string& out, std::string_view text)
{
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

bool has_control(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) < 0x20) return true;
    return false;
}

void append_hex(std::string& out, const std::string& bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i) out += ',';
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += digits[b >> 4];
        out += digits[b & 0xF];
    }
}

void append_value(std::string& out, const RawValue& value)
{
    const std::string& d = value.data;
    // The quoted form holds one line of text and implies the terminating zero.
    const std::string_view text = std::string_view(d).substr(0, d.empty() ? 0 : d.size() - 1);
    if (value.type == type_sz && !d.empty() && d.back() == '\0' && !has_control(text)) {
        append_quoted(out, text);
        return;
    }
    if (value.type == type_dword && d.size() == 4) {
        char text[16];
        std::uint32_t number = 0;
        for (std::size_t i = 4; i-- > 0;) number = (number << 8) | static_cast<unsigned char>(d[i]);
        std::snprintf(text, sizeof text, "dword:%08x", static_cast<unsigned>(number));
        out += text;
        return;
    }
    if (value.type == type_binary) {
        out += "hex:";
    } else {
        char text[24];
        std::snprintf(text, sizeof text, "hex(%x):", static_cast<unsigned>(value.type));
        out += text;
    }
    append_hex(out, d);
}

} // namespace

bool same_name(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::size_t SameNameHash::operator()(std::string_view name) const
{
    // FNV-1a over the lower-case letters.
    std::size_t hash = 14695981039346656037ull;
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(lower(c))) * 1099511628211ull;
    return hash;
}

std::size_t StoreKey::position(std::string_view name) const
{
    if (index_.empty()) {
        for (std::size_t i = 0; i < values.size(); ++i)
            if (same_name(values[i].name, name)) return i;
        return values.size();
    }
    const auto at = index_.find(name);
    return at == index_.end() ? values.size() : at->second;
}

const RawValue* StoreKey::find(std::string_view name) const
{
    const std::size_t at = position(name);
    return at < values.size() ? &values[at].value : nullptr;
}

void StoreKey::set(const std::string& name, const RawValue& value)
{
    if (const std::size_t at = position(name); at < values.size()) {
        values[at].value = value; // the name keeps the case it was first written in
        return;
    }
    // Listed first, indexed second: the index never points past the list.
    values.push_back({name, value});
    if (values.size() < indexed_values) return;
    if (index_.empty()) {
        for (std::size_t i = 0; i < values.size(); ++i) index_.emplace(values[i].name, i);
    } else {
        index_.emplace(name, values.size() - 1);
    }
}

StoreKey* StoreDocument::find(std::string_view path)
{
    const auto at = index_.find(path);
    return at == index_.end() ? nullptr : &keys[at->second];
}

const StoreKey* StoreDocument::find(std::string_view path) const
{
    const auto at = index_.find(path);
    return at == index_.end() ? nullptr : &keys[at->second];
}

StoreKey& StoreDocument::key(const std::string& path)
{
    if (StoreKey* k = find(path)) return *k;
    keys.emplace_back().path = path;
    index_.emplace(path, keys.size() - 1);
    return keys.back();
}

ParseResult parse_store_text(std::string_view text)
{
    return Parser(text).run();
}

std::string format_store_text(const StoreDocument& document)
{
    std::string out(header);
    out += line_end;
    for (const StoreKey& key : document.keys) {
        out += line_end;
        out += '[';
        out += key.path;
        out += ']';
        out += line_end;
        for (const StoreValue& v : key.values) {
            if (v.name.empty()) {
                out += '@';
            } else {
                append_quoted(out, v.name);
            }
            out += '=';
            append_value(out, v.value);
            out += line_end;
        }
    }
    out += line_end;
    return out;
}

bool writable_key_path(std::string_view path)
{
    return !path.empty() && path.front() != '-' && !has_control(path) && trim(path) == path;
}

bool writable_value_name(std::string_view name)
{
    return !has_control(name);
}

} // namespace registry
