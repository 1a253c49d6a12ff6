// dioramix-cli from a shell: depth-map images and drawings render, and every
// failure gives status 1 and a one-line message.
#include "cli/cli_info.h"
#include "cli/cli_input.h"
#include "cli/cli_options.h"
#include "cli/model_input.h"
#include "core/configuration.h"
#include "core/raster.h"
#include "core/shape.h"
#include "files/drawing_format.h"
#include "files/drawing_writer.h"
#include "files/silhouette_bmp.h"
#include "platform/registry.h"
#include "render/render_request.h"
#include "render/stereo_check.h"
#include "support/full_disk.h"
#include "veride/animation_reader.h"
#include "veride/guides.h"
#include "veride/render_scene.h"
#include "veride/render_settings.h"
#include "veride/request_scene.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <cmath>
#include <cstring>
#include <sys/stat.h>

namespace {

struct Run {
    int status = -1;
    QString errors;
    QString output;
};

// Runs the tool in `folder` with the registry store at `registry`.
Run run_cli(const QStringList& arguments, const QString& folder, const QString& registry)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DIORAMIX_REGISTRY"), registry);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(DIORAMIX_CLI), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError()), QString::fromLocal8Bit(process.readAllStandardOutput())};
}

// A ramp from black to white with a white box on it.
QImage depth_image(int width, int height)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.scanLine(y)[x] = (x > 100 && x < 180 && y > 50 && y < 150) ? 255 : uchar(x * 200 / width);
    return image;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The settings of a fresh store: the configured defaults with the height
// limits of the default focus cone.
ConfigurationRecord default_configuration()
{
    ConfigurationRecord r;
    const HeightLimits limits = height_limits(r.eye_distance, r.level_distance, tangent_of_degrees(0.1));
    r.max_height = limits.max_height;
    r.min_height = limits.min_height;
    return r;
}

// A sphere of radius 1 about the origin as a text OBJ, in `bands` bands of
// latitude and of longitude.
bool write_sphere(const QString& path, int bands)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QTextStream out(&file);
    for (int i = 0; i <= bands; ++i)
        for (int j = 0; j <= bands; ++j) {
            const double theta = M_PI * i / bands, phi = 2 * M_PI * j / bands;
            out << "v " << std::sin(theta) * std::cos(phi) << ' ' << std::cos(theta) << ' '
                << std::sin(theta) * std::sin(phi) << '\n';
        }
    auto at = [&](int i, int j) { return i * (bands + 1) + j + 1; };
    for (int i = 0; i < bands; ++i)
        for (int j = 0; j < bands; ++j) out << "f " << at(i, j) << ' ' << at(i + 1, j) << ' ' << at(i + 1, j + 1) << ' ' << at(i, j + 1) << '\n';
    return true;
}

RenderSettings settings_for(const ConfigurationRecord& record, int width_px, int height_px, int dpi)
{
    const ConfigurationBlock block = configuration_block(record);
    const std::int32_t panel[4] = {millimetres_at(width_px, dpi), millimetres_at(height_px, dpi), width_px,
                                   height_px};
    return settings_from_blocks(block.data(), reinterpret_cast<const unsigned char*>(panel));
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void info_describes_a_drawing_and_rejects_a_broken_one()
    {
        Shape flat(nullptr, 0x800000);
        flat.name = QStringLiteral("ground");
        flat.left = 5;
        flat.top = 7;
        flat.size_buffer(4, 3, 0x800000);
        flat.buffer.setPixelColor(1, 1, Qt::black);
        flat.buffer.setPixelColor(2, 1, Qt::yellow);
        flat.morphology.edge_heights = {1, -2, 3, 4};
        Shape mapped(nullptr, 0x800000);
        mapped.name = QStringLiteral("hill");
        mapped.size_buffer(2, 2, 0x000000);
        mapped.morphology.flat_surface = 0;
        mapped.morphology.bitmap_file = "hill.bmp";
        mapped.morphology.main_color = 2;
        mapped.morphology.clip_enabled = 0;
        mapped.morphology.clip_height = 9;
        const QByteArray bytes = drawing_file_bytes(DrawingHeader{211, 158, 800, 600, 2}, {&flat, &mapped}, 0x800000);

        const InfoOutcome info = describe_drawing_bytes(bytes, QStringLiteral("scene.sdf"));
        QVERIFY(info.error.isEmpty());
        const QJsonObject json = QJsonDocument::fromJson(info.json).object();
        QCOMPARE(json.value(QStringLiteral("width_px")).toInt(), 800);
        QCOMPARE(json.value(QStringLiteral("object_count")).toInt(), 2);
        const QJsonArray objects = json.value(QStringLiteral("objects")).toArray();
        const QJsonObject first = objects[0].toObject();
        QCOMPARE(first.value(QStringLiteral("name")).toString(), QStringLiteral("ground"));
        QCOMPARE(first.value(QStringLiteral("left")).toInt(), 5);
        QCOMPARE(first.value(QStringLiteral("top")).toInt(), 7);
        QCOMPARE(first.value(QStringLiteral("silhouette_pixels")).toInt(), 2);
        QCOMPARE(first.value(QStringLiteral("morphology")).toObject(),
                 QJsonObject({{"flat_surface", 1}, {"edge_heights", QJsonArray({1, -2, 3, 4})}}));
        const QJsonObject hill = objects[1].toObject().value(QStringLiteral("morphology")).toObject();
        QCOMPARE(hill.value(QStringLiteral("bitmap_file")).toString(), QStringLiteral("hill.bmp"));
        QCOMPARE(hill.value(QStringLiteral("main_color")).toInt(), 2);
        QVERIFY(!hill.contains(QStringLiteral("clip_height")));
        QVERIFY(!hill.contains(QStringLiteral("edge_heights")));
        QCOMPARE(objects[1].toObject().value(QStringLiteral("silhouette_pixels")).toInt(), 4);

        // A file cut inside its second object is refused with one line.
        const InfoOutcome cut = describe_drawing_bytes(bytes.left(bytes.size() - 10), QStringLiteral("scene.sdf"));
        QVERIFY(cut.json.isEmpty());
        QVERIFY(cut.error.startsWith(QStringLiteral("scene.sdf: ")));

        QTemporaryDir folder;
        QFile broken(folder.filePath(QStringLiteral("broken.sdf")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(bytes.left(30));
        broken.close();
        const Run run = run_cli({QStringLiteral("info"), broken.fileName()}, folder.path(),
                                folder.filePath(QStringLiteral("registry.reg")));
        QCOMPARE(run.status, 1);
        QVERIFY(run.errors.contains(QStringLiteral("broken.sdf")));
        QCOMPARE(run.errors.count(QLatin1Char('\n')), 1);
    }

    void info_reports_a_file_as_the_program_opens_it()
    {
        // Silhouettes of 24 bits and with a palette: every pixel that is not
        // pure white is the object's, coloured or near white.
        QImage deep(4, 2, QImage::Format_RGB888);
        deep.fill(Qt::white);
        deep.setPixelColor(0, 0, QColor(200, 30, 30));
        deep.setPixelColor(1, 0, QColor(254, 254, 254));
        deep.setPixelColor(2, 1, Qt::black);
        QImage palette(3, 3, QImage::Format_Indexed8);
        palette.setColorTable({qRgb(255, 255, 255), qRgb(90, 90, 90)});
        palette.fill(1);
        palette.setPixel(1, 1, 0);
        const auto bmp = [](const QImage& image) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "BMP");
            return bytes;
        };
        ShapeRecord record;
        record.name = "coloured";
        record.width = 4;
        record.height = 2;
        QByteArray first = record.to_bytes();
        first[52] = 2; // any value but 1 is a morphology bitmap
        record.name = "greyed";
        record.width = record.height = 3;
        const QByteArray bytes = DrawingHeader{100, 75, 400, 300, 2}.to_bytes() + first + bmp(deep)
            + record.to_bytes() + bmp(palette);
        const InfoOutcome info = describe_drawing_bytes(bytes, QStringLiteral("scene.sdf"));
        QCOMPARE(info.error, QString());
        const QJsonArray objects = QJsonDocument::fromJson(info.json).object().value(QStringLiteral("objects")).toArray();
        QCOMPARE(objects.size(), 2);
        QCOMPARE(objects[0].toObject().value(QStringLiteral("silhouette_pixels")).toInt(), 3);
        QCOMPARE(objects[0].toObject().value(QStringLiteral("morphology")).toObject().value("flat_surface").toInt(), 0);
        QCOMPARE(objects[1].toObject().value(QStringLiteral("silhouette_pixels")).toInt(), 8);

        // A negative count opens as an empty drawing.
        QTemporaryDir folder;
        QFile empty(folder.filePath(QStringLiteral("empty.sdf")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.write(DrawingHeader{100, 75, 400, 300, -3}.to_bytes());
        empty.close();
        const Run run = run_cli({QStringLiteral("info"), empty.fileName()}, folder.path(),
                                folder.filePath(QStringLiteral("registry.reg")));
        QCOMPARE(run.errors, QString());
        QCOMPARE(run.status, 0);
        // A name that starts with a dash follows "--", as for render.
        QVERIFY(QFile::copy(empty.fileName(), folder.filePath(QStringLiteral("-empty.sdf"))));
        const Run dashed = run_cli({"info", "--", "-empty.sdf"}, folder.path(), folder.filePath("registry.reg"));
        QCOMPARE(dashed.errors, QString());
        QCOMPARE(dashed.output, run.output);
        const QJsonObject json = QJsonDocument::fromJson(describe_drawing_file(empty.fileName()).json).object();
        QCOMPARE(json.value(QStringLiteral("object_count")).toInt(), 0);
        QCOMPARE(json.value(QStringLiteral("objects")).toArray(), QJsonArray());
    }

    void a_depth_map_image_renders_to_a_decodable_stereogram()
    {
        QTemporaryDir dir;
        const QString registry = dir.filePath("registry.reg");
        QVERIFY(depth_image(300, 200).save(dir.filePath("scene.png")));
        Run run = run_cli({"render", "scene.png", "--depth-map", "depth.png", "--seed", "5"}, dir.path(), registry);
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY(run.errors.isEmpty());
        QVERIFY(!QFile::exists(registry)); // the store is only read

        // The default output: the render name of the input, in the current folder.
        const QImage stereogram(dir.filePath("scenestereo1.png"));
        QCOMPARE(stereogram.size(), QSize(300, 200));
        const RenderSettings settings = settings_for(default_configuration(), 300, 200, 96);
        const DepthMap map = depth_map_from_image(depth_image(300, 200), {settings.min_height, settings.max_height});
        const StereoCheck check = check_stereogram(stereogram, map, StereoGeometry(settings));
        QCOMPARE(check.mismatches, 0L);
        QVERIFY(check.pairs > 300 * 200 / 2);
        QCOMPARE(QImage(dir.filePath("depth.png")).pixelColor(150, 100), QColor(Qt::white));

        // The same seed, the same picture; BMP by extension; another dpi
        // changes the geometry.
        run = run_cli({"render", "scene.png", "-o", "again.bmp", "--seed", "5"}, dir.path(), registry);
        QCOMPARE(run.status, 0);
        QCOMPARE(QImage(dir.filePath("again.bmp")).convertToFormat(QImage::Format_RGB888),
                 stereogram.convertToFormat(QImage::Format_RGB888));
        QCOMPARE(run_cli({"render", "scene.png", "-o", "fine.png", "--dpi", "300"}, dir.path(), registry).status, 0);
        QVERIFY(QImage(dir.filePath("fine.png")) != stereogram);
    }

    void stored_settings_are_used()
    {
        QTemporaryDir dir;
        const QString registry = dir.filePath("registry.reg");
        qputenv("DIORAMIX_REGISTRY", registry.toLocal8Bit());
        {
            RegistryKey key(QString::fromLatin1(configuration_key_path), true);
            key.write_dword("rendercolor_base", 0x0000FF); // red dots and light red dots
            key.write_dword("rendercolor_range", 5000);
        }
        qunsetenv("DIORAMIX_REGISTRY");
        QFile store(registry);
        QVERIFY(store.open(QIODevice::ReadOnly));
        const QByteArray before = store.readAll();
        store.close();

        QVERIFY(depth_image(200, 40).save(dir.filePath("scene.png")));
        const Run run = run_cli({"render", "scene.png", "-o", "red.png"}, dir.path(), registry);
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        const QImage image(dir.filePath("red.png"));
        for (int x = 0; x < 200; ++x)
            QVERIFY(image.pixel(x, 7) == qRgb(255, 0, 0) || image.pixel(x, 7) == qRgb(255, 128, 128));
        QVERIFY(store.open(QIODevice::ReadOnly));
        QCOMPARE(store.readAll(), before);
    }

    void a_damaged_store_is_read_and_left_in_place()
    {
        QTemporaryDir dir;
        QVERIFY(depth_image(200, 40).save(dir.filePath("scene.png")));
        const QByteArray damaged("REGEDIT4\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessavue\\Configuration]\r\n"
                                 "\"rendercolor_base\"=dword:000000ff\r\n\"eye_distance\"=dwo");
        QVERIFY(QDir(dir.path()).mkpath("settings") && QDir(dir.path()).mkpath("links"));
        const QString store = dir.filePath("settings/registry.reg");
        const QString link = dir.filePath("links/registry.reg");
        QFile file(store);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(damaged) == damaged.size());
        file.close();
        QVERIFY(QFile::link(store, link));
        const QStringList alone{QStringLiteral("registry.reg")};
        const auto entries = [&](const char* folder) {
            return QDir(dir.filePath(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };

        const QStringList arguments{"render", "scene.png", "--seed", "3", "-o"};
        QCOMPARE(run_cli(arguments + QStringList{"fresh.png"}, dir.path(), dir.filePath("none.reg")).status, 0);
        for (const QString& registry : {store, link}) {
            const Run run = run_cli(arguments + QStringList{"damaged.png"}, dir.path(), registry);
            QVERIFY2(run.status == 0, qPrintable(run.errors));
            QCOMPARE(run.errors.count(QLatin1Char('\n')), 1);
            QVERIFY2(run.errors.startsWith(QStringLiteral("dioramix-cli: The settings file '%1' cannot be read (line 4")
                                               .arg(registry)),
                     qPrintable(run.errors));
            // Nothing is read from a file the program could not read back either.
            QCOMPARE(QImage(dir.filePath("damaged.png")), QImage(dir.filePath("fresh.png")));
            QCOMPARE(entries("settings"), alone);
            QCOMPARE(entries("links"), alone);
            QCOMPARE(QFileInfo(link).symLinkTarget(), store);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), damaged);
            file.close();
        }
    }

    void a_drawing_renders_as_the_library_renders_it()
    {
        constexpr StoredColor background = 0x800000;
        Shape box(nullptr, background), disc(nullptr, background);
        box.name = QStringLiteral("shape1");
        box.set_bounds(30, 40, 150, 100);
        box.size_buffer(150, 100, 0x00FFFF);
        box.morphology.edge_heights = {0, 20, 40, 60};
        disc.name = QStringLiteral("shape2");
        disc.set_bounds(200, 80, 120, 120);
        disc.size_buffer(120, 120, background);
        {
            QPainter painter(&disc.buffer);
            painter.setPen(Qt::black);
            painter.setBrush(to_qcolor(0x00FFFF));
            painter.drawEllipse(QRect(0, 0, 119, 119));
        }
        disc.morphology.edge_heights = {-50, -50, -50, -50};
        QList<Shape*> shapes{&box, &disc};
        DrawingHeader header;
        header.width_mm = 105;
        header.height_mm = 79;
        header.width_px = 400;
        header.height_px = 300;
        header.object_count = 2;

        QTemporaryDir dir;
        const QString registry = dir.filePath("registry.reg");
        QFile file(dir.filePath("house.sdf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(drawing_file_bytes(header, shapes, background));
        file.close();
        const Run run = run_cli({"render", "house.sdf"}, dir.path(), registry);
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        const QImage cli(dir.filePath("housestereo1.png"));

        // The library, handed the same drawing, the default settings and
        // this panel, reads it and renders it to the same picture.
        RenderRequest request;
        request.shapes = &shapes;
        request.color = background;
        ConfigurationRecord defaults;
        const HeightLimits limits = height_limits(40, 1000, tangent_of_degrees(0.1));
        defaults.max_height = limits.max_height;
        defaults.min_height = limits.min_height;
        const ConfigurationBlock block = configuration_block(defaults);
        const std::int32_t panel[4] = {105, 79, 400, 300};
        const RequestedRender library = read_request(&request, block.data(), panel, "housestereo1");
        const RenderResult result = render_scene(library.objects, library.settings, library.seed);
        QVERIFY(result.ok());
        QCOMPARE(cli.convertToFormat(QImage::Format_RGB888), result.stereogram);
        QCOMPARE(result.depth.at(30, 40), 0);
        QCOMPARE(result.depth.at(179, 139), 60);
        QCOMPARE(result.depth.at(210, 140), -50);

        // A file that is not a drawing.
        QFile junk(dir.filePath("junk.sdf"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(30, 'x'));
        junk.close();
        const Run bad = run_cli({"render", "junk.sdf"}, dir.path(), registry);
        QCOMPARE(bad.status, 1);
        QVERIFY(bad.errors.contains(QLatin1String("junk.sdf")));
    }

    void a_drawing_finds_its_bitmap_beside_it_from_any_folder()
    {
        // The sample names "examples/dome.bmp"; copied elsewhere and rendered
        // from a third folder, it still finds the bitmap beside itself.
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("drawings/elsewhere")));
        for (const char* name : {"dome.sdf", "dome.bmp"})
            QVERIFY(QFile::copy(QStringLiteral(EXAMPLES_DIR "/") + QLatin1String(name),
                                dir.filePath(QStringLiteral("drawings/") + QLatin1String(name))));
        const Run run = run_cli({"render", QStringLiteral("../dome.sdf"), "-o", "dome.png", "--depth-map", "depth.png"},
                                dir.filePath(QStringLiteral("drawings/elsewhere")), dir.filePath("registry.reg"));
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QCOMPARE(run.errors, QString());
        const QImage depth(dir.filePath(QStringLiteral("drawings/elsewhere/depth.png")));
        // The dome's top stands above the plinth round it.
        QVERIFY(qGray(depth.pixel(400, 300)) > qGray(depth.pixel(120, 80)));
    }

    void failures_give_status_1_and_one_line()
    {
        QTemporaryDir dir;
        const QString registry = dir.filePath("registry.reg");
        QFile junk(dir.filePath("junk.png"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not an image at all");
        junk.close();
        QVERIFY(depth_image(50, 50).save(dir.filePath("scene.png")));
        QVERIFY(depth_image(60, 50).save(dir.filePath("wide.png")));
        // A few kilobytes whose records ask for gigabytes of pixels.
        QFile huge(dir.filePath("huge.sdf"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        huge.write(DrawingHeader{100, 80, 400, 300, 10}.to_bytes());
        for (int i = 0; i < 10; ++i) {
            ShapeRecord record;
            record.width = 16384;
            record.height = 8192;
            huge.write(record.to_bytes() + silhouette_bmp(make_buffer(1, 1, color_black), 0xFFFFFF));
        }
        huge.close();
        QVERIFY(junk.copy(dir.filePath("junk.obj")));
        QVERIFY(write_sphere(dir.filePath("sphere.obj"), 8));

        const QList<QStringList> failing = {
            {"render", "missing.png"},
            {"render", "junk.png"},
            {"render", "scene.png", "-o", "/nonexistent/folder/out.png"},
            {"render", "scene.png", "-o", "out.jpg"},
            {"render", "scene.png", "--seed", "x"},
            {"render", "huge.sdf"},
            {"info", "huge.sdf"},
            {"render"},
            {"draw", "scene.png"},
            {"render", "scene.png", "--oversample", "9"},
            {"render", "scene.png", "--oversample", "0"},
            {"render", "scene.png", "--oversample", "2.5"},
            {"render", "scene.png", "--colors", "1"},
            {"render", "scene.png", "--colors", "257"},
            {"render", "scene.png", "--pattern", "missing.png"},
            {"render", "scene.png", "--pattern", "junk.png"},
            {"render", "scene.png", "--pattern", "scene.png", "--colors", "4"},
            {"render", "scene.png", "--keep-tile-size"},
            {"render", "scene.png", "--frobnicate"},
            {"render", "scene.png", "--seed"},
            {"render", "scene.png", "--yaw", "10"},
            {"render", "junk.obj"},
            {"render", "sphere.obj", "--size", "800x0"},
            {"render", "sphere.obj", "--size", "32767x32767"},
            {"render", "sphere.obj", "--roll", "nan"},
            {"render", "sphere.obj", "--relief", "0"},
            {"render", "scene.png", "scene.png", "-o", "two.png"},
            {"render", "scene.png", "wide.png", "-o", "mixed.gif"},
            {"render", "scene.png", "--turntable", "4", "-o", "t.gif"},
            {"render", "sphere.obj", "--turntable", "1", "-o", "t.gif"},
            {"render", "sphere.obj", "--turntable", "4", "-o", "t.png"},
            {"render", "scene.png", "scene.png", "--frame-ms", "5", "-o", "t.gif"},
            {"render", "scene.png", "--frame-ms", "200"},
            {"render", "scene.png", "--layout", "sideways"},
            {"render", "scene.png", "--layout", "pair", "--guides"},
        };
        for (const QStringList& arguments : failing) {
            const Run run = run_cli(arguments, dir.path(), registry);
            QVERIFY2(run.status == 1, qPrintable(arguments.join(' ')));
            QCOMPARE(run.errors.count(QLatin1Char('\n')), 1);
            QVERIFY(run.errors.startsWith(QLatin1String("dioramix-cli: ")));
        }
        QVERIFY(run_cli({"render", "missing.png"}, dir.path(), registry).errors.contains("missing.png"));
        QCOMPARE(run_cli({"render", "scene.png", "--oversample", "9"}, dir.path(), registry).errors,
                 QStringLiteral("dioramix-cli: --oversample takes a whole number from 1 to 8\n"));
        QCOMPARE(run_cli({"render", "scene.png", "--colors", "1"}, dir.path(), registry).errors,
                 QStringLiteral("dioramix-cli: --colors takes a whole number from 2 to 256\n"));
        QVERIFY(run_cli({"render", "scene.png", "--pattern", "missing.png"}, dir.path(), registry)
                    .errors.startsWith("dioramix-cli: cannot read the pattern image missing.png: "));
        QVERIFY(run_cli({"render", "scene.png", "--frobnicate"}, dir.path(), registry).errors.contains("--frobnicate"));
        QVERIFY(run_cli({"info", "huge.sdf"}, dir.path(), registry).errors.contains("1342177280"));
        QVERIFY(!QFile::exists(dir.filePath("out.jpg")));
        QVERIFY(!QFile::exists(dir.filePath("mixed.gif")));
        QCOMPARE(run_cli({"render", "scene.png", "wide.png", "-o", "mixed.gif"}, dir.path(), registry).errors,
                 QStringLiteral("dioramix-cli: wide.png is 60 x 50 pixels and scene.png is 50 x 50: the frames of "
                                "an animation are of one size\n"));
    }

    void animations_show_each_input_as_its_still_picture()
    {
        QTemporaryDir dir;
        const QString registry = dir.filePath("registry.reg");
        // A box that moves right from frame to frame, in rows 40 to 79.
        QStringList inputs;
        for (int k = 0; k < 3; ++k) {
            QImage depth(200, 120, QImage::Format_Grayscale8);
            depth.fill(0);
            for (int y = 40; y < 80; ++y)
                for (int x = 40 + 30 * k; x < 100 + 30 * k; ++x) depth.scanLine(y)[x] = 200;
            inputs << QStringLiteral("d%1.png").arg(k);
            QVERIFY(depth.save(dir.filePath(inputs.last())));
            QCOMPARE(run_cli({"render", inputs.last(), "--seed", "7", "-o", QStringLiteral("s%1.png").arg(k)},
                             dir.path(), registry).errors, QString());
        }
        for (const QString& output : {QStringLiteral("a.gif"), QStringLiteral("a.webp")}) {
            const Run run = run_cli(QStringList{"render"} + inputs + QStringList{"--seed", "7", "--frame-ms", "250", "-o", output},
                                    dir.path(), registry);
            QCOMPARE(run.errors, QString());
            const ReadAnimation read = output.endsWith(".gif") ? read_gif(contents(dir.filePath(output)))
                                                               : read_webp(contents(dir.filePath(output)));
            QVERIFY(read.ok && read.loops_forever);
            QCOMPARE(read.frames.size(), std::size_t(3));
            for (int k = 0; k < 3; ++k)
                QCOMPARE(read.frames[k],
                         QImage(dir.filePath(QStringLiteral("s%1.png").arg(k))).convertToFormat(QImage::Format_RGB888));
            QCOMPARE(read.delays[0], output.endsWith(".gif") ? 25 : 250);
            // Rows the box never reaches keep their dots: nothing shimmers.
            for (const int y : {0, 39, 80, 119})
                QCOMPARE(read.frames[1].copy(0, y, 200, 1), read.frames[0].copy(0, y, 200, 1));
            QVERIFY(read.frames[1].copy(0, 60, 200, 1) != read.frames[0].copy(0, 60, 200, 1));
        }
        // Without -o, several inputs make a GIF.
        QCOMPARE(run_cli(QStringList{"render"} + inputs, dir.path(), registry).errors, QString());
        QVERIFY(read_gif(contents(dir.filePath("d0stereo1.gif"))).ok);

        // A pair is twice as wide; an anaglyph's red is the pair's left view, its green and blue the right one.
        QCOMPARE(run_cli({"render", "d0.png", "--layout", "pair", "-o", "p.png"}, dir.path(), registry).errors,
                 QString());
        QCOMPARE(run_cli({"render", "d0.png", "--layout", "anaglyph", "-o", "an.png"}, dir.path(), registry).errors,
                 QString());
        const QImage pair(dir.filePath("p.png")), anaglyph(dir.filePath("an.png"));
        QCOMPARE(pair.size(), QSize(400, 120));
        QCOMPARE(anaglyph.size(), QSize(200, 120));
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 200; ++x) {
                QCOMPARE(qRed(anaglyph.pixel(x, y)), qGray(pair.pixel(x, y)));
                QCOMPARE(qGreen(anaglyph.pixel(x, y)), qGray(pair.pixel(200 + x, y)));
            }
        QVERIFY(pair.copy(0, 60, 200, 1) != pair.copy(200, 60, 200, 1));
    }

    void a_turntable_starts_at_the_still_picture()
    {
        QTemporaryDir dir;
        const QString registry = dir.filePath("registry.reg");
        const QString knot = QStringLiteral(EXAMPLES_DIR "/knot.obj");
        QCOMPARE(run_cli({"render", knot, "--yaw", "30", "-o", "still.png"}, dir.path(), registry).errors, QString());
        QCOMPARE(run_cli({"render", knot, "--yaw", "30", "--turntable", "12", "-o", "turn.gif"}, dir.path(), registry)
                     .errors,
                 QString());
        // Twelve frames of 800 x 600 random dots, one palette, only what moved.
        QVERIFY(QFileInfo(dir.filePath("turn.gif")).size() < 6'000'000);
        const ReadAnimation read = read_gif(contents(dir.filePath("turn.gif")));
        QVERIFY(read.ok);
        QCOMPARE(read.frames.size(), std::size_t(12));
        QCOMPARE(read.frames[0], QImage(dir.filePath("still.png")).convertToFormat(QImage::Format_RGB888));
        QVERIFY(read.frames[3] != read.frames[0]);
    }

    void the_picture_options_render_as_the_library_renders_them()
    {
        QTemporaryDir dir;
        const QString registry = dir.filePath("registry.reg");
        QVERIFY(depth_image(300, 200).save(dir.filePath("scene.png")));
        QImage tile(16, 16, QImage::Format_RGB888);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) tile.setPixelColor(x, y, QColor::fromHsv(x * 20, 180, 120 + y * 8));
        QVERIFY(tile.save(dir.filePath("tile.png")));
        // The result window's remembered options are not the command line's.
        qputenv("DIORAMIX_REGISTRY", registry.toLocal8Bit());
        {
            RegistryKey key(QString::fromLatin1(configuration_key_path), true);
            key.write_dword("render_pattern", 1);
            key.write_dword("render_oversample", 4);
            key.write_dword("render_guides", 1);
        }
        qunsetenv("DIORAMIX_REGISTRY");

        const RenderSettings settings = settings_for(default_configuration(), 300, 200, 96);
        const DepthMap map = depth_map_from_image(depth_image(300, 200), {settings.min_height, settings.max_height});
        const auto library = [&](const PictureOptions& options) {
            return render_depth_map(map, settings, 3, {}, options);
        };
        const auto cli = [&](QStringList arguments) {
            arguments = QStringList{"render", "scene.png", "--seed", "3", "-o", "out.png"} + arguments;
            const Run run = run_cli(arguments, dir.path(), registry);
            return run.status == 0 && run.errors.isEmpty() ? QImage(dir.filePath("out.png")).convertToFormat(QImage::Format_RGB888)
                                                           : QImage();
        };

        QCOMPARE(cli({}), library({}).stereogram);
        PictureOptions textured;
        textured.pattern = PatternKind::Image;
        textured.tile = QImage(dir.filePath("tile.png"));
        textured.oversample = 2;
        textured.cross_eyed = true;
        QCOMPARE(cli({"--pattern", "tile.png", "--oversample", "2", "--cross-eyed"}), library(textured).stereogram);
        textured.tile_own_size = true;
        textured.oversample = 1;
        textured.cross_eyed = false;
        QCOMPARE(cli({"--pattern", "tile.png", "--keep-tile-size"}), library(textured).stereogram);
        PictureOptions colours;
        colours.pattern = PatternKind::ColorDots;
        colours.colors = 7;
        QCOMPARE(cli({"--colors", "7"}), library(colours).stereogram);
        const RenderResult plain = library({});
        QCOMPARE(cli({"--guides"}), picture_with_guides(plain.stereogram, plain.zero_separation));

        // --help lists the options; --version names the tool.
        Run run = run_cli({"--help"}, dir.path(), registry);
        QCOMPARE(run.status, 0);
        for (const char* option : {"--pattern <IMAGE>", "--colors <N>", "--oversample <K>", "--cross-eyed", "--guides",
                                   "--depth-map", "--dpi", "render INPUT", "info FILE.sdf"})
            QVERIFY2(run.output.contains(QLatin1String(option)), option);
        run = run_cli({"render", "--version"}, dir.path(), registry);
        QCOMPARE(run.status, 0);
        QVERIFY(run.output.startsWith("dioramix-cli "));
    }

    void a_fifo_named_as_a_bitmap_or_a_tile_is_not_read()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("bitmap.bmp"));
        if (::mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0) QSKIP("no FIFO can be made here");
        Shape hill(nullptr, 0x800000);
        hill.name = QStringLiteral("hill");
        hill.set_bounds(10, 10, 40, 30);
        hill.size_buffer(40, 30, 0x00FFFF);
        hill.morphology.flat_surface = 0;
        hill.morphology.bitmap_file = fifo.toLocal8Bit();
        QFile file(dir.filePath(QStringLiteral("hill.sdf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(drawing_file_bytes(DrawingHeader{60, 40, 200, 150, 1}, {&hill}, 0x800000));
        file.close();
        const QString registry = dir.filePath(QStringLiteral("registry.reg"));

        Run run = run_cli({"render", "hill.sdf", "-o", "hill.png"}, dir.path(), registry);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.errors, QStringLiteral("dioramix-cli: The morphology bitmap \"%1\" of hill cannot be read; objects "
                                            "using it are rendered flat at height 0.\n")
                                 .arg(fifo));
        QCOMPARE(QImage(dir.filePath(QStringLiteral("hill.png"))).size(), QSize(200, 150));

        run = run_cli({"render", "hill.sdf", "--pattern", fifo}, dir.path(), registry);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.errors.startsWith(QStringLiteral("dioramix-cli: cannot read the pattern image %1: ").arg(fifo)),
                 qPrintable(run.errors));
    }

    void a_picture_that_does_not_fit_on_the_disk_leaves_the_old_one()
    {
        FullDisk disk;
        if (!disk.mounted()) QSKIP(qPrintable(disk.why_not()));
        QTemporaryDir dir;
        const QString registry = dir.filePath(QStringLiteral("registry.reg"));
        QVERIFY(depth_image(300, 200).save(dir.filePath(QStringLiteral("scene.png"))));
        const QString old = disk.filePath(QStringLiteral("old.png"));
        QVERIFY(depth_image(20, 10).save(old));
        const QString old_depth = disk.filePath(QStringLiteral("depth.png"));
        QVERIFY(QFile::copy(old, old_depth));
        const QByteArray before = contents(old);
        QVERIFY(disk.fill());

        const QString no_space = QString::fromLocal8Bit(std::strerror(ENOSPC));
        Run run = run_cli({"render", "scene.png", "-o", old}, dir.path(), registry);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.errors, QStringLiteral("dioramix-cli: cannot write the stereogram to %1: %2\n").arg(old, no_space));
        run = run_cli({"render", "scene.png", "-o", "new.png", "--depth-map", old_depth}, dir.path(), registry);
        QCOMPARE(run.errors, QStringLiteral("dioramix-cli: cannot write the depth map to %1: %2\n").arg(old_depth, no_space));
        QCOMPARE(contents(old), before);
        QCOMPARE(contents(old_depth), before);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"depth.png", "filler", "old.png"}));
    }

    void a_model_renders_with_the_heights_of_its_relief()
    {
        QTemporaryDir dir;
        QVERIFY(write_sphere(dir.filePath("sphere.obj"), 120));
        // The sphere fitted in 201 x 201 with its margin of 10 has a radius of
        // 90.5 pixels about the middle of pixel (100, 100).
        for (const double relief : {12.0, 30.0}) {
            ModelView view;
            view.width_px = view.height_px = 201;
            view.relief_mm = relief;
            const CliInput input = read_model_input(dir.filePath("sphere.obj"), view, 96, {0, 1000});
            QCOMPARE(input.error, QString());
            for (int y = 0; y < 201; ++y)
                for (int x = 0; x < 201; ++x) {
                    const double r = std::hypot(x - 100, y - 100) / 90.5;
                    if (r > 1.02) QCOMPARE(input.depth->at(x, y), 0);
                    if (r > 0.95) continue; // the rim's slope is too steep to sample
                    // Half a height step of rounding, and the facets' flattening.
                    const double expected = relief * std::sqrt(1 - r * r);
                    QVERIFY2(std::abs(input.depth->at(x, y) - expected) <= 0.5 + 0.002 * relief,
                             qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                }
            QCOMPARE(input.depth->range().second, std::int32_t(relief));
        }
        const Run run = run_cli({"render", "sphere.obj", "--size", "300x200", "--yaw", "30", "--depth-map", "d.png"},
                                dir.path(), dir.filePath("registry.reg"));
        QCOMPARE(run.errors, QString());
        QCOMPARE(QImage(dir.filePath("spherestereo1.png")).size(), QSize(300, 200));
        QCOMPARE(QImage(dir.filePath("d.png")).pixelColor(150, 100), QColor(Qt::white));
    }

    void the_default_output_follows_the_render_name_rule()
    {
        QCOMPARE(default_output("/some/where/house.sdf"), QStringLiteral("housestereo1.png"));
        QCOMPARE(default_output("a.sdf.sdf"), QStringLiteral("astereo1.png"));
        QString error;
        const CliOptions options = parse_cli_options({"render", "x.png", "--seed", "42", "--dpi", "300"}, error);
        QVERIFY(error.isEmpty());
        QCOMPARE(options.seed, 42u);
        QCOMPARE(options.dpi, 300);
        QCOMPARE(options.output, QStringLiteral("xstereo1.png"));
        QVERIFY(options.pattern == PatternKind::Dots && options.oversample == 1);
        QVERIFY(!options.cross_eyed && !options.guides && !options.pattern_switch);
        parse_cli_options({"render", "x.png", "--dpi", "0"}, error);
        QVERIFY(!error.isEmpty());
        error.clear();
        const CliOptions all = parse_cli_options({"render", "--pattern", "t.png", "x.png", "--keep-tile-size",
                                                  "--oversample", "8", "--cross-eyed", "--guides", "--output", "y.bmp"},
                                                 error);
        QCOMPARE(error, QString());
        QCOMPARE(all.input, QStringLiteral("x.png"));
        QCOMPARE(all.output, QStringLiteral("y.bmp"));
        QCOMPARE(all.pattern, PatternKind::Image);
        QCOMPARE(all.pattern_value, QStringLiteral("t.png"));
        QCOMPARE(all.oversample, 8);
        QVERIFY(all.pattern_switch && all.cross_eyed && all.guides);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
