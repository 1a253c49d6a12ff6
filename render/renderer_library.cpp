#include "render/renderer_library.h"
#include "platform/library_file.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <map>
#include <memory>

QString installed_renderer_folder()
{
#ifdef DIORAMIX_RENDERER_DIR
    return QStringLiteral(DIORAMIX_RENDERER_DIR);
#else
    return QString();
#endif
}

QString find_renderer(const QString& program_folder)
{
    // The library's full file name: beside the program there is also a
    // folder called "veride" in a build tree, which the bare name would hit.
    const QString file = library_file_name(QStringLiteral("veride"));
    const QString beside = QDir(program_folder).filePath(file);
    if (QFileInfo::exists(beside)) return beside;
    const QString folder = installed_renderer_folder();
    if (!folder.isEmpty()) {
        const QString installed = QDir::cleanPath(QDir(program_folder).filePath(folder + QLatin1Char('/') + file));
        if (QFileInfo::exists(installed)) return installed;
    }
    return beside;
}

QString renderer_path()
{
    const QString chosen = qEnvironmentVariable("DIORAMIX_RENDERER");
    if (!chosen.isEmpty()) return chosen;
    return find_renderer(QCoreApplication::applicationDirPath());
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
        entry.problem
            = QCoreApplication::translate("RendererLibrary", "The stereogram renderer %1 cannot be loaded: %2")
                  .arg(path, library->errorString());
        return entry;
    }
    entry.render_form = reinterpret_cast<RenderFormFunction*>(library->resolve("RenderForm"));
    if (!entry.render_form)
        entry.problem = QCoreApplication::translate("RendererLibrary",
                                                    "The stereogram renderer %1 has no RenderForm function: %2")
                            .arg(library->fileName(), library->errorString());
    return entry;
}
