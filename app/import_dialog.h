#pragma once
// "Import Objects": the objects of another drawing file with a thumbnail
// each and a preview of the highlighted one; the user marks the objects to
// import. The import command fills it and reads the marks.
#include <QDialog>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <cstdint>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class Shape;

// Where an object of width x height is stretched in a square thumbnail of
// side `side`: centred, scaled to fill it along its longer side.
QRect thumbnail_rect(int side, int width, int height);
// The preview's size: the object reduced to fit 130 pixels, never enlarged.
QSize preview_size(int width, int height);

class ImportDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int item_height = 46;
    static constexpr int preview_side = 130;

    ImportDialog();

    // Handed over by the import command before showing.
    QList<Shape*> import_shapes;
    QList<bool> import_marks;
    QStringList import_names;
    std::uint8_t cancelled = 1;

    QLabel* objects_label;
    QListWidget* object_list;
    QLabel* preview_caption_label;
    QFrame* preview_frame;
    QLabel* preview_label; // shows the highlighted object
    QImage check_mark;
    QList<QImage> thumbnails; // one per row
    QPushButton* ok_button;
    QPushButton* cancel_button;
    int thumbnail_size = item_height - 4;

    int last_clicked() const;
    // Fills the list from the three lists; shows it modally; empties it again.
    // Returns cancelled.
    std::uint8_t execute();

    void fill_list();
    void empty_list();
    void on_object_clicked();
    void update_preview();
    void on_ok_clicked();

private:
    int last_clicked_ = -1;
};

extern ImportDialog* import_dialog;
