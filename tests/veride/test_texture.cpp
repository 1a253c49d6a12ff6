// Textured stereograms of a sample drawing, rendered as dioramix-cli renders
// them: free pixels continue the tile's texture, so the picture shows no
// specks that give the shape away, and it still decodes to the depth.
#include "cli/cli_input.h"
#include "cli/model_input.h"
#include "render/stereo_check.h"
#include "veride/export.h"
#include "veride/patterns.h"
#include <QTest>

namespace {

// Pixels unlike both their left and right neighbours, which are alike, as
// a share of all pixels.
double speck_share(const QImage& image)
{
    auto differ = [&](int y, int a, int b) {
        const QRgb p = image.pixel(a, y), q = image.pixel(b, y);
        return std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    };
    long specks = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 1; x + 1 < image.width(); ++x)
            specks += differ(y, x - 1, x + 1) <= 30 && differ(y, x, x - 1) > 60 && differ(y, x, x + 1) > 60;
    return double(specks) / (double(image.width()) * image.height());
}

RenderResult render_sample(const char* name, const PictureOptions& options, RenderSettings& settings)
{
    RenderInputs inputs;
    const CliInput input = read_cli_input(QStringLiteral(EXAMPLES_DIR "/") + QLatin1String(name), 96,
                                          {inputs.settings.min_height, inputs.settings.max_height}, ModelView());
    inputs.settings.width_mm = input.width_mm;
    inputs.settings.height_mm = input.height_mm;
    inputs.settings.width_px = input.width_px;
    inputs.settings.height_px = input.height_px;
    inputs.objects = input.objects;
    inputs.drawing_folder = input.drawing_folder;
    settings = inputs.settings;
    return render_inputs(inputs, options);
}

} // namespace

class TestTexture : public QObject {
    Q_OBJECT
private slots:
    void a_textured_dome_shows_no_specks_and_decodes()
    {
        PictureOptions options;
        options.pattern = PatternKind::Image;
        options.tile = QImage(QStringLiteral(EXAMPLES_DIR "/tile.png"));
        QVERIFY(!options.tile.isNull());
        for (const int k : {1, 4}) {
            options.oversample = k;
            RenderSettings settings;
            const RenderResult result = render_sample("dome.sdf", options, settings);
            QVERIFY2(result.ok(), qPrintable(result.error));
            const double share = speck_share(result.stereogram);
            QVERIFY2(share <= 0.0012, qPrintable(QStringLiteral("k %1: %2 %").arg(k).arg(100 * share)));
            if (k == 1) {
                const StereoCheck check = check_stereogram(result.stereogram, result.depth, StereoGeometry(settings));
                QCOMPARE(check.mismatches, 0L);
                QVERIFY(check.pairs > long(result.depth.width) * result.depth.height / 2);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestTexture)
#include "test_texture.moc"
