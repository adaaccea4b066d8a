#pragma once
// Reading a printed PDF back: its text page by page (pdftotext) and its ink as a grey picture
// (pdftoppm), for the report tests that print through the real printer layer.
#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QFile>

#include <vector>

namespace mt52::test {

inline bool PdfToolsPresent() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

// The text of each page, with its layout kept.
inline QStringList PdfPageTexts(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// A page's non-empty lines with runs of blanks made single.
inline QStringList PdfLines(const QString& page) {
    QStringList out;
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        const QString simple = line.simplified();
        if (!simple.isEmpty())
            out << simple;
    }
    return out;
}

// One page rendered in grey levels (0 black .. 255 white).
struct GreyPage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;

    bool Ink(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] < 160; }
    // Whether any pixel of the rows [top, bottom) and columns [left, right) is inked.
    bool InkIn(int left, int top, int right, int bottom) const {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (Ink(x, y))
                    return true;
        return false;
    }
};

// Page `page` (1-based) of a PDF at `dpi` dots an inch; an empty picture when it cannot be read.
inline GreyPage RenderPdfPage(const QString& path, int page, int dpi = 40) {
    GreyPage out;
    QTemporaryDir dir;
    if (!dir.isValid())
        return out;
    const QString stem = dir.filePath(QStringLiteral("page"));
    QProcess process;
    process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(dpi),
                                               QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                               QString::number(page), QStringLiteral("-singlefile"), path, stem});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return out;
    QFile file(stem + QStringLiteral(".pgm"));
    if (!file.open(QIODevice::ReadOnly))
        return out;
    const QByteArray data = file.readAll();
    // A binary PGM: "P5", width, height, maximum, one whitespace, then the pixels.
    QList<QByteArray> fields;
    int pos = 0;
    while (fields.size() < 4 && pos < data.size()) {
        while (pos < data.size() && QChar::isSpace(static_cast<unsigned char>(data[pos])))
            ++pos;
        const int start = pos;
        while (pos < data.size() && !QChar::isSpace(static_cast<unsigned char>(data[pos])))
            ++pos;
        fields << data.mid(start, pos - start);
    }
    if (fields.size() < 4 || fields[0] != "P5")
        return out;
    ++pos;
    out.width = fields[1].toInt();
    out.height = fields[2].toInt();
    const QByteArray body = data.mid(pos);
    if (out.width <= 0 || out.height <= 0 || body.size() < out.width * out.height)
        return GreyPage{};
    out.pixels.assign(body.begin(), body.begin() + out.width * out.height);
    return out;
}

}  // namespace mt52::test
