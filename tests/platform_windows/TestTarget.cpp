// A small client window for the window and clipboard tests: a title given on the command line,
// a rich-text field followed by a line field, and a report file that always holds what the
// window has: the field's plain text and HTML, which field has the focus, and the key presses
// the rich-text field received ("key <Qt key> <modifier bits>"), and the clipboard formats
// offered when its text last changed ("formats a,b,c").
//
//   vorbix_test_target --title TITLE [--report FILE] [--own-clipboard TEXT]
//                      [--own-clipboard-size N]   (TEXT repeated until it is N bytes long)
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QSaveFile>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWidget>

namespace {

class Target : public QWidget {
public:
    Target(const QString& title, QString reportPath) : report_(std::move(reportPath)) {
        setWindowTitle(title);
        auto* layout = new QVBoxLayout(this);
        edit_ = new QTextEdit(this);
        edit_->setObjectName("edit");
        edit_->setTabChangesFocus(true);
        line_ = new QLineEdit(this);
        line_->setObjectName("line");
        layout->addWidget(edit_);
        layout->addWidget(line_);
        resize(400, 300);
        edit_->installEventFilter(this);
        connect(edit_, &QTextEdit::textChanged, this, [this] {
            const QMimeData* data = QGuiApplication::clipboard()->mimeData();
            formats_ = data ? data->formats().join(',') : QString();
            write();
        });
        connect(qApp, &QApplication::focusChanged, this, &Target::write);
        edit_->setFocus();
    }
    ~Target() override { write(); }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            keys_ += QStringLiteral("key %1 %2\n")
                         .arg(key->key())
                         .arg(static_cast<int>(key->modifiers() & Qt::KeyboardModifierMask));
            write();
        }
        return QWidget::eventFilter(object, event);
    }

private:
    void write() {
        if (report_.isEmpty()) return;
        QSaveFile file(report_);
        if (!file.open(QIODevice::WriteOnly)) return;
        QWidget* focus = QApplication::focusWidget();
        QString text = QStringLiteral("focus %1\n").arg(focus ? focus->objectName() : "none");
        text += keys_;
        text += QStringLiteral("formats ") + formats_ + '\n';
        text += QStringLiteral("plain\n") + edit_->toPlainText() + QStringLiteral("\nhtml\n") +
                edit_->toHtml() + QStringLiteral("\nend\n");
        file.write(text.toUtf8());
        file.commit();
    }

    QString report_;
    QString keys_;
    QString formats_;
    QTextEdit* edit_ = nullptr;
    QLineEdit* line_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString title = QStringLiteral("Vorbix test target");
    QString report;
    QString clipboardText;
    int clipboardSize = 0;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--title") title = args[i + 1];
        if (args[i] == "--report") report = args[i + 1];
        if (args[i] == "--own-clipboard") clipboardText = args[i + 1];
        if (args[i] == "--own-clipboard-size") clipboardSize = args[i + 1].toInt();
    }
    if (!clipboardText.isEmpty() && clipboardSize > clipboardText.size())
        clipboardText =
            clipboardText.repeated(clipboardSize / clipboardText.size() + 1).left(clipboardSize);
    Target target(title, report);
    target.show();
    if (!clipboardText.isEmpty()) QGuiApplication::clipboard()->setText(clipboardText);
    return app.exec();
}
