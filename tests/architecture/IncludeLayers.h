#pragma once
// The table of the source layers and a reader of the #include lines of the source folders.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <vector>

namespace mt52::test {

// The layers from the bottom. A folder may include its own layer and every layer below it;
// a folder's gui/ subfolder belongs to the folder's layer.
inline const QStringList& Layers() {
    static const QStringList layers = {
        "platform", "common", "instrument", "records", "link", "graph", "printing",
        "views", "browser", "main_window", "main_window/pages", "app",
    };
    return layers;
}

struct SourcePlace {
    QString layer;  // empty when the path lies in no known layer
    bool gui = false;
};

// The layer of a path relative to src/ (or "app/..."): the longest layer it starts with.
inline SourcePlace PlaceOf(const QString& path) {
    SourcePlace place;
    for (const QString& layer : Layers()) {
        if (path.startsWith(layer + QLatin1Char('/')) && layer.size() > place.layer.size())
            place.layer = layer;
    }
    if (!place.layer.isEmpty())
        place.gui = path.mid(place.layer.size() + 1).startsWith(QLatin1String("gui/"));
    return place;
}

// Whether `file` (relative to src/, or app/...) may include `included` (as written).
inline bool IncludeAllowed(const QString& file, const QString& included, QString* reason = nullptr) {
    const auto refuse = [reason](const QString& why) {
        if (reason != nullptr)
            *reason = why;
        return false;
    };
    const SourcePlace from = PlaceOf(file);
    const SourcePlace to = PlaceOf(included);
    if (from.layer.isEmpty())
        return refuse(QStringLiteral("the file's folder has no layer"));
    if (to.layer.isEmpty())
        return refuse(QStringLiteral("the included folder has no layer"));
    if (Layers().indexOf(to.layer) > Layers().indexOf(from.layer))
        return refuse(QStringLiteral("%1 lies above %2").arg(to.layer, from.layer));
    if (to.gui && !from.gui && from.layer != QLatin1String("app"))
        return refuse(QStringLiteral("display-free code includes widget code"));
    return true;
}

struct IncludeViolation {
    QString file;  // relative to the root
    int line = 0;
    QString included;
    QString reason;
};

// Reads every source file under the folders (relative to root) and lists the includes the
// table refuses. Includes in <> and includes without a folder (a file beside the includer)
// are not the layers' business.
inline std::vector<IncludeViolation> FindLayerViolations(const QString& root, const QStringList& folders) {
    static const QRegularExpression includeLine(QStringLiteral(R"re(^\s*#\s*include\s*"([^"]+)")re"));
    std::vector<IncludeViolation> found;
    const QDir rootDir(root);
    for (const QString& folder : folders) {
        QDirIterator it(rootDir.filePath(folder), {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString relative = rootDir.relativeFilePath(path);
            // Paths inside src/ are named from src/; app/ is a layer of its own.
            const QString place = relative.startsWith(QLatin1String("src/")) ? relative.mid(4) : relative;
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
                continue;
            int number = 0;
            while (!file.atEnd()) {
                const QString line = QString::fromUtf8(file.readLine());
                ++number;
                const QRegularExpressionMatch match = includeLine.match(line);
                if (!match.hasMatch())
                    continue;
                const QString included = match.captured(1);
                if (!included.contains(QLatin1Char('/')))
                    continue;
                QString reason;
                if (!IncludeAllowed(place, included, &reason))
                    found.push_back({relative, number, included, reason});
            }
        }
    }
    return found;
}

}  // namespace mt52::test
