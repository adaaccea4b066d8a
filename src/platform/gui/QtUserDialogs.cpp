#include "platform/gui/QtUserDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace mt52 {

int QtUserDialogs::MsgBox(const QString& text, int style, const QString& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    switch (style & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct Button {
        QMessageBox::StandardButton standard;
        int result;
    };
    static const std::vector<std::vector<Button>> sets = {
        {{QMessageBox::Ok, vbOK}},
        {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}},
        {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}},
        {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}},
        {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}},
        {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}},
    };
    const int setIndex = (style & 7) <= 5 ? (style & 7) : 0;
    const auto& set = sets[static_cast<std::size_t>(setIndex)];
    for (const auto& b : set)
        box.addButton(b.standard);
    const std::size_t def = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    if (def < set.size())
        box.setDefaultButton(set[def].standard);
    box.exec();
    const auto pressed = box.standardButton(box.clickedButton());
    for (const auto& b : set)
        if (b.standard == pressed)
            return b.result;
    return set.size() == 1 ? vbOK : vbCancel;
}

namespace {

// Where a file dialog opens: the proposed file in the proposed folder.
QString StartPath(const FileDialogRequest& r) {
    if (r.fileName.isEmpty())
        return r.directory;
    return r.directory.isEmpty() ? r.fileName : r.directory + u'/' + r.fileName;
}

std::optional<QString> Chosen(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

}  // namespace

std::optional<QString> QtUserDialogs::OpenFileName(const FileDialogRequest& r) {
    return Chosen(QFileDialog::getOpenFileName(QApplication::activeWindow(), r.title, StartPath(r), r.filter));
}

std::optional<QString> QtUserDialogs::SaveFileName(const FileDialogRequest& r) {
    return Chosen(QFileDialog::getSaveFileName(QApplication::activeWindow(), r.title, StartPath(r), r.filter));
}

std::optional<SaveFileChoice> QtUserDialogs::SaveFile(const FileDialogRequest& r) {
    QFileDialog dialog(QApplication::activeWindow(), r.title, StartPath(r), r.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!r.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = dialog.nameFilters();
    // A name typed without an extension gets the one of the chosen file type.
    const auto suffixOf = [](const QString& filter) {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\*\\.([A-Za-z0-9]+)")).match(filter);
        return m.hasMatch() ? m.captured(1) : QString();
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(r.filterIndex - 1));
    dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty())
        return std::nullopt;
    const int chosen = int(filters.indexOf(dialog.selectedNameFilter()));
    return SaveFileChoice{path, chosen >= 0 ? chosen + 1 : r.filterIndex};
}

// The font as the font dialog must be given it. The dialog selects the style whose name is the
// font's style name; a font without one is looked up by a name made from its weight and slant
// in the interface language, which the family's own style names ("Regular", "Bold Italic") do
// not match under a translated interface, and the dialog then selects the family's first style.
// So the family's own name of the style nearest the font's weight, with its slant, is set.
QFont FontForFontDialog(const FontSpec& spec) {
    QFont font = ToQFont(spec);
    const QString family = font.family();
    QString nearest;
    int distance = std::numeric_limits<int>::max();
    for (const QString& style : QFontDatabase::styles(family)) {
        if (QFontDatabase::italic(family, style) != font.italic())
            continue;
        const int d = std::abs(QFontDatabase::weight(family, style) - static_cast<int>(font.weight()));
        if (d < distance) {
            nearest = style;
            distance = d;
        }
    }
    if (!nearest.isEmpty())
        font.setStyleName(nearest);
    return font;
}

std::optional<FontSpec> QtUserDialogs::ChooseFont(const FontSpec& current) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, FontForFontDialog(current), QApplication::activeWindow());
    if (!ok)
        return std::nullopt;
    FontSpec chosen = FromQFont(f);
    // The dialog offers whole points: a fractional size the user left as shown stays as it was.
    if (f.pointSize() == qRound(current.size))
        chosen.size = current.size;
    // What the dialog does not show (character set, a weight between its styles) stays.
    chosen.charset = current.charset;
    if (chosen.bold == current.bold)
        chosen.weight = current.weight;
    return chosen;
}

std::optional<long> QtUserDialogs::ChooseColor(long current) {
    const QColor c = QColorDialog::getColor(ToQColor(current), QApplication::activeWindow());
    if (!c.isValid())
        return std::nullopt;
    return FromQColor(c);
}

QFont ToQFont(const FontSpec& spec) {
    QFont f(spec.name);
    f.setPointSizeF(spec.size > 0 ? spec.size : 9.0);
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setUnderline(spec.underline);
    f.setStrikeOut(spec.strikethrough);
    return f;
}

FontSpec FromQFont(const QFont& font) {
    FontSpec s;
    s.name = font.family();
    s.size = font.pointSizeF();
    s.bold = font.bold();
    s.italic = font.italic();
    s.underline = font.underline();
    s.strikethrough = font.strikeOut();
    s.weight = font.bold() ? 700 : 400;
    return s;
}

QColor ToQColor(long colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

long FromQColor(const QColor& colour) {
    return colour.red() + 256L * colour.green() + 65536L * colour.blue();
}

}  // namespace mt52
