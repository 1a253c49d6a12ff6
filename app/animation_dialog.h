#pragma once
// "Make Animation": how the frames of an animation are drawn and where it
// is written. The frame count is asked only for a turning model; the
// picture options start as the result window left them.
#include "dialogs/cancellable_dialog.h"
#include "platform/file_dialog.h"
#include "veride/picture_options.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

struct AnimationChoice {
    int frames = 24; // a turning model's; the drawings' number otherwise
    int frame_ms = 100;
    PictureOptions options;
    QString path;
};

class AnimationDialog : public CancellableDialog {
    Q_OBJECT
public:
    // With `ask_frames` the frame count is shown; `folder` is where Browse starts.
    AnimationDialog(bool ask_frames, const QString& folder, QWidget* parent = nullptr);

    QSpinBox* frames_box;
    QSpinBox* frame_time_box;
    QComboBox* pattern_combo;
    QSpinBox* colors_box;
    QLineEdit* tile_edit;
    QPushButton* tile_button;
    QCheckBox* keep_tile_size_check;
    QSpinBox* oversample_box;
    QCheckBox* cross_eyed_check;
    QComboBox* layout_combo;
    QLineEdit* file_edit;
    QPushButton* browse_button;

    // Shows the dialog modally; true when the user pressed Ok.
    bool execute();
    AnimationChoice choice() const;

    // Ok: the file must name an animation, and a tile must be readable.
    void on_ok_clicked() override;
    void browse_file();
    void browse_tile();
    void update_enabled();

private:
    QString folder_;
    QImage tile_; // read when Ok is pressed
    FileDialog file_dialog_{FileDialog::Kind::Save};
    FileDialog tile_dialog_{FileDialog::Kind::OpenPicture};
};
