// Turns the program icon's PNG into the raw pixels that the window run time reads at start-up.
//
// Usage: icon-pixels <in.png> <out>
// Writes "RGBA", the width and the height as little-endian 16-bit numbers, then the rows from the
// top, each pixel as its R, G, B and A bytes (alpha not premultiplied). Run at build time, so the
// PNG stays the one picture of the icon.

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: icon-pixels <in.png> <out>\n");
        return 2;
    }
    const QImage image =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGBA8888);
    if (image.isNull() || image.width() > 0xFFFF || image.height() > 0xFFFF) {
        std::fprintf(stderr, "icon-pixels: cannot read %s as an image\n", argv[1]);
        return 1;
    }
    QByteArray bytes("RGBA");
    for (const int size : {image.width(), image.height()}) {
        bytes.append(static_cast<char>(size & 0xFF));
        bytes.append(static_cast<char>((size >> 8) & 0xFF));
    }
    const auto rowBytes = static_cast<qsizetype>(image.width()) * 4;
    for (int y = 0; y < image.height(); ++y) {
        bytes.append(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "icon-pixels: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
