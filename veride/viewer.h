#pragma once
// The result window of a render: the stereogram at 1:1 or fitted to the
// window, two convergence dots above it, the picture options beside it
// (a change renders again and is remembered in the settings; the layout,
// a stereogram or the scene's two views as a pair or an anaglyph, holds
// for this window only and is what Save As and Print write), saving the
// stereogram and its depth map, printing at the panel's physical size, and
// a line with the size, the separations and the time.
#include "veride/export.h"
#include "veride/picture_settings.h"
#include <QDialog>
#include <QImage>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QWidget;
class ConvergenceDots;

class StereogramViewer : public QDialog {
    Q_OBJECT
public:
    // `result` is `inputs` rendered with `picture`'s options.
    StereogramViewer(RenderInputs inputs, const StoredPicture& picture, const RenderResult& result,
                     const QString& render_name, QWidget* parent = nullptr);

    const QImage& stereogram() const { return result_.stereogram; }
    const StoredPicture& picture() const { return picture_; }
    void set_fit_to_window(bool fit);
    QString info_text() const;

    // The image that saving writes and printing prints: the stereogram,
    // below the strip with the guide dots when guide marks are on.
    QImage saved_picture() const { return laid_out_picture(result_, picture_.options); }

    // Asks for a path and writes; the message of a failure is shown.
    void save_stereogram();
    void save_depth_map();

    // Through the print dialog; the message of a failure is shown.
    void print();
    // Prints the saved picture at the panel's size in millimetres; an error
    // text, empty on success.
    QString print_to(QPrinter& printer) const;

    // Write to `path`; each returns an error text, empty on success. The
    // stereogram is BMP for a .bmp path and PNG otherwise, ".png" added to a
    // path with neither; the depth map is always a greyscale PNG.
    QString write_stereogram(QString& path) const;
    QString write_depth_map(QString& path) const;

    // The folder proposed for saving: the last one saved to in this run,
    // at first the user's pictures folder, else the home folder.
    static QString save_folder();
    // Where the file dialogs start: the drawing's folder, or for a drawing
    // never saved the folder above.
    QString start_folder() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QGroupBox* make_options();
    void show_result(const RenderResult& result);
    void show_image();
    void show_options();
    void choose_pattern(int index);
    // Renders with `now`'s options; on success shows and stores them, else
    // the options stay as they were.
    void change_picture(const StoredPicture& now);

    RenderInputs inputs_;
    StoredPicture picture_;
    RenderResult result_; // of the picture on view
    QString name_;
    QString info_;
    bool rendering_ = false;
    QScrollArea* picture_scroll_ = nullptr;
    QLabel* picture_label_ = nullptr;
    QLabel* info_label_ = nullptr;
    QCheckBox* fit_check_ = nullptr;
    ConvergenceDots* convergence_dots_ = nullptr;
    QGroupBox* options_group_ = nullptr;
    QComboBox* pattern_combo_ = nullptr;
    QSpinBox* colors_box_ = nullptr;
    QLabel* tile_label_ = nullptr;
    QCheckBox* keep_tile_size_check_ = nullptr;
    QSpinBox* oversample_box_ = nullptr;
    QCheckBox* cross_eyed_check_ = nullptr;
    QCheckBox* guides_check_ = nullptr;
    QComboBox* layout_combo_ = nullptr;
};
