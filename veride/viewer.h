#pragma once
// The result window of a render: the stereogram at 1:1 or fitted to the
// window, two convergence dots above it, saving the stereogram and its
// depth map, and a line with the size, the separations and the time.
#include "veride/render_scene.h"
#include <QDialog>
#include <QImage>

class QLabel;
class QScrollArea;
class QCheckBox;
class ConvergenceDots;

class StereogramViewer : public QDialog {
public:
    StereogramViewer(const RenderResult& result, const QString& render_name, QWidget* parent = nullptr);

    const QImage& stereogram() const { return stereogram_; }
    void set_fit_to_window(bool fit);
    QString info_text() const;

    // Asks for a path and writes; the message of a failure is shown.
    void save_stereogram();
    void save_depth_map();

    // Write to `path`; each returns an error text, empty on success. The
    // stereogram is BMP for a .bmp path and PNG otherwise, ".png" added to a
    // path with neither; the depth map is always a greyscale PNG.
    QString write_stereogram(QString& path) const;
    QString write_depth_map(QString& path) const;

    // The folder proposed for saving: the last one saved to in this run,
    // at first the user's pictures folder, else the home folder.
    static QString save_folder();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void show_image();

    QImage stereogram_;
    QImage depth_;
    QString name_;
    QString info_;
    int zero_separation_ = 0;
    QScrollArea* scroll_ = nullptr;
    QLabel* picture_ = nullptr;
    QCheckBox* fit_ = nullptr;
    ConvergenceDots* dots_ = nullptr;
};
