#pragma once
// A render with a progress bar that appears when it takes longer than half
// a second, and a Cancel button that stops it.
#include "veride/render_scene.h"
#include <QString>
#include <functional>

class QWidget;

// Runs `render` with a control whose progress reports move the bar (out of
// `rows` rows) and whose cancel flag follows the Cancel button.
RenderResult render_with_progress(const QString& name, int rows, QWidget* window,
                                  const std::function<RenderResult(const RenderControl&)>& render);
