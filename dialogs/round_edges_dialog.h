#pragma once
// "Round Edges": the width of the rounded band, the heights of the object's
// top and base, and the profile across the band, with a depth preview of
// the object that follows every change. The caller works out the heights
// from the values once the dialog is confirmed.
#include "core/rounded_edges.h"
#include "dialogs/cancellable_dialog.h"
#include <QImage>
#include <QString>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

struct RoundEdgesValues {
    double band_mm = 5;
    int top_mm = 40;
    int base_mm = 0;
    EdgeProfile profile = EdgeProfile::Round;
};

class RoundEdgesDialog : public CancellableDialog {
    Q_OBJECT
public:
    explicit RoundEdgesDialog(QWidget* parent = nullptr);

    // The values last confirmed in this session; each showing starts from them.
    RoundEdgesValues values;

    QLineEdit* band_box;
    QLineEdit* top_box;
    QLineEdit* base_box;
    QComboBox* profile_combo; // "Round", "Bevel", "Dome", in EdgeProfile's order
    QLabel* preview_label;

    // Shows the dialog for an object of this silhouette on a panel of
    // `pixels_per_mm` pixels per millimetre across.
    void execute(const QImage& silhouette, double pixels_per_mm);

    // What the controls hold; nothing, and the reason in `problem`, when
    // they hold no usable values.
    std::optional<RoundEdgesValues> typed_values(QString& problem) const;
    void update_preview();
    void on_ok_clicked() override;

private:
    static constexpr int preview_width = 240;
    static constexpr int preview_height = 160;

    // The preview's silhouette and its distances, measured once a showing.
    std::vector<std::uint8_t> preview_inside_;
    std::vector<float> preview_distances_;
    QSize preview_size_;
    double preview_pixels_per_mm_ = 0;
};

extern RoundEdgesDialog* round_edges_dialog;
