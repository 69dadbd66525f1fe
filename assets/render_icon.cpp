// Build tool: renders the vector icon into a square PNG for the desktop's icon theme,
// so the PNGs are made from icon.svg at every build and never stored beside it.
// Usage: dz_render_icon ICON.svg SIZE OUT.png
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[])
{
    // No application object: the icon holds no text, so no fonts and no display are needed.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    bool ok = false;
    const int size = args.size() == 4 ? args[2].toInt(&ok) : 0;
    if (!ok || size < 1 || size > 4096) {
        std::fprintf(stderr, "usage: dz_render_icon ICON.svg SIZE OUT.png\n");
        return 2;
    }

    QSvgRenderer svg(args[1]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "dz_render_icon: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    svg.setAspectRatioMode(Qt::KeepAspectRatio);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();

    // All or nothing: a half-written PNG must not look up to date to the build.
    QSaveFile out(args[3]);
    if (!out.open(QIODevice::WriteOnly) || !image.save(&out, "PNG") || !out.commit()) {
        std::fprintf(stderr, "dz_render_icon: cannot write %s\n", qPrintable(args[3]));
        return 1;
    }
    return 0;
}
