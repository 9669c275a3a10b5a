// Writes the program's icon picture as the desktop icon theme wants it: PNGs at whole multiples
// of its 32 pixels (each pixel becomes a clean square, no blurring).
//
//   export_icon OUTPUT_DIRECTORY

#include "resources/quorel_icon.xpm"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv); // image writers are plugins, found through the application
    if (argc != 2) {
        std::fprintf(stderr, "usage: export_icon OUTPUT_DIRECTORY\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QImage icon(quorel_icon_xpm);
    if (icon.isNull() || !out.mkpath(QStringLiteral(".")))
        return 1;

    for (int scale : {1, 2, 4, 8}) {
        const int size = icon.width() * scale;
        const QString name = QStringLiteral("%1x%1.png").arg(size);
        if (!icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                 .save(out.filePath(name), "PNG"))
            return 1;
    }
    return 0;
}
