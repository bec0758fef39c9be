// Draws the program icon, a sword crossed with a writing brush on an ink circle, as PNGs and SVG.
//
// Usage: draw-icon <hicolor-dir>
// Writes <hicolor-dir>/{32x32,256x256}/apps/<id>.png (8-bit RGBA, transparent outside the
// picture) and <hicolor-dir>/scalable/apps/<id>.svg. Output depends only on this file and the Qt
// version: running it twice gives the same bytes.
//
// The picture is a list of filled shapes in a 256 x 256 design space. The PNGs are painted from
// that list with QPainter; the SVG is the same list written out as path data, so the two agree.
// The 32 px picture drops the shapes marked as fine detail and thickens the slimmest parts, so it
// stays readable at that size.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTextStream>
#include <QTransform>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

const QString kId = QStringLiteral("org.novelhelper.NovelHelper");
constexpr double kDesign = 256.0;  // the design space is kDesign x kDesign units

// Palette: rice paper, ink, and vermilion lacquer.
const QColor kPaperLight{0xf8, 0xf1, 0xe2};
const QColor kPaperDark{0xe6, 0xd6, 0xb6};
const QColor kInk{0x1c, 0x1a, 0x18};
const QColor kInkSoft{0x5c, 0x59, 0x58};
const QColor kVermilion{0xc0, 0x60, 0x00};
const QColor kVermilionDark{0x8a, 0x3f, 0x00};
const QColor kVermilionLight{0xe3, 0x8a, 0x2c};

// A solid fill, or a two-stop linear gradient from `from` to `to` (design-space points).
struct Fill {
    QColor color;
    QColor color2;
    QPointF from;
    QPointF to;
    bool gradient = false;
};

Fill solid(const QColor& c) { return Fill{c, c, {}, {}, false}; }
Fill linear(const QColor& a, const QColor& b, QPointF from, QPointF to) {
    return Fill{a, b, from, to, true};
}

struct Shape {
    QPainterPath path;  // design-space coordinates, already placed
    Fill fill;
};

// Sword and brush are drawn along a vertical axis through the origin, then turned by `degrees`
// (clockwise on screen), enlarged by kObjectScale and moved to the centre of the icon.
constexpr double kObjectScale = 1.05;

QTransform placement(double degrees) {
    QTransform t;
    t.translate(kDesign / 2, kDesign / 2);
    t.rotate(degrees);
    t.scale(kObjectScale, kObjectScale);
    return t;
}

QPainterPath placed(const QPainterPath& local, double degrees) {
    return placement(degrees).map(local);
}

QPointF placedPoint(QPointF local, double degrees) { return placement(degrees).map(local); }

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath p;
    bool first = true;
    for (const QPointF& pt : points) {
        if (first) {
            p.moveTo(pt);
            first = false;
        } else {
            p.lineTo(pt);
        }
    }
    p.closeSubpath();
    return p;
}

QPainterPath rect(double x0, double y0, double x1, double y1) {
    return polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

QPainterPath circle(QPointF centre, double r) {
    QPainterPath p;
    p.addEllipse(centre, r, r);
    return p;
}

// The ensō: one brush stroke round the paper, opening at the upper right. It starts thin,
// swells through the lower half and thins out again, like a stroke of a loaded brush.
QPainterPath enso(double outer, double maxWidth, double minWidth) {
    constexpr int kSteps = 96;
    const double start = -60.0;  // degrees, clockwise from 3 o'clock; the gap is at the top right
    const double sweep = 320.0;
    std::vector<QPointF> outside;
    std::vector<QPointF> inside;
    for (int i = 0; i <= kSteps; ++i) {
        const double f = i / double(kSteps);
        const double a = (start + sweep * f) * std::numbers::pi / 180.0;
        // Width profile: a fast attack, a full body, a long dry tail.
        const double body = std::sin(std::numbers::pi * std::pow(f, 0.8));
        const double w = minWidth + (maxWidth - minWidth) * body;
        const QPointF dir{std::cos(a), std::sin(a)};
        const QPointF c{kDesign / 2, kDesign / 2};
        outside.push_back(c + dir * outer);
        inside.push_back(c + dir * (outer - w));
    }
    QPainterPath p;
    p.moveTo(outside.front());
    for (std::size_t i = 1; i < outside.size(); ++i)
        p.lineTo(outside[i]);
    for (std::size_t i = inside.size(); i-- > 0;)
        p.lineTo(inside[i]);
    p.closeSubpath();
    return p;
}

// The whole picture, back to front. `small` selects the 32 px variant. Sword and brush lie inside
// the ink circle, so their dark ends never run into it.
std::vector<Shape> picture(bool small) {
    std::vector<Shape> s;
    const double c = kDesign / 2;

    // Paper disc and the ink circle round it.
    s.push_back({circle({c, c}, 118), linear(kPaperLight, kPaperDark, {60, 40}, {200, 230})});
    s.push_back({enso(123, 17, small ? 9 : 4), solid(kInk)});

    // Writing brush, handle to the upper left and bristles to the lower right (axis +y).
    const double brushTurn = -45.0;
    const double hw = small ? 10 : 8;                        // half width of the handle
    s.push_back({placed(rect(-hw, -92, hw, 30), brushTurn),  // lit from the upper left
                 linear(kVermilionLight, kVermilionDark, placedPoint({-hw, 0}, brushTurn),
                        placedPoint({hw, 0}, brushTurn))});
    s.push_back({placed(rect(-hw - 1, -97, hw + 1, -86), brushTurn), solid(kInk)});  // end cap
    if (!small) {
        for (double y : {-52.0, -8.0}) {  // bamboo nodes
            s.push_back({placed(rect(-hw, y, hw, y + 3), brushTurn), solid(kVermilionDark)});
        }
    }
    s.push_back({placed(rect(-hw - 3, 28, hw + 3, 42), brushTurn), solid(kInk)});  // ferrule
    {
        const double bw = small ? 14 : 12;  // half width of the bristles at the ferrule
        QPainterPath tuft;
        tuft.moveTo(-bw, 40);
        tuft.cubicTo(-bw - 8, 60, -bw + 2, 80, 0, 98);
        tuft.cubicTo(bw - 2, 80, bw + 8, 60, bw, 40);
        tuft.closeSubpath();
        s.push_back({placed(tuft, brushTurn), solid(kInk)});
        if (!small) {  // a wet sheen along the bristles
            QPainterPath sheen;
            sheen.moveTo(-6, 46);
            sheen.cubicTo(-11, 62, -8, 76, -2, 88);
            sheen.cubicTo(-5, 76, -5, 62, -2, 46);
            sheen.closeSubpath();
            s.push_back({placed(sheen, brushTurn), solid(kInkSoft)});
        }
    }

    // Sword, over the brush: tip to the upper right (axis -y), hilt to the lower left.
    const double swordTurn = 45.0;
    const double bh = small ? 13 : 11;  // half width of the blade
    const QPainterPath blade = polygon({{0, -98}, {bh, -76}, {bh, 30}, {-bh, 30}, {-bh, -76}});
    if (!small) {  // its shadow on the brush
        s.push_back(
            {placed(blade.translated(5, 0), swordTurn), solid(QColor(0x1c, 0x1a, 0x18, 0x50))});
    }
    s.push_back({placed(blade, swordTurn), solid(kInk)});
    // The lit half of the blade, left of the ridge.
    s.push_back({placed(polygon({{0, -94}, {0, 28}, {-bh + 3, 28}, {-bh + 3, -75}}), swordTurn),
                 solid(kInkSoft)});
    {
        // The guard: a shallow bow whose wings sweep toward the blade.
        const double gw = small ? 32 : 30;  // half width of the guard
        const double t = 28;                // where it meets the blade
        const double d = small ? 17 : 14;   // its depth at the middle
        QPainterPath guard;
        guard.moveTo(-gw, t - 4);
        guard.quadTo(-gw * 0.5, t + 1, 0, t);
        guard.quadTo(gw * 0.5, t + 1, gw, t - 4);
        guard.lineTo(gw - 2, t + 4);
        guard.quadTo(gw * 0.5, t + d - 3, 0, t + d);
        guard.quadTo(-gw * 0.5, t + d - 3, -gw + 2, t + 4);
        guard.closeSubpath();
        s.push_back({placed(guard, swordTurn), solid(kInk)});
    }
    const double gh = small ? 9 : 7;  // half width of the grip
    s.push_back({placed(rect(-gh, 42, gh, 80), swordTurn), solid(kInk)});
    if (!small) {
        for (double y = 47; y < 76; y += 8) {  // the cord wound round the grip
            s.push_back(
                {placed(polygon({{-gh, y}, {gh, y + 3}, {gh, y + 5.5}, {-gh, y + 2.5}}), swordTurn),
                 solid(kInkSoft)});
        }
    }
    s.push_back({placed(circle({0, 86}, small ? 11 : 10), swordTurn), solid(kVermilion)});
    if (!small) {
        s.push_back({placed(circle({-3, 83}, 4), swordTurn), solid(kVermilionLight)});
    }
    return s;
}

QBrush brushFor(const Fill& f) {
    if (!f.gradient)
        return QBrush(f.color);
    QLinearGradient g(f.from, f.to);
    g.setColorAt(0, f.color);
    g.setColorAt(1, f.color2);
    return QBrush(g);
}

bool writePng(const std::vector<Shape>& shapes, int size, const QString& file) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / kDesign, size / kDesign);
        p.setPen(Qt::NoPen);
        for (const Shape& s : shapes) {
            p.setBrush(brushFor(s.fill));
            p.drawPath(s.path);
        }
    }
    // Straight (not premultiplied) alpha so the file is plain 8-bit RGBA.
    return image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG");
}

QString num(double v) {
    QString t = QString::number(v, 'f', 2);
    while (t.contains('.') && (t.endsWith('0') || t.endsWith('.')))
        t.chop(1);
    return t == QLatin1String("-0") ? QStringLiteral("0") : t;
}

QString pt(QPointF p) { return num(p.x()) + ' ' + num(p.y()); }

QString colorAttr(const QColor& c) { return c.name(QColor::HexRgb); }

// SVG path data for a path of move, line and cubic elements.
QString pathData(const QPainterPath& path) {
    QString d;
    QPointF start;
    QPointF last;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
            case QPainterPath::MoveToElement:
                if (!d.isEmpty() && last == start)
                    d += QLatin1String("Z");
                d += 'M' + pt(e);
                start = e;
                break;
            case QPainterPath::LineToElement:
                d += 'L' + pt(e);
                break;
            case QPainterPath::CurveToElement: {
                const QPointF c2 = path.elementAt(i + 1);
                const QPointF end = path.elementAt(i + 2);
                d += 'C' + pt(e) + ' ' + pt(c2) + ' ' + pt(end);
                i += 2;
                last = end;
                continue;
            }
            case QPainterPath::CurveToDataElement:
                break;  // consumed with its CurveToElement
        }
        last = e;
    }
    if (last == start)
        d += QLatin1String("Z");
    return d;
}

bool writeSvg(const std::vector<Shape>& shapes, const QString& file) {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream svg(&out);
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<!-- Drawn by tools/icon/draw_icon.cpp; redraw with scripts/draw-icon. -->\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n";
    QString defs;
    QString body;
    int gradients = 0;
    for (const Shape& s : shapes) {
        QString fill;
        if (s.fill.gradient) {
            const QString id = QStringLiteral("g%1").arg(++gradients);
            defs += QStringLiteral(
                        "    <linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x1=\"%2\" "
                        "y1=\"%3\" x2=\"%4\" y2=\"%5\">\n"
                        "      <stop offset=\"0\" stop-color=\"%6\"/>\n"
                        "      <stop offset=\"1\" stop-color=\"%7\"/>\n"
                        "    </linearGradient>\n")
                        .arg(id, num(s.fill.from.x()), num(s.fill.from.y()), num(s.fill.to.x()),
                             num(s.fill.to.y()), colorAttr(s.fill.color), colorAttr(s.fill.color2));
            fill = QStringLiteral("url(#%1)").arg(id);
        } else {
            fill = colorAttr(s.fill.color);
        }
        QString extra;
        if (s.fill.color.alpha() != 255) {
            extra = QStringLiteral(" fill-opacity=\"%1\"").arg(num(s.fill.color.alphaF()));
        }
        if (s.path.fillRule() == Qt::OddEvenFill)
            extra += QLatin1String(" fill-rule=\"evenodd\"");
        body +=
            QStringLiteral("  <path fill=\"%1\"%2 d=\"%3\"/>\n").arg(fill, extra, pathData(s.path));
    }
    if (!defs.isEmpty())
        svg << "  <defs>\n" << defs << "  </defs>\n";
    svg << body << "</svg>\n";
    svg.flush();
    return out.error() == QFile::NoError;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-icon <hicolor-dir>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (int size : {32, 256}) {
        const QString dir = QStringLiteral("%1x%1/apps").arg(size);
        ok = root.mkpath(dir) && ok;
        ok = writePng(picture(size <= 48), size, root.filePath(dir + '/' + kId + ".png")) && ok;
    }
    ok = root.mkpath(QStringLiteral("scalable/apps")) && ok;
    ok = writeSvg(picture(false), root.filePath("scalable/apps/" + kId + ".svg")) && ok;
    if (!ok)
        std::fprintf(stderr, "draw-icon: could not write every file\n");
    return ok ? 0 : 1;
}
