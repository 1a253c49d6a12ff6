#pragma once
// The result window's picture options as the settings store keeps them, in
// the renderer's own rows of the settings table: read when the library
// renders, and written value by value when the window changes one.
#include "veride/picture_options.h"
#include <QString>

// The options, with the file the tile comes from.
struct StoredPicture {
    PictureOptions options;
    QString tile_path; // the image pattern's file as stored, also while another pattern is chosen

    // The tile's file name without its folder, for showing.
    QString tile_name() const;
};

// The stored options. A missing value, one out of its range or of another
// kind, and an image pattern whose file cannot be read give the default;
// `problem` then says why the tile was not used. Writes nothing.
StoredPicture read_picture_settings(QString* problem = nullptr);

// Writes each value that differs between `before` and `now`; an error text
// naming the setting, empty when all were stored.
QString store_picture_settings(const StoredPicture& before, const StoredPicture& now);

// Reads a tile, from a regular file only; a null image and the reason when
// it cannot be read.
QImage read_tile(const QString& path, QString& problem);
