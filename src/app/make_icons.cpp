// Build tool: writes the program's icon as PNG files for the desktop's icon theme, or as the
// Windows icon file of the Windows programs.
// Usage: make_icons OUTPUT_DIR  (writes OUTPUT_DIR/<size>x<size>/apps/tavrix.png)
//        make_icons --ico FILE  (writes FILE: 16, 24, 32 and 48 pixels, each stored as PNG)
#include "app/app_icon.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

// An icon file: its header, one directory entry for each image, then the images.
bool writeIconFile(const QString& path) {
    const int sizes[] = {16, 24, 32, 48};
    QList<QByteArray> images;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!appIconImage(size).save(&buffer, "PNG")) return false;
        images.append(png);
    }
    QByteArray file;
    // Little-endian fields of 16 and 32 bits.
    auto put = [&file](quint32 value, int bytes) {
        for (int byte = 0; byte < bytes; ++byte) file.append(static_cast<char>(value >> (8 * byte)));
    };
    auto put16 = [&](quint32 value) { put(value, 2); };
    auto put32 = [&](quint32 value) { put(value, 4); };
    put16(0);  // reserved
    put16(1);  // an icon
    put16(static_cast<quint16>(images.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        file.append(static_cast<char>(sizes[i]));  // width
        file.append(static_cast<char>(sizes[i]));  // height
        file.append('\0');                         // no palette
        file.append('\0');                         // reserved
        put16(1);                                  // planes
        put16(32);                                 // bits per pixel
        put32(static_cast<quint32>(images[i].size()));
        put32(offset);
        offset += static_cast<quint32>(images[i].size());
    }
    for (const QByteArray& image : images) file.append(image);
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(file) == file.size();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--ico") {
        if (writeIconFile(QString::fromLocal8Bit(argv[2]))) return 0;
        std::fprintf(stderr, "make_icons: cannot write %s\n", argv[2]);
        return 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_DIR | make_icons --ico FILE\n");
        return 2;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(dir) || !appIconImage(size).save(dir + QStringLiteral("/tavrix.png"))) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
