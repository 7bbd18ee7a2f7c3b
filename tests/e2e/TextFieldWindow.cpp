// A small window with one text field, the target of the end-to-end tests' key strokes: it writes
// the field's text to the file named by its first argument whenever the text changes.
#include <QApplication>
#include <QFile>
#include <QLineEdit>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    QLineEdit field;
    field.setWindowTitle(QStringLiteral("vorbix-text-target"));
    field.resize(400, 40);
    QObject::connect(&field, &QLineEdit::textChanged, [&out](const QString& text) {
        QFile f(out + QStringLiteral(".tmp"));
        if (f.open(QIODevice::WriteOnly)) {
            f.write(text.toUtf8());
            f.close();
            QFile::remove(out);
            f.rename(out);
        }
    });
    field.show();
    field.activateWindow();
    return app.exec();
}
