#pragma once
// The command line of dioramix-cli:
//   dioramix-cli info FILE.sdf
//   dioramix-cli render INPUT [-o OUTPUT] [--depth-map DEPTH.png] [--seed N] [--dpi N]
#include <QString>
#include <QStringList>
#include <cstdint>

struct CliOptions {
    QString input;
    QString output;    // empty: the render name of the input, ".png", in the current folder
    QString depth_map; // empty: not written
    std::uint64_t seed = 1;
    int dpi = 96;
};

inline constexpr const char* cli_info_usage = "usage: dioramix-cli info FILE.sdf   (the drawing as JSON)";
inline constexpr const char* cli_usage =
    "usage: dioramix-cli render INPUT [-o OUTPUT] [--depth-map DEPTH.png] [--seed N] [--dpi N]";

// Reads the arguments after the program name; `error` is set when they
// cannot be understood.
CliOptions parse_cli_options(const QStringList& arguments, QString& error);

// The output path when none is given: INPUT's file name through the render
// name rule with a count of 1, plus ".png".
QString default_output(const QString& input);
