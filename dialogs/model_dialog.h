#pragma once
// "3D Model": how a model read from a file becomes an object. The model is
// turned by dragging in its preview or by three angles; its width is given
// in millimetres or panel pixels and its height follows in proportion; its
// relief spans from a base height up by a given depth.
#include "core/mesh.h"
#include "dialogs/cancellable_dialog.h"

class QComboBox;
class QLineEdit;
class QSpinBox;
class ModelPreview;

// An angle in degrees brought into -180 .. 179.
int wrapped_degrees(int degrees);

struct ModelChoice {
    ModelTurn turn;
    int width_px = 1;
    int height_px = 1;
    int base_mm = 0;
    int relief_mm = 0;
};

class ModelDialog : public CancellableDialog {
    Q_OBJECT
public:
    enum class Units { Millimetres, Pixels };

    // The panel's width in pixels and in millimetres converts between the units.
    ModelDialog(const Mesh& mesh, int panel_width_px, int panel_width_mm, QWidget* parent = nullptr);

    ModelPreview* preview;
    QSpinBox* yaw_box;
    QSpinBox* pitch_box;
    QSpinBox* roll_box;
    QSpinBox* width_box;
    QComboBox* units_combo; // "millimeters", "pixels"
    QLineEdit* height_box;  // read only: follows the width and the turn
    QSpinBox* base_box;
    QSpinBox* relief_box;
    QPushButton* turntable_button; // "Turntable animation...": the dialog stays open

signals:
    // The turntable button was pressed.
    void turntable_asked();

public:

    // Shows the dialog modally; true when the user pressed Ok.
    bool execute();
    ModelChoice choice() const;
    ModelTurn turn() const;
    Units units() const;

    void turn_by(QPoint drag);
    void on_turn_changed();
    void on_width_changed();
    void on_units_changed();
    void on_base_changed();

private:
    int to_pixels(int value) const;
    int from_pixels(int pixels) const;
    void show_height();

    const Mesh& mesh_;
    int panel_width_px_;
    int panel_width_mm_;
    int width_px_;
    MeshBox box_; // of the turned model
};
