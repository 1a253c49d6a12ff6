#pragma once
// A stand-in renderer library that keeps a copy of what it was handed.
#include "render/render_request.h"
#include <cstdint>

struct FakeRenderCall {
    int calls = 0;
    RenderRequest request;
    unsigned char configuration[76] = {};
    std::int32_t dimensions[4] = {};
    char name[render_name_buffer_size] = {};
};

extern "C" {
typedef const FakeRenderCall* LastRenderCallFunction();
}
