#pragma once
// Animated GIF and WebP files read back frame by frame, as a viewer shows
// them: each frame the whole picture after it is drawn.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstring>
#include <gif_lib.h>
#include <vector>
#include <webp/demux.h>

struct ReadAnimation {
    std::vector<QImage> frames; // RGB888
    std::vector<int> delays;    // GIF: hundredths of a second; WebP: milliseconds
    bool loops_forever = false;
    bool ok = false;
};

inline ReadAnimation read_gif(const QByteArray& bytes)
{
    ReadAnimation out;
    struct Source {
        const QByteArray* bytes;
        qsizetype at = 0;
    } source{&bytes};
    const auto read = [](GifFileType* gif, GifByteType* into, int n) {
        auto* s = static_cast<Source*>(gif->UserData);
        const int got = int(std::min<qsizetype>(n, s->bytes->size() - s->at));
        std::memcpy(into, s->bytes->constData() + s->at, std::size_t(got));
        s->at += got;
        return got;
    };
    int error = 0;
    GifFileType* gif = DGifOpen(&source, read, &error);
    if (!gif) return out;
    if (DGifSlurp(gif) == GIF_OK && gif->SColorMap) {
        QImage canvas(gif->SWidth, gif->SHeight, QImage::Format_RGB888);
        canvas.fill(Qt::black);
        for (int i = 0; i < gif->ImageCount; ++i) {
            const SavedImage& image = gif->SavedImages[i];
            for (int e = 0; e < image.ExtensionBlockCount; ++e) {
                const ExtensionBlock& block = image.ExtensionBlocks[e];
                if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                    std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && e + 1 < image.ExtensionBlockCount)
                    out.loops_forever = image.ExtensionBlocks[e + 1].Bytes[1] == 0 &&
                                        image.ExtensionBlocks[e + 1].Bytes[2] == 0;
            }
            GraphicsControlBlock control{};
            control.TransparentColor = NO_TRANSPARENT_COLOR;
            DGifSavedExtensionToGCB(gif, i, &control);
            const GifImageDesc& d = image.ImageDesc;
            const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
            for (int y = 0; y < d.Height; ++y)
                for (int x = 0; x < d.Width; ++x) {
                    const int index = image.RasterBits[y * d.Width + x];
                    if (index == control.TransparentColor) continue;
                    const GifColorType c = map->Colors[index];
                    std::uint8_t* p = canvas.scanLine(d.Top + y) + 3 * (d.Left + x);
                    p[0] = c.Red, p[1] = c.Green, p[2] = c.Blue;
                }
            out.frames.push_back(canvas.copy());
            out.delays.push_back(control.DelayTime);
        }
        out.ok = true;
    }
    DGifCloseFile(gif, &error);
    return out;
}

inline ReadAnimation read_webp(const QByteArray& bytes)
{
    ReadAnimation out;
    WebPData data{reinterpret_cast<const uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) return out;
    options.color_mode = MODE_RGBA;
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    if (!decoder) return out;
    WebPAnimInfo info;
    if (WebPAnimDecoderGetInfo(decoder, &info)) {
        out.loops_forever = info.loop_count == 0;
        int last = 0;
        while (WebPAnimDecoderHasMoreFrames(decoder)) {
            uint8_t* rgba = nullptr;
            int timestamp = 0;
            if (!WebPAnimDecoderGetNext(decoder, &rgba, &timestamp)) break;
            const QImage frame(rgba, int(info.canvas_width), int(info.canvas_height), QImage::Format_RGBA8888);
            out.frames.push_back(frame.convertToFormat(QImage::Format_RGB888));
            out.delays.push_back(timestamp - last);
            last = timestamp;
        }
        out.ok = out.frames.size() == info.frame_count;
    }
    WebPAnimDecoderDelete(decoder);
    return out;
}
