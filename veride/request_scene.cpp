#include "veride/request_scene.h"
#include "core/shape.h"
#include "render/render_request.h"
#include <QVariant>
#include <QWidget>

// Only fields and inline members of the program's classes are used here:
// the library links against none of the program's code.
RequestedRender read_request(const void* request_block, const void* configuration, const void* dimensions,
                             const char* render_name)
{
    const auto* request = static_cast<const RenderRequest*>(request_block);
    RequestedRender render;
    render.settings = settings_from_blocks(static_cast<const unsigned char*>(configuration),
                                           static_cast<const unsigned char*>(dimensions));
    render.name = QString::fromLocal8Bit(render_name, qstrnlen(render_name, render_name_buffer_size));
    if (request->panel) {
        render.window = request->panel->window();
        const QVariant count = request->panel->property("render_count");
        if (count.isValid()) render.seed = count.toULongLong();
        render.drawing_folder = request->panel->property(drawing_folder_property).toString();
    }
    if (request->shapes) {
        for (const Shape* shape : *request->shapes)
            render.objects.push_back(scene_object_from_buffer(shape->name, shape->bounds(), shape->buffer,
                                                              request->color, shape->morphology));
    }
    return render;
}
