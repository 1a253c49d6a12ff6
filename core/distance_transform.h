#pragma once
// How far each pixel of a figure lies from the figure's edge: exact
// Euclidean distances in time proportional to the number of pixels (the
// lower envelope of parabolas of Felzenszwalb and Huttenlocher), so that
// even the largest object is measured in one pass over its rows.
#include <cstdint>
#include <vector>

// For a width x height mask (row-major, nonzero inside the figure), the
// distance of every inside pixel to the nearest pixel outside it; pixels
// beyond the mask count as outside, so an inside pixel on the border is 1
// away. Outside pixels get 0. Throws std::bad_alloc when the memory cannot
// be had;
// a mask smaller than width x height gives an empty result.
std::vector<float> distances_to_outside(const std::vector<std::uint8_t>& inside, int width, int height);

