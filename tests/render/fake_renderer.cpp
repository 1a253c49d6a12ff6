#include "fake_renderer.h"
#include <cstring>

namespace {
FakeRenderCall recorded;
}

extern "C" __attribute__((visibility("default"))) void RenderForm(const void* request, const void* configuration,
                                                                  const void* dimensions, const char* name)
{
    ++recorded.calls;
    std::memcpy(&recorded.request, request, sizeof recorded.request);
    std::memcpy(recorded.configuration, configuration, sizeof recorded.configuration);
    std::memcpy(recorded.dimensions, dimensions, sizeof recorded.dimensions);
    std::memcpy(recorded.name, name, sizeof recorded.name); // the whole 100-byte buffer
}

extern "C" __attribute__((visibility("default"))) const FakeRenderCall* last_render_call()
{
    return &recorded;
}
