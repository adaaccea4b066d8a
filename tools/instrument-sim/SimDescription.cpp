#include "SimDescription.h"

#include "platform/InstrumentText.h"
#include "platform/OleDate.h"

#include <QFile>
#include <QStringList>

namespace mt52::sim {
namespace {

// A mistake in the line being read.
struct DescriptionError {
    QString message;
};

QString Unquote(const QString& value) {
    const QString v = value.trimmed();
    if (v.size() >= 2 && v.startsWith(u'"') && v.endsWith(u'"'))
        return v.mid(1, v.size() - 2);
    return v;
}

QByteArray InstrumentText(const QString& value, qsizetype maxLength, const char* what) {
    const QByteArray bytes = EncodeInstrumentText(Unquote(value));
    if (maxLength > 0 && bytes.size() > maxLength)
        throw DescriptionError{QStringLiteral("%1 is longer than %2 characters").arg(QLatin1String(what)).arg(maxLength)};
    return bytes;
}

long long Number(const QString& value, long long low, long long high, const char* what) {
    bool ok = false;
    const long long n = Unquote(value).toLongLong(&ok);
    if (!ok || n < low || n > high)
        throw DescriptionError{QStringLiteral("%1 must be a whole number from %2 to %3")
                                   .arg(QLatin1String(what))
                                   .arg(low)
                                   .arg(high)};
    return n;
}

QDateTime DateTime(const QString& value, const char* what) {
    const std::optional<Date> date = ParseDate(Unquote(value));
    if (!date)
        throw DescriptionError{QStringLiteral("%1 is no date and time (yyyy/mm/dd hh:nn:ss)").arg(QLatin1String(what))};
    return date->toDateTime();
}

SimSnapshot Snapshot(const QString& value) {
    const QStringList fields = value.split(u',');
    if (fields.size() != 7)
        throw DescriptionError{QStringLiteral(
            "a snapshot has 7 fields: number, gas name, full scale, digit, unit, value, date and time")};
    SimSnapshot s;
    s.logNo = static_cast<quint16>(Number(fields[0], 0, 0xFFFF, "the record number"));
    s.gasName = InstrumentText(fields[1], 10, "the gas name");
    s.fullScale = InstrumentText(fields[2], 5, "the full scale");
    s.digit = InstrumentText(fields[3], 5, "the digit");
    s.unit = InstrumentText(fields[4], 5, "the unit");
    s.gasValue = InstrumentText(fields[5], 5, "the gas value");
    s.when = DateTime(fields[6], "the snapshot time");
    // The record keeps the year in one byte counted from 2000.
    if (s.when.date().year() < 2000 || s.when.date().year() > 2099)
        throw DescriptionError{QStringLiteral("the snapshot time must lie in the years 2000 to 2099")};
    return s;
}

// The register that a key names: "register.VP" gives "VP"; the identity keys their codes.
std::optional<QByteArray> RegisterOf(const QString& key) {
    if (key == u"serial")
        return QByteArray("IN");
    if (key == u"user")
        return QByteArray("XZ");
    if (key == u"station")
        return QByteArray("XS");
    static const QString prefix = QStringLiteral("register.");
    if (!key.startsWith(prefix))
        return std::nullopt;
    const QString code = key.mid(prefix.size()).toUpper();
    const bool valid = code.size() == 2 && std::all_of(code.begin(), code.end(), [](QChar c) {
                           return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
                       });
    if (!valid)
        throw DescriptionError{QStringLiteral("a register is named by two letters or digits (register.VP)")};
    return code.toLatin1();
}

void ApplyLine(const QString& key, const QString& value, const QDateTime& now, SimInstrumentState& state,
               QList<SimSnapshot>& snapshots, int& minimumBlocks) {
    if (const std::optional<QByteArray> code = RegisterOf(key)) {
        state.registers.insert(*code, InstrumentText(value, 0, "the value"));
    } else if (key == u"model") {
        state.model = InstrumentText(value, 0, "the model");
    } else if (key == u"clock") {
        state.clockOffsetSeconds =
            Unquote(value).compare(u"pc", Qt::CaseInsensitive) == 0 ? 0 : now.secsTo(DateTime(value, "the clock"));
    } else if (key == u"clock-offset") {
        state.clockOffsetSeconds = Number(value, -100LL * 366 * 86400, 100LL * 366 * 86400, "the clock offset");
    } else if (key == u"memory-blocks") {
        // Block numbers travel as four decimal digits.
        minimumBlocks = static_cast<int>(Number(value, 1, 9999, "memory-blocks"));
    } else if (key == u"snapshot") {
        snapshots.append(Snapshot(value));
    } else {
        throw DescriptionError{QStringLiteral("unknown key \"%1\"").arg(key)};
    }
}

}  // namespace

std::optional<QString> ApplySimDescription(const QString& text, const QDateTime& now, SimInstrumentState& state) {
    SimInstrumentState result = state;
    QList<SimSnapshot> snapshots;
    int minimumBlocks = 0;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        try {
            if (equals <= 0)
                throw DescriptionError{QStringLiteral("expected \"key = value\"")};
            ApplyLine(line.left(equals).trimmed().toLower(), line.mid(equals + 1), now, result, snapshots,
                      minimumBlocks);
        } catch (const DescriptionError& e) {
            return QStringLiteral("line %1: %2").arg(i + 1).arg(e.message);
        }
    }
    if (!snapshots.isEmpty())
        result.clearMemory();
    for (qsizetype slot = 0; slot < snapshots.size(); ++slot)
        result.putSnapshot(static_cast<int>(slot), snapshots[slot]);
    if (minimumBlocks > result.blockCount())
        result.resizeMemory(minimumBlocks);
    state = result;
    return std::nullopt;
}

std::optional<QString> LoadSimDescription(const QString& path, const QDateTime& now, SimInstrumentState& state) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: %2").arg(path, file.errorString());
    const std::optional<QString> error = ApplySimDescription(QString::fromUtf8(file.readAll()), now, state);
    if (error)
        return QStringLiteral("%1: %2").arg(path, *error);
    return std::nullopt;
}

}  // namespace mt52::sim
