#pragma once
// Make Animation: frames rendered one by one as the dioramix-cli does them,
// under a progress dialog whose Cancel stops between frames and inside one,
// then written as one animated GIF or WebP.
#include "veride/export.h"
#include <functional>

struct AnimationChoice;
class QWidget;

// Frame i's inputs. May throw std::bad_alloc.
using FrameInputs = std::function<RenderInputs(int frame)>;

// Renders `count` frames and writes them to `choice.path` as an animation
// of `choice.frame_ms` per frame; says what went wrong in a message. Nothing
// is written when cancelled or failed, and a file that was there stays
// whole. True when the file was written.
bool make_animation(QWidget* parent, int count, const FrameInputs& frame, const AnimationChoice& choice);
