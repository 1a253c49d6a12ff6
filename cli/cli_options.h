#pragma once
// The command line of dioramix-cli:
//   dioramix-cli info [--] FILE.sdf
//   dioramix-cli render INPUT... [-o OUTPUT] [--depth-map DEPTH.png] [--seed N] [--dpi N]
//                      [PATTERN] [--oversample K] [--cross-eyed] [--guides] [--layout LAYOUT]
//                      [--size WxH] [--yaw DEG] [--pitch DEG] [--roll DEG] [--relief MM]
//                      [--turntable N] [--frame-ms N]
//   where PATTERN is one pattern's option of the pattern table, with its switch.
//   Several inputs, or --turntable, make an animation: OUTPUT ends in .gif or .webp.
//   dioramix-cli --help | --version
// The picture options come from the command line alone, never from the
// settings the result window remembers: a command gives the same picture
// wherever it runs.
#include "cli/model_input.h"
#include "veride/animation.h"
#include "veride/picture_layout.h"
#include "veride/pattern_table.h"
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

struct CliOptions {
    QString input;      // the first input
    QStringList inputs; // every input, in the order of their frames
    QString output;    // empty: the render name of the input, ".png", in the current folder
    QString depth_map; // empty: not written
    std::uint64_t seed = 1;
    int dpi = 96;
    // The pattern chosen by its option, with the option's value and whether
    // the switch that goes with it was given; the default one when none was.
    PatternKind pattern = PatternKind::Dots;
    QString pattern_value;
    bool pattern_switch = false;
    int oversample = 1;  // 1 to 8
    bool cross_eyed = false;
    bool guides = false; // the strip with the guide dots above the picture
    PictureLayout layout = PictureLayout::Stereogram;
    ModelView model;     // how a 3D model given as INPUT is seen
    int turntable = 0;   // frames of the model turning once about its up axis; 0: none
    int frame_ms = default_frame_ms;

    // Whether the output is an animation.
    bool animated() const { return !animation_format(output).isEmpty(); }
};

inline constexpr const char* cli_info_usage = "usage: dioramix-cli info FILE.sdf   (the drawing as JSON)";

// The usage line of `render`, its patterns' options from the pattern table.
QString cli_render_usage();

// What the command line asks for.
enum class CliCommand { render, info, help, version };

// The command of the arguments after the program name. A render's
// arguments are checked by parse_cli_options.
CliCommand cli_command(const QStringList& arguments);

// The drawing file of `info FILE.sdf`, or of `info -- FILE.sdf` for a name
// that starts with a dash; nothing for other arguments.
std::optional<QString> info_input(const QStringList& arguments);

// The render options of the arguments after the program name; `error` is
// set when they cannot be understood.
CliOptions parse_cli_options(const QStringList& arguments, QString& error);

// The text of --help.
QString cli_help();

// The output path when none is given: INPUT's file name through the render
// name rule with a count of 1, plus `suffix` (".gif" for an animation).
QString default_output(const QString& input, const QString& suffix = QStringLiteral(".png"));
