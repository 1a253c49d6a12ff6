#include "files/model_file_checks.h"
#include "files/model_file.h"
#include <QCoreApplication>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace {

bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Whitespace-separated words of a text, one at a time.
class Words {
public:
    Words(QByteArrayView text, qsizetype from = 0) : text(text), at(from) {}
    std::optional<QByteArrayView> next()
    {
        while (at < text.size() && is_space(text[at])) ++at;
        if (at == text.size()) return std::nullopt;
        const qsizetype start = at;
        while (at < text.size() && !is_space(text[at])) ++at;
        return text.sliced(start, at - start);
    }
    qsizetype left() const { return text.size() - at; }

private:
    QByteArrayView text;
    qsizetype at;
};

// The leading digits of `word` as a count, saturated far above any limit.
std::int64_t count_of(QByteArrayView word)
{
    std::int64_t count = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') break;
        count = std::min<std::int64_t>(count * 10 + (c - '0'), std::int64_t(1) << 48);
    }
    return count;
}

bool starts_with_word(QByteArrayView bytes, const char* word)
{
    const qsizetype length = qsizetype(std::strlen(word));
    return bytes.size() >= length && QByteArrayView(bytes.first(length)).compare(word, Qt::CaseInsensitive) == 0;
}

QString stl_claims_too_much(std::int64_t triangles)
{
    return QCoreApplication::translate("ModelFile", "the STL header claims %1 triangles, more than the file holds").arg(triangles);
}

// Assimp takes an STL for binary when its size is 84 + 50 bytes per triangle
// counted in 32 bits, which wraps: a short file can claim billions.
QString stl_fault(QByteArrayView bytes, bool stl_suffix)
{
    if (bytes.size() < 84) return {};
    const std::int64_t triangles = qFromLittleEndian<std::uint32_t>(bytes.data() + 80);
    const std::int64_t needed = 84 + 50 * triangles;
    if (needed == bytes.size()) return triangles > most_model_triangles ? too_many_triangles(triangles) : QString();
    if (std::uint32_t(needed) == std::uint32_t(bytes.size())) return stl_claims_too_much(triangles);
    Words words(bytes.first(std::min<qsizetype>(bytes.size(), 200)));
    const auto first = words.next();
    const bool text = first && starts_with_word(*first, "solid");
    if (stl_suffix && !text && needed > bytes.size()) return stl_claims_too_much(triangles);
    return {};
}

struct PlyProperty {
    bool list = false;
    int count_size = 0; // list length's bytes
    bool count_signed = false;
    bool count_real = false;
    int size = 0; // the value's or each list item's bytes
};

struct PlyElement {
    QByteArray name;
    std::int64_t count = 0;
    std::vector<PlyProperty> properties;
};

// A PLY value type's bytes, its sign and whether it is a real number.
struct PlyType {
    int size = 1; // an unknown type takes at least a byte
    bool is_signed = false;
    bool real = false;
};

PlyType ply_type(QByteArrayView name)
{
    const auto is = [&](const char* a, const char* b) { return name == a || name == b; };
    if (is("char", "int8")) return {1, true, false};
    if (is("uchar", "uint8")) return {1, false, false};
    if (is("short", "int16")) return {2, true, false};
    if (is("ushort", "uint16")) return {2, false, false};
    if (is("int", "int32")) return {4, true, false};
    if (is("uint", "uint32")) return {4, false, false};
    if (is("float", "float32")) return {4, true, true};
    if (is("double", "float64")) return {8, true, true};
    return {};
}

QString ply_claims_too_much(const PlyElement& element)
{
    return QCoreApplication::translate("ModelFile", "the PLY header claims %1 %2 elements, more than the file holds")
        .arg(element.count)
        .arg(QString::fromLatin1(element.name.left(40)));
}

QString ply_ends_early()
{
    return QCoreApplication::translate("ModelFile", "the PLY file ends before the elements its header lists");
}

QString ply_list_too_long(double length)
{
    return QCoreApplication::translate("ModelFile", "a PLY list claims %1 values, more than the file holds").arg(length, 0, 'f', 0);
}

// A binary list length at `at`.
double binary_count(const char* at, const PlyProperty& p, bool big_endian)
{
    char bytes[8];
    std::memcpy(bytes, at, std::size_t(p.count_size));
    if (big_endian) std::reverse(bytes, bytes + p.count_size);
    switch (p.count_size) {
    case 1: return p.count_signed ? double(qint8(bytes[0])) : double(quint8(bytes[0]));
    case 2: return p.count_signed ? double(qFromLittleEndian<qint16>(bytes)) : double(qFromLittleEndian<quint16>(bytes));
    case 4:
        if (p.count_real) return double(qFromLittleEndian<float>(bytes));
        return p.count_signed ? double(qFromLittleEndian<qint32>(bytes)) : double(qFromLittleEndian<quint32>(bytes));
    default: return qFromLittleEndian<double>(bytes);
    }
}

// Every list length of the body is checked against the bytes after it:
// Assimp makes room for a list before it reads the list's values.
QString binary_ply_body_fault(QByteArrayView body, const std::vector<PlyElement>& elements, bool big_endian)
{
    qsizetype at = 0;
    for (const PlyElement& element : elements) {
        const bool lists = std::any_of(element.properties.begin(), element.properties.end(),
                                       [](const PlyProperty& p) { return p.list; });
        if (!lists) {
            std::int64_t size = 0;
            for (const PlyProperty& p : element.properties) size += p.size;
            if (size * element.count > body.size() - at) return ply_ends_early();
            at += qsizetype(size * element.count);
            continue;
        }
        for (std::int64_t i = 0; i < element.count; ++i) {
            for (const PlyProperty& p : element.properties) {
                if (!p.list) {
                    if (p.size > body.size() - at) return ply_ends_early();
                    at += p.size;
                    continue;
                }
                if (p.count_size > body.size() - at) return ply_ends_early();
                const double length = binary_count(body.data() + at, p, big_endian);
                at += p.count_size;
                if (!(length >= 0) || length * p.size > double(body.size() - at)) return ply_list_too_long(length);
                at += qsizetype(length) * p.size;
            }
        }
    }
    return {};
}

// The number `word` spells, or nothing when it spells none (with a point
// for decimals whatever the user's language).
std::optional<double> number_in(QByteArrayView word)
{
    bool ok = false;
    const double number = word.toDouble(&ok);
    if (!ok) return std::nullopt;
    return number;
}

QString ply_not_a_number()
{
    return QCoreApplication::translate("ModelFile", "a PLY value is not a number");
}

// Every value must be a number: Assimp loses track of what it allocated
// when one is not.
QString text_ply_body_fault(QByteArrayView body, const std::vector<PlyElement>& elements)
{
    Words words(body);
    for (const PlyElement& element : elements) {
        for (std::int64_t i = 0; i < element.count; ++i) {
            for (const PlyProperty& p : element.properties) {
                const auto word = words.next();
                if (!word) return ply_ends_early();
                const std::optional<double> value = number_in(*word);
                if (!value) return ply_not_a_number();
                if (!p.list) continue;
                // Each value takes a character and a space at least.
                const double length = *value;
                if (!(length >= 0) || length * 2 > double(words.left()) + 1) return ply_list_too_long(length);
                for (std::int64_t v = 0; v < std::int64_t(length); ++v) {
                    const auto item = words.next();
                    if (!item) return ply_ends_early();
                    if (!number_in(*item)) return ply_not_a_number();
                }
            }
        }
    }
    return {};
}

QString ply_fault(QByteArrayView bytes)
{
    enum class Format { Unknown, Text, Little, Big } format = Format::Unknown;
    std::vector<PlyElement> elements;
    qsizetype line_start = 0;
    qsizetype body_start = -1;
    while (line_start < bytes.size()) {
        qsizetype line_end = bytes.indexOf('\n', line_start);
        if (line_end < 0) line_end = bytes.size();
        Words words(bytes.sliced(line_start, line_end - line_start));
        line_start = line_end + 1;
        const auto keyword = words.next();
        if (!keyword) continue;
        if (*keyword == "end_header") {
            body_start = std::min(line_start, bytes.size());
            break;
        }
        if (*keyword == "format") {
            const auto name = words.next().value_or(QByteArrayView());
            format = name == "ascii"                  ? Format::Text
                     : name == "binary_little_endian" ? Format::Little
                     : name == "binary_big_endian"    ? Format::Big
                                                      : Format::Unknown;
        } else if (*keyword == "element") {
            PlyElement element;
            element.name = words.next().value_or(QByteArrayView()).toByteArray();
            element.count = count_of(words.next().value_or(QByteArrayView()));
            elements.push_back(element);
        } else if (*keyword == "property" && !elements.empty()) {
            PlyProperty property;
            const auto type = words.next().value_or(QByteArrayView());
            if (type == "list") {
                const PlyType count = ply_type(words.next().value_or(QByteArrayView()));
                property.list = true;
                property.count_size = count.size;
                property.count_signed = count.is_signed;
                property.count_real = count.real;
                property.size = ply_type(words.next().value_or(QByteArrayView())).size;
            } else {
                property.size = ply_type(type).size;
            }
            elements.back().properties.push_back(property);
        }
    }
    // Assimp searches for ever for a header's end that is not there.
    if (body_start < 0) return QCoreApplication::translate("ModelFile", "the PLY header has no end");
    if (format == Format::Unknown) return QCoreApplication::translate("ModelFile", "the PLY header names no format this program reads");
    const QByteArrayView body = bytes.sliced(body_start);
    std::int64_t least = 0;
    for (const PlyElement& element : elements) {
        std::int64_t each = 0;
        for (const PlyProperty& p : element.properties)
            each += format == Format::Text ? 2 : p.list ? p.count_size : p.size;
        // Compared by division: a header of many properties and a huge count would overflow.
        if (each > 0 && element.count > (body.size() + 1 - least) / each) return ply_claims_too_much(element);
        least += each * element.count;
    }
    for (const PlyElement& element : elements) {
        if (element.name == "face" && element.count > most_model_triangles) return too_many_triangles(element.count);
        if (element.count > most_model_points) return too_many_points(element.count);
    }
    return format == Format::Text ? text_ply_body_fault(body, elements)
                                  : binary_ply_body_fault(body, elements, format == Format::Big);
}

// An OFF header's counts: a point takes at least "0 0 0\n", a face "0\n".
QString off_fault(QByteArrayView bytes)
{
    Words words(bytes.first(std::min<qsizetype>(bytes.size(), 4096)));
    auto word = words.next();
    if (word && word->contains("OFF")) word = words.next();
    const std::int64_t points = count_of(word.value_or(QByteArrayView()));
    const std::int64_t faces = count_of(words.next().value_or(QByteArrayView()));
    if (points * 6 + faces * 2 > bytes.size())
        return QCoreApplication::translate("ModelFile", "the OFF header claims %1 points and %2 faces, more than the file holds").arg(points).arg(faces);
    if (faces > most_model_triangles) return too_many_triangles(faces);
    if (points > most_model_points) return too_many_points(points);
    return {};
}

// An OBJ has no header: its points and faces are counted line by line.
QString obj_fault(QByteArrayView bytes)
{
    std::int64_t points = 0, other_points = 0, triangles = 0;
    qsizetype at = 0;
    while (at < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', at);
        if (end < 0) end = bytes.size();
        const QByteArrayView line = bytes.sliced(at, end - at);
        at = end + 1;
        qsizetype i = 0;
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i + 1 >= line.size()) continue;
        const char kind = line[i], after = line[i + 1];
        if (kind == 'v' && is_space(after)) ++points;
        else if (kind == 'v' && (after == 't' || after == 'n')) ++other_points;
        else if (kind == 'f' && is_space(after)) {
            Words corners(line.sliced(i + 1));
            std::int64_t count = 0;
            while (corners.next()) ++count;
            triangles += std::max<std::int64_t>(count - 2, 1);
        }
    }
    if (triangles > most_model_triangles) return too_many_triangles(triangles);
    if (std::max(points, other_points) > most_model_points) return too_many_points(std::max(points, other_points));
    return {};
}

} // namespace

QString too_many_triangles(std::int64_t triangles)
{
    return QCoreApplication::translate("ModelFile", "the model has %1 triangles, more than the %2 this program reads").arg(triangles).arg(most_model_triangles);
}

QString too_many_points(std::int64_t points)
{
    return QCoreApplication::translate("ModelFile", "the model has %1 points, more than the %2 this program reads").arg(points).arg(most_model_points);
}

QString model_counts_fault(QByteArrayView bytes, QByteArrayView suffix)
{
    // A suffix no reader claims lets Assimp choose one by the content.
    static const QStringList known = model_file_suffixes();
    const bool by_content = !known.contains(QString::fromLatin1(suffix));
    const QByteArray head = bytes.first(std::min<qsizetype>(bytes.size(), 200)).toByteArray().toLower();
    if (starts_with_word(bytes, "ply")) {
        const QString fault = ply_fault(bytes);
        if (!fault.isEmpty()) return fault;
    }
    if (suffix == "stl" || by_content || head.contains("solid") || head.contains("stl")) {
        const QString fault = stl_fault(bytes, suffix == "stl");
        if (!fault.isEmpty()) return fault;
    }
    if (suffix == "off" || (by_content && head.contains("off"))) {
        const QString fault = off_fault(bytes);
        if (!fault.isEmpty()) return fault;
    }
    if (suffix == "obj" || by_content) return obj_fault(bytes);
    return {};
}
