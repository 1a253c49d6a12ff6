// Start-up's reading of the settings from a large settings file: 20,000
// keys of other programs (80,000 for the second size) and the program's own
// Configuration key, read as the program reads them at start, beside reading
// the file's bytes alone.
#include "core/configuration.h"
#include "platform/screen.h"
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>

namespace {

// The settings file of that many other keys, with the program's own key
// filled in as a first start fills it.
QString large_store(int keys)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry%1.reg").arg(keys));
    if (QFile::exists(path)) return path;
    std::string text = "REGEDIT4\r\n";
    for (int i = 0; i < keys; ++i) {
        const std::string n = std::to_string(i);
        text += "\r\n[HKEY_CURRENT_USER\\Software\\Vendor" + std::to_string(i % 97) + "\\Item" + n + "]\r\n\"Value\"=\"" + n
            + "\"\r\n";
    }
    text += "\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) != qint64(text.size()))
        return QString();
    file.close();
    qputenv("DIORAMIX_REGISTRY", QFile::encodeName(path));
    load_configuration(nullptr);
    return path;
}

// Another time for the file, so the next read finds it changed and parses it again.
void touch(const QString& path, int round)
{
    const timespec time{1'000'000'000 + round, 0};
    const timespec times[2] = {time, time};
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

void BM_StartReadingChangedFile(benchmark::State& state)
{
    const QString path = large_store(int(state.range(0)));
    qputenv("DIORAMIX_REGISTRY", QFile::encodeName(path));
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        touch(path, ++round);
        state.ResumeTiming();
        const ConfigurationLoad loaded = load_configuration(nullptr);
        benchmark::DoNotOptimize(loaded.problems.size());
    }
    state.counters["bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_StartReadingChangedFile)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);

void BM_StartReadingSameFile(benchmark::State& state)
{
    const QString path = large_store(int(state.range(0)));
    qputenv("DIORAMIX_REGISTRY", QFile::encodeName(path));
    for (auto _ : state) {
        const ConfigurationLoad loaded = load_configuration(nullptr);
        benchmark::DoNotOptimize(loaded.problems.size());
    }
}
BENCHMARK(BM_StartReadingSameFile)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);

void BM_ReadFileBytes(benchmark::State& state)
{
    const QString path = large_store(int(state.range(0)));
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.constData());
    }
}
BENCHMARK(BM_ReadFileBytes)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    platform::screen_seam().replace([] { return ScreenMetrics{1024, 768, 96, 96}; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
