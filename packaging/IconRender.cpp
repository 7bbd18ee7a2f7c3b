// Renders the program's SVG logo to the PNG sizes of the hicolor icon theme:
//   vorbix-icon-render SVG OUTDIR SIZE...   writes OUTDIR/<SIZE>x<SIZE>/apps/vorbix.png
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: vorbix-icon-render SVG OUTDIR SIZE...\n");
        return 2;
    }
    // Rendering needs no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "vorbix-icon-render: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "vorbix-icon-render: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString folder =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        // Written without a time stamp or other text chunks, so the package builds the same
        // bytes each time.
        if (!QDir().mkpath(folder) || !image.save(folder + QStringLiteral("/vorbix.png"), "PNG")) {
            std::fprintf(stderr, "vorbix-icon-render: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
