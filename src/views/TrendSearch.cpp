#include "views/TrendSearch.h"

#include "platform/Database.h"
#include "platform/Variant.h"

#include <cstdlib>

namespace mt52 {

namespace {

// A row further than this from the event is never chosen, whatever the search window.
constexpr long long FarthestSeconds = 600;
constexpr Long AlarmTrendKind = 2;

}  // namespace

Long FindAlarmTrend(const QString& databasePath, Long seqNo, const QString& serialNo, const Date& eventTime,
                    int beforeSeconds, int afterSeconds) {
    Database db(databasePath);
    const Date windowStart = eventTime.addSeconds(beforeSeconds);
    const Date windowEnd = eventTime.addSeconds(afterSeconds);
    Recordset rows = db.query(QStringLiteral("SELECT SeqNo, Dates FROM Log_Head WHERE Types = ? AND SerialNo = ? "
                                             "AND SeqNo <> ? AND Dates >= ? AND Dates <= ? ORDER BY Dates, SeqNo"),
                              {Variant(AlarmTrendKind), Variant(serialNo), Variant(seqNo), Variant(windowStart),
                               Variant(windowEnd)});
    Long found = -1;
    long long best = FarthestSeconds;
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext()) {
        const long long distance = std::llabs(eventTime.secondsTo(rows.field(QStringLiteral("Dates")).toDate()));
        if (distance < best) {
            best = distance;
            found = rows.field(QStringLiteral("SeqNo")).toLong();
        }
    }
    return found;
}

TrendEventIcon GraphMarkIcon(const QString& markText) {
    if (markText == u"WARNING" || markText == u"ALARM" || markText == u"OVER")
        return TrendEventIcon::Alarm;
    if (markText == u"MODE")
        return TrendEventIcon::Interval;
    return TrendEventIcon::None;
}

TrendEventIcon TableCellIcon(Long logType, int row, int col, const QString& cellText, Long backColour) {
    if (logType != 1 || row < 1 || col < 1 || backColour == 0)
        return TrendEventIcon::None;
    const QString head = cellText.left(4);
    if (head == u"WARN" || head == u"ALAR" || head == u"OVER")
        return TrendEventIcon::Alarm;
    if (head == u"MODE")
        return TrendEventIcon::Interval;
    return TrendEventIcon::None;
}

std::optional<Date> TableRowDate(const QString& dateCellText) {
    QString text = dateCellText;
    const qsizetype open = text.indexOf(u'(');
    const qsizetype close = text.indexOf(u')');
    if (open >= 0 && close >= 0)
        text = text.left(open) + text.mid(close + 1);
    return ParseDate(text.trimmed());
}

}  // namespace mt52
