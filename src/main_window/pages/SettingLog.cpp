#include "main_window/pages/SettingLog.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "common/FolderPath.h"
#include "platform/Clock.h"
#include "platform/Numbers.h"
#include "platform/OleDate.h"
#include "platform/UserDialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace mt52 {

namespace {

constexpr int LibraryEntries = 30;

QString Number(Long value) { return QString::number(value); }
QString Number(Single value) { return SingleToText(value); }

QString KindText(SettingLogKind kind) {
    switch (kind) {
    case SettingLogKind::Read: return QStringLiteral("Read");
    case SettingLogKind::Write: return QStringLiteral("Write");
    case SettingLogKind::WriteID: return QStringLiteral("WriteID");
    }
    return QString();
}

QString Quoted(const QString& field) {
    if (!field.contains(u',') && !field.contains(u'"'))
        return field;
    QString doubled = field;
    doubled.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

}  // namespace

QString SettingLogPath() {
    return JoinFolder(State().StartDir, QStringLiteral("MT50mk2_Setting%1.csv").arg(State().RecordSuffix));
}

QStringList SettingLogHeader() {
    QStringList header = {GetResText(9000), GetResText(5212), GetResText(5213), GetResText(5608), GetResText(8042),
                          QStringLiteral("ROM"), QStringLiteral("SUM"), GetResText(5609), GetResText(5610),
                          GetResText(8023), GetResText(8087), GetResText(8088), GetResText(8089), GetResText(8100),
                          GetResText(8090), GetResText(8101), GetResText(8102), GetResText(8084), GetResText(8103),
                          GetResText(8104)};
    for (int n = 1; n <= LibraryEntries; ++n)
        header << GetResText(8105) + QString::number(n);
    return header;
}

QStringList SettingLogRow(const clsInstrument& i, SettingLogKind kind) {
    const Date now = Now();
    const Date instrumentTime(now.value() - i.SysDateOffset().value());
    QStringList row = {KindText(kind),
                       GeneralDate(now),
                       GeneralDate(instrumentTime),
                       i.SerialNo(),
                       i.SpecNo(),
                       (QStringLiteral("00000") + QString::number(i.RomNumber())).right(5),
                       i.SUM(),
                       i.StationID(),
                       i.UserID(),
                       Number(Long{i.LcdBackLight()}),
                       Number(i.Buzzerfrequency()),
                       Number(Long{i.PumpDutyRatio()}),
                       Number(Long{i.LEDDutyRatio()}),
                       Number(Long{i.SpanVal()}) + u' ' + Number(Long{i.ColorChartVal()}),
                       Number(Long{i.CSData()}),
                       Number(Long{i.KeyState()}),
                       Number(Long{i.MT()}),
                       Number(Long{i.EJ()}),
                       QStringList{Number(i.C_White()), Number(i.C_grey()), Number(i.C_ratio()), Number(i.C_factor())}
                           .join(u' '),
                       i.LSstr()};
    for (Integer n = 1; n <= LibraryEntries; ++n)
        row << QStringList{Number(Long{i.LI_tabNo(n)}), i.LI_Name(n), Number(i.LI_FullScale(n)), Number(i.LI_Digit(n)),
                           i.LI_Unit(n)}
                   .join(u' ');
    return row;
}

QString CsvLine(const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields)
        quoted << Quoted(field);
    return quoted.join(u',') + QStringLiteral("\r\n");
}

bool AppendSettingLog(const clsInstrument& instrument, SettingLogKind kind) {
    const QString path = SettingLogPath();
    QByteArray text;
    if (!QFileInfo::exists(path))
        text += CsvLine(SettingLogHeader()).toUtf8();
    text += CsvLine(SettingLogRow(instrument, kind)).toUtf8();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(text) != text.size() || !file.flush()) {
        MsgBox(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString()), vbOKOnly);
        return false;
    }
    return true;
}

}  // namespace mt52
