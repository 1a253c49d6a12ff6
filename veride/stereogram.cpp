#include "veride/stereogram.h"
#include <algorithm>
#include <chrono>
#include <thread>

namespace {

// A small fast generator; one per row, seeded from the render seed and the
// row, so the image does not depend on the order rows are done in.
class RowRandom {
public:
    RowRandom(std::uint64_t seed, int y) : state_(seed * 0x9E3779B97F4A7C15ull + std::uint64_t(y) + 1) {}

    bool bit()
    {
        if (left_ == 0) {
            bits_ = next();
            left_ = 64;
        }
        const bool b = bits_ & 1;
        bits_ >>= 1;
        --left_;
        return b;
    }

private:
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t state_;
    std::uint64_t bits_ = 0;
    int left_ = 0;
};

// The largest value within `radius` of every position (van Herk / Gil-Werman:
// three comparisons per pixel whatever the radius). Near the row's ends the
// result may be larger than the true window's, never smaller.
void window_max(const std::int32_t* in, int n, int radius, std::vector<std::int32_t>& out,
                std::vector<std::int32_t>& prefix, std::vector<std::int32_t>& suffix)
{
    out.resize(n);
    prefix.resize(n);
    suffix.resize(n);
    const int block = static_cast<int>(std::min<std::int64_t>(2 * std::int64_t(radius) + 1, n));
    for (int start = 0; start < n; start += block) {
        const int end = std::min(n, start + block);
        prefix[start] = in[start];
        for (int i = start + 1; i < end; ++i) prefix[i] = std::max(prefix[i - 1], in[i]);
        suffix[end - 1] = in[end - 1];
        for (int i = end - 2; i >= start; --i) suffix[i] = std::max(suffix[i + 1], in[i]);
    }
    for (int x = 0; x < n; ++x) {
        const int a = static_cast<int>(std::max<std::int64_t>(0, std::int64_t(x) - radius));
        const int b = static_cast<int>(std::min<std::int64_t>(n - 1, std::int64_t(x) + radius));
        out[x] = std::max(suffix[a], prefix[b]);
    }
}

} // namespace

StereogramRows::StereogramRows(const DepthMap& map, const StereoGeometry& geometry,
                               const SeparationTable& separations, std::uint64_t seed, DotColors colors)
    : map_(map), geometry_(geometry), separations_(separations), seed_(seed), colors_(colors)
{
}

bool StereogramRows::visible_within(const std::int32_t* row, int x, std::int32_t bound) const
{
    const std::int32_t z = row[x];
    if (bound <= z) return true; // nothing near is higher than the point
    const double rise = geometry_.sight_rise_per_px(z);
    const int width = map_.width;
    for (int t = 1;; ++t) {
        const double zt = z + t * rise;
        if (zt > bound) return true;
        if ((x - t >= 0 && row[x - t] >= zt) || (x + t < width && row[x + t] >= zt)) return false;
        if (x - t < 0 && x + t >= width) return true;
    }
}

bool StereogramRows::visible(int y, int x) const
{
    const std::int32_t* row = map_.row(y);
    return visible_within(row, x, *std::max_element(row, row + map_.width));
}

void StereogramRows::link(int y, Scratch& s) const
{
    const int width = map_.width;
    const std::int32_t* row = map_.row(y);
    s.same.resize(width);
    for (int x = 0; x < width; ++x) s.same[x] = x;
    if (width == 0) return;

    // Lines of sight climb at least this much per pixel, so no point needs
    // looking further than `reach` pixels for what could hide it.
    const auto [low, high] = std::minmax_element(row, row + width);
    const bool level = *low == *high; // nothing can hide anything
    if (!level) {
        const double slowest = geometry_.sight_rise_per_px(*high);
        const double reach = slowest > 0 ? std::ceil((double(*high) - *low) / slowest) : double(width);
        window_max(row, width, static_cast<int>(std::min<double>(reach, width)), s.window_max, s.prefix, s.suffix);
    }

    int* same = s.same.data();
    for (int x = 0; x < width; ++x) {
        const int sep = separations_(row[x]);
        int left = x - (sep + (sep & y & 1)) / 2;
        int right = left + sep;
        if (left < 0 || right >= width || sep <= 0) continue;
        if (!level && !visible_within(row, x, s.window_max[x])) continue;
        for (int k = same[left]; k != left && k != right; k = same[left]) {
            if (k < right) {
                left = k;
            } else {
                left = right;
                right = k;
            }
        }
        same[left] = right;
    }
}

void StereogramRows::render(int y, std::uint8_t* out, Scratch& s) const
{
    link(y, s);
    const int width = map_.width;
    s.dots.resize(width);
    RowRandom random(seed_, y);
    for (int x = width - 1; x >= 0; --x) {
        const int to = s.same[x];
        s.dots[x] = to == x ? (random.bit() ? 1 : 0) : s.dots[to];
        const auto& c = s.dots[x] ? colors_.second : colors_.first;
        out[3 * x] = c[0];
        out[3 * x + 1] = c[1];
        out[3 * x + 2] = c[2];
    }
}

QImage render_stereogram(const DepthMap& map, const StereoGeometry& geometry, const SeparationTable& separations,
                         std::uint64_t seed, DotColors colors, const RenderControl& control)
{
    QImage image(map.width, map.height, QImage::Format_RGB888);
    if (image.isNull()) return image;
    const StereogramRows rows(map, geometry, separations, seed, colors);
    const int threads = std::max(1, std::min(control.threads > 0 ? control.threads
                                                                  : int(std::thread::hardware_concurrency()),
                                             map.height));
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    auto cancelled = [&] { return control.cancel && control.cancel->load(std::memory_order_relaxed); };
    // Row addresses are taken once: scanLine() may detach a shared image,
    // which workers must not race on.
    std::uint8_t* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    auto work = [&] {
        StereogramRows::Scratch scratch;
        for (int y; !cancelled() && (y = next.fetch_add(1)) < map.height;) {
            rows.render(y, bits + stride * y, scratch);
            done.fetch_add(1, std::memory_order_relaxed);
        }
    };
    std::vector<std::thread> workers;
    if (!control.poll) {
        for (int i = 1; i < threads; ++i) workers.emplace_back(work);
        work();
    } else {
        // The calling thread only reports progress while the others work.
        for (int i = 0; i < threads; ++i) workers.emplace_back(work);
        while (done.load() < map.height && !cancelled()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            control.poll(done.load());
        }
    }
    for (std::thread& worker : workers) worker.join();
    if (cancelled()) return QImage();
    return image;
}
