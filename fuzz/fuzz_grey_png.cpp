// The grey PNG reader on arbitrary bytes, as a depth-map file could hold
// them: it must never read past the file, and whatever both it and Qt's
// reader accept must come out the same, pixel for pixel.
#include "veride/grey_png.h"
#include <QBuffer>
#include <QColorSpace>
#include <QtEndian>
#include <QtGlobal>
#include <cstdint>
#include <cstdlib>
#include <zlib.h>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

// The chunks' checksums made right, so that the fuzzer reaches the pixels
// instead of stopping at the first checksum.
QByteArray with_checksums(QByteArray file)
{
    for (qsizetype at = 8; file.size() - at >= 12;) {
        const quint32 length = qFromBigEndian<quint32>(file.constData() + at);
        if (length > quint32(file.size() - at - 12)) break;
        const auto* typed = reinterpret_cast<const Bytef*>(file.constData() + at + 4);
        qToBigEndian<quint32>(quint32(crc32(0, typed, 4 + length)), file.data() + at + 8 + length);
        at += 12 + qsizetype(length);
    }
    return file;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray file =
        with_checksums(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    const QImage ours = read_grey_png(buffer, 1 << 22);
    if (ours.isNull()) return 0;
    // Qt's reader refuses some files for faults that leave the pixels
    // well defined (a chunk's name, its place); where it reads one, the
    // pixels must agree.
    QImage qts = QImage::fromData(file, "png").convertToFormat(QImage::Format_Grayscale8);
    qts.setColorSpace(QColorSpace());
    if (!qts.isNull() && ours != qts) std::abort();
    return 0;
}
