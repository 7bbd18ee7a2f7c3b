#include "components/FileFilter.h"

#include <QFileInfo>

namespace vorbix {

QString qtFilter(const std::string& filter) {
    // "Text (*.ext)|*.ext": the patterns that count are those after "|".
    const QString f = QString::fromStdString(filter);
    const int bar = f.indexOf('|');
    if (bar < 0) return f;
    QString text = f.left(bar).trimmed();
    QString patterns = f.mid(bar + 1).replace(';', ' ').trimmed();
    patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
    const int paren = text.lastIndexOf('(');
    if (paren > 0 && text.endsWith(')')) text = text.left(paren).trimmed();
    return QStringLiteral("%1 (%2)").arg(text, patterns);
}

std::string withDefaultSuffix(const std::string& path, const std::string& suffix) {
    if (path.empty() || !QFileInfo(QString::fromStdString(path)).suffix().isEmpty()) return path;
    return path + "." + suffix;
}

}  // namespace vorbix
