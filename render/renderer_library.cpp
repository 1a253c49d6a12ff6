#include "render/renderer_library.h"
#include <QCoreApplication>
#include <QLibrary>
#include <map>
#include <memory>

QString renderer_path()
{
    const QString chosen = qEnvironmentVariable("DIORAMIX_RENDERER");
    if (!chosen.isEmpty()) return chosen;
    // The library's full file name: beside the program there is also a
    // folder called "veride" in a build tree, which the bare name would hit.
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QStringLiteral("/veride.dll");
#else
    return QCoreApplication::applicationDirPath() + QStringLiteral("/libveride.so");
#endif
}

RendererEntry load_renderer()
{
    // One library object per path, never unloaded: the renderer keeps its
    // own state (the folder last saved to) between calls.
    static std::map<QString, std::unique_ptr<QLibrary>> libraries;
    const QString path = renderer_path();
    std::unique_ptr<QLibrary>& library = libraries[path];
    if (!library) library = std::make_unique<QLibrary>(path);

    RendererEntry entry;
    if (!library->load()) {
        entry.problem = QStringLiteral("The stereogram renderer %1 cannot be loaded: %2")
                            .arg(path, library->errorString());
        return entry;
    }
    entry.render_form = reinterpret_cast<RenderFormFunction*>(library->resolve("RenderForm"));
    if (!entry.render_form)
        entry.problem = QStringLiteral("The stereogram renderer %1 has no RenderForm function: %2")
                            .arg(library->fileName(), library->errorString());
    return entry;
}
