#pragma once
// The 3D Model dialog's live picture of the model as it will be placed:
// grey, the nearest surface white, the farthest dark grey, and where the
// model does not reach the background. Dragging across it turns the model.
#include "core/mesh.h"
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QWidget>

// One frame of the preview: the model turned and fitted inside `size`, as
// model_depth places it, and the turned model's box, which sets the
// object's height in proportion.
struct PreviewFrame {
    QImage image;
    MeshBox box;
};
PreviewFrame model_preview_frame(const Mesh& mesh, ModelTurn turn, QSize size);

class ModelPreview : public QWidget {
    Q_OBJECT
public:
    static constexpr int preview_width = 320;
    static constexpr int preview_height = 240;

    explicit ModelPreview(QWidget* parent = nullptr);

    // Rasterises the model anew; returns the turned model's box.
    MeshBox show_model(const Mesh& mesh, ModelTurn turn);
    const QImage& image() const { return image_; }

    QSize sizeHint() const override;

signals:
    // The mouse moved `by` pixels with the left button down.
    void dragged(QPoint by);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage image_;
    QPoint last_mouse_;
};
