#include "instrument/StationList.h"

#include "common/TextHelpers.h"
#include "common/clsToken.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <QSaveFile>

namespace mt52 {

namespace {
constexpr int BackspaceKey = 8;
}

bool IsValidStationName(const QString& name) {
    return name.length() <= StationNameMax && IsIdText(name);
}

bool AcceptStationKey(int keyAscii, const QString& editText, int selLength) {
    if (keyAscii < 0 || keyAscii > 0x7FFF || !IsIdKey(static_cast<Integer>(keyAscii)))
        return false;
    if (keyAscii == BackspaceKey)
        return true;
    return editText.length() - selLength < StationNameMax;
}

Integer LeftSpaceCount(const QString& name) {
    Integer count = 0;
    while (count < name.length() && name.at(count) == u' ')
        ++count;
    return count;
}

QString LeftSpaceText(const QString& name) {
    return QStringLiteral("(Left space %1)").arg(LeftSpaceCount(name));
}

QByteArray StationFileText(const QStringList& names) {
    QByteArray text;
    for (int row = 0; row < StationCount; ++row) {
        text += QByteArray::number(row + 1);
        text += ',';
        text += names.value(row).toUtf8();
        text += "\r\n";
    }
    return text;
}

bool WriteStationFile(const QString& path, const QStringList& names, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    const QByteArray text = StationFileText(names);
    if (file.write(text) != text.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

StationFileContent ReadStationFile(const QString& path) {
    StationFileContent content;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.error = file.errorString();
        return content;
    }

    clsToken token;
    token.AddDelimiters(QStringLiteral(","));
    token.AddDelimiters(QStringLiteral("\t"));

    while (content.names.size() < StationCount && !file.atEnd()) {
        QByteArray bytes = file.readLine();
        if (file.error() != QFileDevice::NoError) {
            content.error = file.errorString();
            return content;
        }
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        try {
            token.Source(QString::fromUtf8(bytes));
        } catch (const RuntimeError& e) {
            content.error = QStringLiteral("Line %1: %2").arg(content.names.size() + 1).arg(e.description());
            return content;
        }
        QStringList fields;
        for (Integer i = 1; i < token.TokenCount(); ++i)
            fields.append(token.Tokens(i));
        // Empty the slots of this line so that nothing of it is read with the next one.
        for (Integer i = 0; i < token.TokenCount() && i < clsToken::MaxTokens; ++i)
            token.Tokens(i, QString());
        content.names.append(fields.join(u','));
    }
    return content;
}

}  // namespace mt52
