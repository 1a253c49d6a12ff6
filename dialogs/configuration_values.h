#pragma once
// The arithmetic and texts of the configuration dialog: standard monitor
// sizes, the focus cone's largest angle, the integer and real boxes, the
// height array estimate and the printer page preview.
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>

struct MonitorSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The visible size in millimetres of monitor type 0 to 4 ("14'" to "21'"),
// a 4:3 screen; 0 x 0 for any other index.
MonitorSize standard_monitor_size(int type);

// The widest focus cone angle in degrees the viewing distances allow:
// arctangent(eye distance / 2 / level distance). Nothing when the level
// distance is 0, where no such angle exists.
std::optional<double> largest_focus_angle(std::int32_t eye_distance, std::int32_t level_distance);

// Whether `angle` lies strictly between 0 and the largest angle.
bool focus_angle_allowed(double angle, std::optional<double> largest);

// A real number in its shortest plain form: 15 significant digits at most,
// no trailing zeros ("0.1", "1.2", "80").
QString shortest_decimal(double value);

// Reads a real number; raises the conversion error with the text otherwise.
double text_to_real(const QString& text);

// An integer box: empty text is 0, text that is no integer keeps `current`.
std::int32_t integer_box_value(const QString& text, std::int32_t current);

// Memory of the renderer's height array: "0.35Kbytes".
QString height_array_estimate(std::int32_t max_height, std::int32_t min_height);

// A page length in device pixels as shown: "4961 pixels" or, through the
// axis's dots per inch, "210 mm".
QString page_length_text(std::int32_t pixels, std::int32_t dpi, bool millimetres);

// The page and its printable area drawn inside the preview square `back`,
// both scaled by the page's larger side and centred.
struct PagePreview {
    QRect page;
    QRect printable;
};
std::optional<PagePreview> page_preview(const QRect& back, std::int32_t physical_width,
                                        std::int32_t physical_height, std::int32_t printable_width,
                                        std::int32_t printable_height);
