#pragma once
// Checks of a model file's own counts against its size and our limits,
// made before Assimp reads it: Assimp allocates what a header claims before
// it finds that the file does not hold it, and has no limit of its own.
#include <QByteArrayView>
#include <QString>
#include <cstdint>

// A depth image has a few million pixels, so more triangles than this add
// no detail; Assimp holds some hundred bytes per triangle while it reads,
// which keeps a model at the limit near a gigabyte.
constexpr std::int64_t most_model_triangles = 10'000'000;
// An STL repeats every corner of every triangle.
constexpr std::int64_t most_model_points = 3 * most_model_triangles;

// The fault that the counts in `bytes` show (the file's suffix `suffix`,
// lower case, picks the formats Assimp may read it as); empty when none.
QString model_counts_fault(QByteArrayView bytes, QByteArrayView suffix);

// The messages of the limits, also given when a model is over them once read.
QString too_many_triangles(std::int64_t triangles);
QString too_many_points(std::int64_t points);
