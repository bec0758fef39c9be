// Checks the committed program icons: sizes, 8-bit RGBA PNGs, a real picture on a clear ground.
//
// Usage: dist_icon_test <32x32.png> <256x256.png> <scalable.svg>
// Exits 0 when every check passes; otherwise prints each failure and exits 1.

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <cstdio>

namespace {

int failures = 0;

void fail(const QString& file, const char* what) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(file), what);
    ++failures;
}

quint32 bigEndian32(const QByteArray& b, int at) {
    return quint32(quint8(b[at])) << 24 | quint32(quint8(b[at + 1])) << 16 |
           quint32(quint8(b[at + 2])) << 8 | quint32(quint8(b[at + 3]));
}

// A PNG file whose header says `size` x `size`, 8 bits per channel, colour type 6 (RGBA), and
// whose pixels hold both a see-through ground (at least a tenth fully transparent, the corners
// among them) and a picture (at least a third fully opaque, the centre among them).
void checkPng(const QString& file, int size) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return fail(file, "cannot be read");
    const QByteArray bytes = f.readAll();
    // Signature, then the IHDR chunk: length 13, "IHDR", width, height, depth, colour type, ...
    if (bytes.size() < 33 || !bytes.startsWith("\x89PNG\r\n\x1a\n") || bytes.mid(12, 4) != "IHDR") {
        return fail(file, "is not a PNG file");
    }
    if (bigEndian32(bytes, 16) != quint32(size) || bigEndian32(bytes, 20) != quint32(size)) {
        fail(file, "has the wrong size");
    }
    if (bytes[24] != 8 || bytes[25] != 6)
        fail(file, "is not 8-bit RGBA");

    QImage image;
    if (!image.loadFromData(bytes, "PNG"))
        return fail(file, "does not decode");
    image = image.convertToFormat(QImage::Format_ARGB32);
    qsizetype clear = 0;
    qsizetype solid = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            clear += alpha == 0;
            solid += alpha == 255;
        }
    }
    const qsizetype all = qsizetype(image.width()) * image.height();
    if (clear * 10 < all)
        fail(file, "has too few transparent pixels");
    if (solid * 3 < all)
        fail(file, "has too few opaque pixels");
    const int last = image.width() - 1;
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
        if (qAlpha(image.pixel(corner)) != 0) {
            fail(file, "has a corner that is not transparent");
            break;
        }
    }
    if (qAlpha(image.pixel(image.width() / 2, image.height() / 2)) != 255) {
        fail(file, "has a centre that is not opaque");
    }
}

// Well-formed XML whose root is an SVG element with a 256 x 256 view box and some paths.
void checkSvg(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return fail(file, "cannot be read");
    QXmlStreamReader xml(&f);
    bool rootSeen = false;
    int paths = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (!rootSeen) {
            rootSeen = true;
            if (xml.name() != u"svg" || xml.namespaceUri() != u"http://www.w3.org/2000/svg") {
                fail(file, "does not open with an SVG element");
            }
            if (xml.attributes().value(QLatin1String("viewBox")) != u"0 0 256 256") {
                fail(file, "does not have the 256 x 256 view box");
            }
        }
        paths += xml.name() == u"path";
    }
    if (xml.hasError())
        fail(file, "is not well-formed XML");
    if (paths < 5)
        fail(file, "draws hardly anything");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: dist_icon_test <32x32.png> <256x256.png> <scalable.svg>\n");
        return 2;
    }
    checkPng(QString::fromLocal8Bit(argv[1]), 32);
    checkPng(QString::fromLocal8Bit(argv[2]), 256);
    checkSvg(QString::fromLocal8Bit(argv[3]));
    return failures == 0 ? 0 : 1;
}
