#pragma once
// Rounded edges: an object's heights worked out from how far each of its
// pixels lies from its silhouette's edge, so that a flat figure (a letter,
// a drawn shape) rises from its rim to its top across a band of given
// width, with the profile the user chooses.
#include <QImage>
#include <cstdint>
#include <vector>

enum class EdgeProfile {
    Round, // a quarter circle across the band
    Bevel, // a straight slope across the band
    Dome,  // the whole figure rises to its middle, whatever the band
};

// The level, 0 at the rim to 1 at the top, of a pixel `t` band widths from
// the edge (Round and Bevel); for Dome `t` is the distance over the
// figure's largest one.
float profile_level(EdgeProfile profile, double t);

// The pixels of a silhouette (Format_Mono, black inside) as a row-major
// mask, nonzero inside. Compares colours, so a swapped palette reads alike.
std::vector<std::uint8_t> silhouette_inside(const QImage& silhouette);

// The levels of a figure from its pixels' distances to the edge
// (distances_to_outside of the mask `inside`), NaN outside the figure.
std::vector<float> levels_from_distances(std::vector<float> distances, const std::vector<std::uint8_t>& inside,
                                         double band_px, EdgeProfile profile);

// The level of every pixel of the silhouette (row-major, its size), NaN
// outside the figure. `band_px` is the width of the band in pixels (not
// used by Dome). Throws std::bad_alloc when the memory cannot be had.
std::vector<float> rounded_levels(const QImage& silhouette, double band_px, EdgeProfile profile);
