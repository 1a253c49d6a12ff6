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

PreviewFrame model_preview_frame(const Mesh& mesh, ModelTurn turn, QSize size)
{
    // The points are turned once for both the box and the depth.
    PreviewFrame frame;
    const std::vector<MeshPoint> turned = turned_points(mesh.points, turn);
    frame.box = used_box(turned, mesh);
    const ModelDepth depth = rasterize_model(turned, mesh, size.width(), size.height(),
                                             fitted_placement(frame.box, size.width(), size.height(), margin));
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
    frame.image = std::move(image);
    return frame;
}

ModelPreview::ModelPreview(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(preview_width, preview_height);
    setCursor(Qt::OpenHandCursor);
    setToolTip(tr("Drag to turn the model"));
}

MeshBox ModelPreview::show_model(const Mesh& mesh, ModelTurn turn)
{
    PreviewFrame frame = model_preview_frame(mesh, turn, QSize(preview_width, preview_height));
    image_ = std::move(frame.image);
    update();
    return frame.box;
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
