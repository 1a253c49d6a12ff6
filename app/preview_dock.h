#pragma once
// The live preview: a dock at the side of the main window showing the
// active drawing's stereogram at its own size (a stereogram fuses only at
// 100 %), with the two guide dots above it, or its depth map.
#include <QDockWidget>
#include <QImage>

class QCheckBox;
class QLabel;
class QScrollArea;
struct PreviewPicture;

class PreviewDock : public QDockWidget {
    Q_OBJECT
public:
    explicit PreviewDock(QWidget* parent = nullptr);

    void show_picture(const PreviewPicture& picture);
    // No drawing to show: a short text instead of a picture.
    void show_nothing();

    QCheckBox* depth_toggle() const { return depth_; }
    // What the dock shows now (null with no picture).
    const QImage& shown() const { return shown_; }
    // The render's warnings above the picture; empty when it had none.
    QString warning() const;
    int pictures_shown() const { return pictures_shown_; }

    QScrollArea* scroll_area() const { return scroll_; }

private:
    void refresh();
    // Scrolls to the picture's middle once its size has taken effect.
    void centre_when_sized();

    QCheckBox* depth_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QLabel* picture_ = nullptr;
    QLabel* warning_ = nullptr;
    QImage stereogram_; // with its guide strip
    QImage depth_map_;
    QString text_;
    QImage shown_;
    int pictures_shown_ = 0;
    // A picture of a new size shows its middle until the user scrolls.
    bool centring_ = false;
};
