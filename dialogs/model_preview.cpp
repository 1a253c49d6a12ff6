#include "dialogs/model_preview.h"
#include "core/mesh_raster.h"
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {

// The farthest visible surface: dark enough that the relief reads, light
// enough to stand apart from the background.
constexpr int farthest_grey = 70;
const QRgb background = qRgb(32, 48, 72);

// Far pixels stay clear of the background.
constexpr int margin = 8;

} // namespace

QImage model_preview_image(const Mesh& mesh, ModelTurn turn, QSize size)
{
    const ModelDepth depth = model_depth(mesh, turn, size.width(), size.height(), margin);
    const std::vector<float> levels = relief_levels(depth);
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const float* level = levels.data() + std::size_t(y) * std::size_t(image.width());
        for (int x = 0; x < image.width(); ++x) {
            if (std::isnan(level[x])) {
                row[x] = background;
                continue;
            }
            const int grey = farthest_grey + int(std::lround(level[x] * (255 - farthest_grey)));
            row[x] = qRgb(grey, grey, grey);
        }
    }
    return image;
}

ModelPreview::ModelPreview(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(preview_width, preview_height);
    setCursor(Qt::OpenHandCursor);
    setToolTip(tr("Drag to turn the model"));
}

void ModelPreview::show_model(const Mesh& mesh, ModelTurn turn)
{
    image_ = model_preview_image(mesh, turn, QSize(preview_width, preview_height));
    update();
}

QSize ModelPreview::sizeHint() const
{
    return QSize(preview_width, preview_height);
}

void ModelPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void ModelPreview::mousePressEvent(QMouseEvent* event)
{
    last_mouse_ = event->position().toPoint();
}

void ModelPreview::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPoint at = event->position().toPoint();
    const QPoint by = at - last_mouse_;
    last_mouse_ = at;
    if (!by.isNull()) emit dragged(by);
}
