#include "core/distance_transform.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Squared distances along one line: values[p] becomes the least
// (p - q)^2 + values[q] over q in 0 .. count-1. `from`, `over` and `result`
// are scratch space of count, count + 1 and count elements.
void lower_envelope(double* values, int count, int* from, double* over, double* result)
{
    if (count <= 0) return;
    const double infinity = std::numeric_limits<double>::infinity();
    // from[0..k]: the parabolas of the envelope, left to right; parabola k
    // is lowest from over[k] to over[k + 1].
    int k = 0;
    from[0] = 0;
    over[0] = -infinity;
    over[1] = infinity;
    for (int q = 1; q < count; ++q) {
        // Where the new parabola passes below the last one kept; those it
        // hides entirely leave the envelope. over[0] is minus infinity, so
        // the first one kept always stays.
        auto crossing = [&](int v) {
            return ((values[q] + double(q) * q) - (values[v] + double(v) * v)) / (2.0 * (q - v));
        };
        double s = crossing(from[k]);
        while (s <= over[k]) s = crossing(from[--k]);
        ++k;
        from[k] = q;
        over[k] = s;
        over[k + 1] = infinity;
    }
    k = 0;
    for (int p = 0; p < count; ++p) {
        while (over[k + 1] < p) ++k;
        const double d = p - from[k];
        result[p] = d * d + values[from[k]];
    }
    std::copy(result, result + count, values);
}

} // namespace

std::vector<float> distances_to_outside(const std::vector<std::uint8_t>& inside, int width, int height)
{
    if (width <= 0 || height <= 0) return {};
    const std::size_t w = std::size_t(width);
    const std::size_t h = std::size_t(height);
    if (inside.size() / w < h) return {};
    std::vector<float> distance(w * h);

    // Down the columns, row by row: the distance to the nearest outside
    // pixel above or below in the same column (the rows beyond the mask
    // are outside), at most height, so floats hold it exactly.
    std::vector<float> run(w, 0.0f);
    for (std::size_t y = 0; y < h; ++y) {
        const std::uint8_t* in = inside.data() + y * w;
        float* out = distance.data() + y * w;
        for (std::size_t x = 0; x < w; ++x) {
            run[x] = in[x] ? run[x] + 1.0f : 0.0f;
            out[x] = run[x];
        }
    }
    std::fill(run.begin(), run.end(), 0.0f);
    for (std::size_t y = h; y-- > 0;) {
        const std::uint8_t* in = inside.data() + y * w;
        float* out = distance.data() + y * w;
        for (std::size_t x = 0; x < w; ++x) {
            run[x] = in[x] ? run[x] + 1.0f : 0.0f;
            out[x] = std::min(out[x], run[x]);
        }
    }

    // Along the rows: the nearest of the column distances, each row framed
    // by an outside pixel on either side.
    const int count = width + 2;
    const std::size_t n = w + 2;
    std::vector<double> line(n);
    std::vector<double> result(n);
    std::vector<double> over(n + 1);
    std::vector<int> from(n);
    for (std::size_t y = 0; y < h; ++y) {
        float* row = distance.data() + y * w;
        line[0] = 0;
        line[w + 1] = 0;
        for (std::size_t x = 0; x < w; ++x) line[x + 1] = double(row[x]) * row[x];
        lower_envelope(line.data(), count, from.data(), over.data(), result.data());
        for (std::size_t x = 0; x < w; ++x) row[x] = float(std::sqrt(line[x + 1]));
    }
    return distance;
}
