#include "veride/grey_png.h"
#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <isa-l/igzip_lib.h>
#include <thread>
#include <vector>
#include <zlib.h>

namespace {

struct Chunk {
    const std::uint8_t* type = nullptr;
    const std::uint8_t* data = nullptr;
    std::uint32_t length = 0;

    bool is(const char* name) const { return std::memcmp(type, name, 4) == 0; }
    // Unknown chunks the reader must understand have an upper-case first letter.
    bool critical() const { return (type[0] & 0x20) == 0; }
};

// The chunks of a PNG file, checked against its length and their checksums.
class Chunks {
public:
    explicit Chunks(const QByteArray& file)
        : at_(reinterpret_cast<const std::uint8_t*>(file.constData())), end_(at_ + file.size())
    {
        static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        if (file.size() < 8 || std::memcmp(at_, signature, 8) != 0)
            at_ = end_ = nullptr;
        else
            at_ += 8;
    }

    // The next chunk; false at the end of the file or at a damaged chunk.
    bool next(Chunk& chunk)
    {
        if (end_ - at_ < 12) return false;
        const std::uint32_t length = qFromBigEndian<quint32>(at_);
        if (length > 0x7FFFFFFFu || std::uint64_t(end_ - at_ - 12) < length) return false;
        const std::uint32_t stored_crc = qFromBigEndian<quint32>(at_ + 8 + length);
        if (crc32_z(0, at_ + 4, 4 + std::size_t(length)) != stored_crc) return false;
        // Chunk types are four letters.
        for (int i = 4; i < 8; ++i)
            if (!((at_[i] >= 'A' && at_[i] <= 'Z') || (at_[i] >= 'a' && at_[i] <= 'z'))) return false;
        chunk = {at_ + 4, at_ + 8, length};
        at_ += 12 + std::size_t(length);
        return true;
    }

private:
    const std::uint8_t* at_;
    const std::uint8_t* end_;
};

// Paeth's predictor, written without branches.
inline std::uint8_t paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    const int ab = pa <= pb ? a : b;
    return std::uint8_t(std::min(pa, pb) <= pc ? ab : c);
}

// Undoes a row's filter in place; `prior` is the row above, unfiltered
// (zeros above the first). False for an unknown filter.
template <int Bpp>
bool unfilter(int filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t n)
{
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (std::size_t i = Bpp; i < n; ++i) row[i] = std::uint8_t(row[i] + row[i - Bpp]);
        return true;
    case 2:
        for (std::size_t i = 0; i < n; ++i) row[i] = std::uint8_t(row[i] + prior[i]);
        return true;
    case 3:
        for (std::size_t i = 0; i < Bpp && i < n; ++i) row[i] = std::uint8_t(row[i] + prior[i] / 2);
        for (std::size_t i = Bpp; i < n; ++i) row[i] = std::uint8_t(row[i] + (row[i - Bpp] + prior[i]) / 2);
        return true;
    case 4:
        for (std::size_t i = 0; i < Bpp && i < n; ++i) row[i] = std::uint8_t(row[i] + prior[i]);
        for (std::size_t i = Bpp; i < n; ++i)
            row[i] = std::uint8_t(row[i] + paeth(row[i - Bpp], prior[i], prior[i - Bpp]));
        return true;
    default:
        return false;
    }
}

// The image's rows inflated a block at a time, so that they stay in the cache.
class RowInflater {
public:
    RowInflater(std::vector<Chunk> idats) : idats_(std::move(idats))
    {
        isal_inflate_init(&state_);
        state_.crc_flag = ISAL_ZLIB;
    }

    // Fills `out` with the next `n` bytes of the stream; false at a fault
    // or when the stream ends before them.
    bool read(std::uint8_t* out, std::size_t n)
    {
        state_.next_out = out;
        state_.avail_out = std::uint32_t(n);
        while (state_.avail_out > 0) {
            if (state_.avail_in == 0 && !feed()) return false;
            if (isal_inflate(&state_) != ISAL_DECOMP_OK) return false;
            if (state_.block_state == ISAL_BLOCK_FINISH && state_.avail_out > 0) return false;
        }
        return true;
    }

    // Whether the stream ends, checksum and all, right after what was read.
    bool finished()
    {
        std::uint8_t spare;
        state_.next_out = &spare;
        state_.avail_out = 1;
        for (;;) {
            if (state_.block_state == ISAL_BLOCK_FINISH) return state_.avail_out == 1;
            if (state_.avail_in == 0 && !feed()) return false;
            if (isal_inflate(&state_) != ISAL_DECOMP_OK || state_.avail_out == 0) return false;
        }
    }

private:
    // The next image data chunk as input; false when there is none.
    bool feed()
    {
        if (next_ == idats_.size()) return false;
        state_.next_in = const_cast<std::uint8_t*>(idats_[next_].data);
        state_.avail_in = idats_[next_++].length;
        return true;
    }

    std::vector<Chunk> idats_;
    std::size_t next_ = 0;
    inflate_state state_;
};

// Qt's rounding of 16-bit grey to 8 bits.
inline std::uint8_t grey8(std::uint8_t high, std::uint8_t low)
{
    const unsigned v = unsigned(high) << 8 | low;
    return std::uint8_t((v + 128 - ((v + 128) >> 8)) >> 8);
}

} // namespace

QImage read_grey_png(QIODevice& device, qint64 most_bytes)
{
    // Only a file that starts as one of ours is read whole.
    // Signature, then IHDR: its colour type at byte 25, interlacing at 28.
    const QByteArray start = device.peek(33);
    if (start.size() < 33 || start.mid(12, 4) != "IHDR" || start[25] != 0 || start[28] != 0) return QImage();
    const QByteArray file = device.readAll();
    Chunks chunks(file);
    Chunk chunk;
    if (!chunks.next(chunk) || !chunk.is("IHDR") || chunk.length != 13) return QImage();
    const std::uint32_t width = qFromBigEndian<quint32>(chunk.data), height = qFromBigEndian<quint32>(chunk.data + 4);
    const int depth = chunk.data[8];
    const bool ours = width > 0 && height > 0 && width < (1u << 29) && height <= 0x7FFFFFFFu &&
                      (depth == 8 || depth == 16) && chunk.data[9] == 0 && chunk.data[10] == 0 &&
                      chunk.data[11] == 0 && chunk.data[12] == 0;
    if (!ours || std::uint64_t(width) * height > std::uint64_t(std::max<qint64>(0, most_bytes))) return QImage();

    // The image data, and nothing that changes how the pixels read.
    std::vector<Chunk> idats;
    bool ended = false;
    while (!ended && chunks.next(chunk)) {
        if (chunk.is("IDAT")) {
            if (!idats.empty() && idats.back().data + idats.back().length + 12 != chunk.data) return QImage();
            idats.push_back(chunk);
        } else if (chunk.is("IEND")) {
            ended = true;
        } else if (chunk.critical() || chunk.is("tRNS") || chunk.is("IHDR")) {
            return QImage();
        }
    }
    if (!ended || idats.empty()) return QImage();
    // A zlib stream with the full 32 KiB window and no preset dictionary:
    // the inflater would accept other windows that Qt's reader refuses.
    const Chunk& first = idats.front();
    if (first.length < 2 || first.data[0] != 0x78 || (first.data[1] & 0x20) != 0 ||
        (first.data[0] * 256 + first.data[1]) % 31 != 0)
        return QImage();

    QImage image(int(width), int(height), QImage::Format_Grayscale8);
    if (image.isNull()) return image;
    const int bpp = depth / 8;
    const std::size_t row_bytes = std::size_t(width) * std::size_t(bpp);
    const std::size_t stride = 1 + row_bytes;
    const std::size_t block_rows = std::max<std::size_t>(1, (std::size_t(1) << 16) / stride);
    const std::size_t blocks = (height + block_rows - 1) / block_rows;
    auto rows_of = [&](std::size_t b) { return std::min<std::size_t>(block_rows, height - b * block_rows); };

    // A helper thread inflates blocks of rows into a ring while this one
    // undoes the filters of the blocks behind it: the two take about as long.
    constexpr std::size_t ring = 8;
    std::vector<std::uint8_t> ring_buffer(ring * block_rows * stride);
    std::atomic<std::size_t> inflated{0}, used{0};
    std::atomic<bool> inflate_failed{false}, stop{false};
    std::thread inflating([&, idats = std::move(idats)]() mutable {
        RowInflater inflater(std::move(idats));
        for (std::size_t b = 0; b < blocks; ++b) {
            for (std::size_t u = used.load(); b - u >= ring; u = used.load()) {
                if (stop.load()) return;
                used.wait(u);
            }
            if (stop.load()) return;
            const bool read = inflater.read(ring_buffer.data() + (b % ring) * block_rows * stride, rows_of(b) * stride);
            if (!read || (b + 1 == blocks && !inflater.finished())) inflate_failed.store(true);
            inflated.store(b + 1);
            inflated.notify_one();
            if (!read) return;
        }
    });
    auto finish = [&](bool ok) {
        stop.store(true);
        used.store(blocks + ring);
        used.notify_one();
        inflating.join();
        return ok && !inflate_failed.load();
    };

    // The row above the one being unfiltered: zeros above the first.
    std::vector<std::uint8_t> prior(row_bytes, 0);
    for (std::size_t b = 0, y = 0; b < blocks; ++b) {
        for (std::size_t done = inflated.load(); done <= b; done = inflated.load()) inflated.wait(done);
        if (inflate_failed.load() && inflated.load() == b + 1) return finish(false), QImage();
        std::uint8_t* block = ring_buffer.data() + (b % ring) * block_rows * stride;
        for (std::size_t r = 0; r < rows_of(b); ++r, ++y) {
            std::uint8_t* row = block + r * stride + 1;
            const std::uint8_t* above = r == 0 ? prior.data() : row - stride;
            const bool known = bpp == 1 ? unfilter<1>(row[-1], row, above, row_bytes)
                                        : unfilter<2>(row[-1], row, above, row_bytes);
            if (!known) return finish(false), QImage();
            uchar* out = image.scanLine(int(y));
            if (bpp == 1)
                std::memcpy(out, row, row_bytes);
            else
                for (std::uint32_t x = 0; x < width; ++x) out[x] = grey8(row[2 * x], row[2 * x + 1]);
        }
        std::memcpy(prior.data(), block + (rows_of(b) - 1) * stride + 1, row_bytes);
        used.store(b + 1);
        used.notify_one();
    }
    return finish(true) ? image : QImage();
}
