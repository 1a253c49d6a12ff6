// Make Stereogram: the output name, the blocks handed to the renderer, a
// renderer that cannot be loaded, and a real render decoded pixel by pixel.
#include "core/configuration.h"
#include "core/panel_dimensions.h"
#include "core/shape.h"
#include "document/drawing_window.h"
#include "fake_renderer.h"
#include "render/render_name.h"
#include "render/renderer_library.h"
#include "stereo_check.h"
#include "support/program.h"
#include "veride/depth_map.h"
#include "veride/render_settings.h"
#include <QApplication>
#include <QDialog>
#include <QLibrary>
#include <QMessageBox>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <cstring>

namespace {

// Sets DIORAMIX_RENDERER for the life of the object.
class RendererPath {
public:
    explicit RendererPath(const QByteArray& path) { qputenv("DIORAMIX_RENDERER", path); }
    ~RendererPath() { qunsetenv("DIORAMIX_RENDERER"); }
};

// What the renderer library showed: its result window's image and title,
// and the texts of its message boxes. Each window is closed once seen.
struct Shown {
    QImage stereogram;
    QString title;
    QStringList messages;
};

void close_renderer_windows(Shown& shown, QTimer& timer)
{
    QObject::connect(&timer, &QTimer::timeout, [&shown] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) shown.messages << box->text();
        if (dialog->objectName() == QLatin1String("stereogram_viewer")) {
            shown.stereogram = dialog->property("stereogram").value<QImage>();
            shown.title = dialog->windowTitle();
        }
        dialog->done(QDialog::Accepted);
    });
    timer.start(20);
}

} // namespace

class TestRenderRequest : public QObject {
    Q_OBJECT
private slots:
    void the_renderer_is_looked_for_by_its_full_file_name()
    {
        const QByteArray saved = qgetenv("DIORAMIX_RENDERER");
        qunsetenv("DIORAMIX_RENDERER");
        // A build tree also has a folder "veride" beside the program.
        const QString path = renderer_path();
        QCOMPARE(QFileInfo(path).absolutePath(), QCoreApplication::applicationDirPath());
        QVERIFY(path.endsWith(QStringLiteral("libveride.so")) || path.endsWith(QStringLiteral("veride.dll")));
        qputenv("DIORAMIX_RENDERER", saved);
    }

    void names_follow_the_caption_and_the_count()
    {
        QCOMPARE(render_name("house.sdf", 1), QByteArray("housestereo1"));
        QCOMPARE(render_name("house.sdf", 2), QByteArray("housestereo2"));
        QCOMPARE(render_name("Stereogram3", 1), QByteArray("Stereogram3stereo1"));
        QCOMPARE(render_name("a.sdf.sdf", 1), QByteArray("astereo1"));
        QCOMPARE(render_name("Sdf.sdf", 12), QByteArray("Sdfstereo12")); // case-sensitive

        // Too long for the 100-byte buffer: the caption is cut, the count kept.
        const QByteArray cut = render_name(QString(150, QLatin1Char('a')), 1);
        QCOMPARE(cut.size(), 99);
        QVERIFY(cut.endsWith("aaastereo1"));
        const auto buffer = render_name_buffer(cut);
        QCOMPARE(buffer[98], '1');
        QCOMPARE(buffer[99], '\0');
        // A character of several bytes is never split.
        const QByteArray wide = render_name(QString(60, QChar(0x00E9)), 1);
        QVERIFY(wide.size() <= 99);
        QCOMPARE(QString::fromLocal8Bit(wide), QString(46, QChar(0x00E9)) + QStringLiteral("stereo1"));
    }

    void a_renderer_that_cannot_be_loaded_is_reported()
    {
        RendererPath path("/nonexistent/libnothing.so");
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        program.main->make_stereogram_action->trigger();
        QCOMPARE(program.ui.messages.size(), 1);
        QCOMPARE(program.ui.messages[0].kind, MessageKind::Error);
        QVERIFY(program.ui.messages[0].text.contains(QLatin1String("/nonexistent/libnothing.so")));
        QCOMPARE(drawing->render_count, 0);
        QVERIFY(program.main->isVisible());
    }

    void the_renderer_receives_the_drawing_settings_panel_and_name()
    {
        RendererPath path(FAKE_RENDERER);
        QLibrary fake(QStringLiteral(FAKE_RENDERER));
        auto* last = reinterpret_cast<LastRenderCallFunction*>(fake.resolve("last_render_call"));
        QVERIFY2(last, qPrintable(fake.errorString()));

        Program program;
        DrawingWindow* first = program.new_drawing();
        program.draw_rectangle(first, QRect(20, 20, 60, 40));
        program.main->make_stereogram_action->trigger();
        QCOMPARE(last()->calls, 1);
        QCOMPARE(QByteArray(last()->name), QByteArray("Stereogram1stereo1"));
        QCOMPARE(last()->request.panel, first->panel);
        QCOMPARE(last()->request.shapes, &first->shapes);
        QCOMPARE(last()->request.shapes->size(), 1);
        QCOMPARE(last()->request.color, Configuration.background_color);
        const std::int32_t dims[4] = {PanelDimensions.width_mm, PanelDimensions.height_mm, PanelDimensions.width_px,
                                      PanelDimensions.height_px};
        QCOMPARE(std::memcmp(last()->dimensions, dims, sizeof dims), 0);

        // The configuration in force at the moment of the call.
        Configuration.eye_distance = 57;
        Configuration.rendercolor_base = 0x112233;
        program.main->make_stereogram_action->trigger();
        const ConfigurationBlock now = configuration_block(Configuration);
        QCOMPARE(std::memcmp(last()->configuration, now.data(), now.size()), 0);
        QCOMPARE(QByteArray(last()->name), QByteArray("Stereogram1stereo2"));

        // Another drawing counts from 1; a drawing without objects renders too.
        DrawingWindow* second = program.new_drawing();
        program.main->make_stereogram_action->trigger();
        QCOMPARE(QByteArray(last()->name), QByteArray("Stereogram2stereo1"));
        QCOMPARE(last()->request.shapes->size(), 0);
        QCOMPARE(first->render_count, 2);
        QCOMPARE(second->render_count, 1);
        QVERIFY(program.ui.messages.isEmpty());
    }

    void make_stereogram_shows_a_stereogram_of_the_drawing()
    {
        RendererPath path(VERIDE_LIBRARY);
        Program program;
        DrawingWindow* drawing = program.new_drawing();
        Shape* box = program.draw_rectangle(drawing, QRect(40, 40, 160, 120));
        box->morphology.edge_heights = {0, 20, 40, 60}; // raised and tilted
        Shape* disc = program.draw_ellipse(drawing, QRect(220, 100, 120, 120));
        disc->morphology.edge_heights = {-60, -60, -60, -60};

        Shown shown;
        QTimer timer;
        close_renderer_windows(shown, timer);
        program.main->make_stereogram_action->trigger();
        QVERIFY(shown.messages.isEmpty());
        QCOMPARE(shown.title, QStringLiteral("Stereogram1stereo1"));
        QCOMPARE(shown.stereogram.size(), QSize(PanelDimensions.width_px, PanelDimensions.height_px));

        // Decoded against the drawing's own depth map, every point both eyes
        // see has one colour at the separation of its height.
        const ConfigurationBlock block = configuration_block(Configuration);
        const RenderSettings settings =
            settings_from_blocks(block.data(), reinterpret_cast<const unsigned char*>(&PanelDimensions));
        std::vector<SceneObject> objects;
        for (Shape* shape : drawing->shapes)
            objects.push_back(scene_object_from_buffer(shape->name, shape->bounds(), shape->buffer,
                                                       Configuration.background_color, shape->morphology));
        QStringList problems;
        const DepthMap map = build_depth_map(settings.width_px, settings.height_px, objects,
                                             {settings.min_height, settings.max_height}, problems);
        QCOMPARE(map.at(41, 41), 0);
        QCOMPARE(map.at(198, 158), 60);
        const StereoCheck check = check_stereogram(shown.stereogram, map, StereoGeometry(settings));
        QCOMPARE(check.mismatches, 0L);
        QVERIFY(check.pairs > map.width * map.height / 2);
        // The flat panel would not decode it: the shapes are there in depth.
        QStringList none;
        const DepthMap flat = build_depth_map(settings.width_px, settings.height_px, {}, {-95, 80}, none);
        QVERIFY(check_stereogram(shown.stereogram, flat, StereoGeometry(settings)).mismatches > 1000);

        // The next request renders the next seed under the next name.
        program.main->make_stereogram_action->trigger();
        QCOMPARE(shown.title, QStringLiteral("Stereogram1stereo2"));

    }
};

QTEST_MAIN(TestRenderRequest)
#include "test_render_request.moc"
