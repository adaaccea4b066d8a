#include "link/SettingsTransfer.h"

#include "common/RecordText.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "link/LinkCore.h"
#include "platform/Clock.h"
#include "platform/VbString.h"

namespace mt52 {
namespace {

constexpr int TextUploadStarted = 5536;
constexpr int TextUploadFinished = 5537;
constexpr int TextUploadFailed = 5538;

// Four upper-case hexadecimal digits of the 16-bit two's complement (-1 is FFFF).
QByteArray Hex4(Integer value) {
    return QByteArray::number(static_cast<quint16>(value), 16).toUpper().rightJustified(4, '0');
}

// A text the instrument keeps in a field of `width` characters, padded with blanks. Only
// printable ASCII travels: a control character would break the frame, a comma splits the
// reply's fields, and characters above 127 never come back in the echo.
QByteArray FixedText(const QString& item, const QString& value, int width, QString* refusal) {
    if (value.size() > width) {
        *refusal = QStringLiteral("%1 is longer than %2 characters").arg(item).arg(width);
        return {};
    }
    for (QChar c : value) {
        if (c.unicode() < 32 || c.unicode() > 126 || c == u',') {
            *refusal = QStringLiteral("%1 holds a character the instrument cannot take").arg(item);
            return {};
        }
    }
    return PadRight(value, width).toLatin1();
}

QByteArray FreeText(const QString& item, const QString& value, QString* refusal) {
    return FixedText(item, value, static_cast<int>(value.size()), refusal);
}

}  // namespace

const QList<QByteArray>& SettingsTransfer::ReadCommandTable() {
    static const QList<QByteArray> table = [] {
        QList<QByteArray> t(ReadSlotCount);
        const std::pair<int, const char*> fixed[] = {
            {0, "VP,R,"},  {1, "XZ,R,"},  {2, "XS,R,"},  {3, "IN,R,"},  {4, "HN,R,"},
            {5, "HC,R,"},  {6, "RB,R,"},  {7, "BP,R,"},  {8, "RL,R,"},  {9, "WS,R,"},
            {10, "CS,R,"}, {12, "KW,R,"}, {13, "MT,R,"}, {14, "EJ,R,"}, {15, "S8,R,"},
            {17, "XT,R,"}, {25, "HA,R,"}, {26, "VS,R,"}, {49, "BS,R,"}, {50, "LS,R,"},
        };
        for (const auto& [slot, command] : fixed)
            t[slot] = command;
        // Gas-library rows 0 to 29, the row number as four digits.
        for (int row = 0; row < 30; ++row)
            t[51 + row] = "LI,R," + QByteArray::number(row).rightJustified(4, '0');
        return t;
    }();
    return table;
}

void SettingsTransfer::PassOnMessage(clsInstrument& model, bool history) {
    const QString message = model.MessageString();
    if (message.isEmpty())
        return;
    if (history)
        link_.Events().InterMessage(message);
    else
        link_.Events().InstMessage(message);
    model.MessageString(QString());
}

bool SettingsTransfer::ReadSlots(int first, int last, clsInstrument& model) {
    LinkOperation op(link_);
    if (!op.Accepted())
        return false;
    const QList<QByteArray>& table = ReadCommandTable();
    for (int slot = first; slot < last; ++slot) {
        if (table[slot].isEmpty())
            continue;
        const bool ok = op.Exchange(table[slot], StatusReadWait);
        PassOnMessage(model, false);
        if (!ok)
            return false;
    }
    return true;
}

bool SettingsTransfer::GetInstrument(clsInstrument* iObj) {
    if (!iObj || link_.OperationActive())
        return false;
    link_.SetInstrument(iObj);
    iObj->ClearDatas();
    iObj->FailLine(QString());
    return ReadSlots(0, ReadSlotsUsed, *iObj);
}

bool SettingsTransfer::GetRomNo(clsInstrument* iObj) {
    if (!iObj || link_.OperationActive())
        return false;
    link_.SetInstrument(iObj);
    iObj->FailLine(QString());
    return ReadSlots(0, IdentitySlots, *iObj);
}

bool SettingsTransfer::GetInstPart(const QByteArray& strCmd, clsInstrument* iObj) {
    if (!iObj || link_.Mode() == ModeIdle)
        return false;
    LinkOperation op(link_);
    if (!op.Accepted())
        return false;
    clsInstrument* previous = link_.Instrument();
    link_.SetInstrument(iObj);
    iObj->FailLine(QString());
    const bool ok = op.Exchange(strCmd, StatusReadWait);
    PassOnMessage(*iObj, false);
    link_.SetInstrument(previous);
    return ok;
}

bool SettingsTransfer::GetGasInfo(clsInstrument* iObj) {
    const bool ok = GetInstPart("GJ,R,", iObj);
    // Refused because another operation holds the link: its status and this model stay.
    if (!ok && !link_.OperationActive()) {
        link_.SetStatus(StatusFree);
        if (iObj)
            for (Integer gas = 0; gas < clsInstrument::GasCount; ++gas)
                ParseGasInfoText(EmptyGasInfoText(), *iObj, gas);
    }
    return ok;
}

bool SettingsTransfer::GetAutoCalDensty(clsInstrument* iObj) {
    const bool ok = GetInstPart("SA,R,", iObj);
    if (!ok && !link_.OperationActive()) {
        link_.SetStatus(StatusFree);
        if (iObj)
            for (Integer gas = 0; gas < clsInstrument::GasCount; ++gas)
                iObj->AutoCalib(gas, -101.0f);
    }
    return ok;
}

bool SettingsTransfer::GetLatestHistory(clsInstrument* iObj) { return ReadLatest("SO,R,", iObj); }

bool SettingsTransfer::GetLatestBumpHistory(clsInstrument* iObj) { return ReadLatest("BO,R,", iObj); }

bool SettingsTransfer::ReadLatest(const QByteArray& command, clsInstrument* iObj) {
    if (!iObj)
        return false;
    LinkOperation op(link_);
    if (!op.Accepted())
        return false;  // the running operation keeps its model
    link_.SetInstrument(iObj);
    const bool ok = op.Exchange(command, StatusReadWait);
    PassOnMessage(*iObj, true);
    if (!ok)
        link_.SetStatus(StatusFree);
    return ok;
}

namespace {

// One row of the upload: the item, its command, its change flag and the data it sends.
struct UploadRow {
    const char* item;
    const char* command;
    bool (clsInstrument::*flag)() const;
    void (clsInstrument::*setFlag)(bool);
    QByteArray (*data)(const clsInstrument&, QString* refusal);
};

// The upload, in the order of sending.
const UploadRow kUploadRows[] = {
    {"SpecNo", "BS,W,", &clsInstrument::Change_SpecNo, &clsInstrument::Change_SpecNo,
     [](const clsInstrument& m, QString* r) { return FixedText(QStringLiteral("SpecNo"), m.SpecNo(), 10, r); }},
    {"UserID", "XZ,W,", &clsInstrument::Change_UserID, &clsInstrument::Change_UserID,
     [](const clsInstrument& m, QString* r) { return FixedText(QStringLiteral("UserID"), m.UserID(), 16, r); }},
    {"StationID", "XS,W,", &clsInstrument::Change_StationID, &clsInstrument::Change_StationID,
     [](const clsInstrument& m, QString* r) { return FixedText(QStringLiteral("StationID"), m.StationID(), 16, r); }},
    {"SerialNo", "IN,W,", &clsInstrument::Change_SerialNo, &clsInstrument::Change_SerialNo,
     [](const clsInstrument& m, QString* r) { return FixedText(QStringLiteral("SerialNo"), m.SerialNo(), 20, r); }},
    // The LS text goes when its number was changed.
    {"LSstr", "LS,W,", &clsInstrument::Change_LSno, &clsInstrument::Change_LSno,
     [](const clsInstrument& m, QString* r) { return FreeText(QStringLiteral("LSstr"), m.LSstr(), r); }},
    {"LcdBackLight", "XT,W,", &clsInstrument::Change_LcdBackLight, &clsInstrument::Change_LcdBackLight,
     [](const clsInstrument& m, QString*) { return Hex4(m.LcdBackLight()); }},
    {"Buzzerfrequency", "RB,W,", &clsInstrument::Change_Buzzerfrequency, &clsInstrument::Change_Buzzerfrequency,
     [](const clsInstrument& m, QString*) { return SingleToHex(m.Buzzerfrequency()).toLatin1(); }},
    {"PumpDutyRatio", "BP,W,", &clsInstrument::Change_PumpDutyRatio, &clsInstrument::Change_PumpDutyRatio,
     [](const clsInstrument& m, QString*) { return Hex4(m.PumpDutyRatio()); }},
    {"LEDDutyRatio", "RL,W,", &clsInstrument::Change_LEDDutyRatio, &clsInstrument::Change_LEDDutyRatio,
     [](const clsInstrument& m, QString*) { return Hex4(m.LEDDutyRatio()); }},
    {"SpanVal", "WS,W,", &clsInstrument::Change_WS, &clsInstrument::Change_WS,
     [](const clsInstrument& m, QString*) { return Hex4(m.SpanVal()) + ',' + Hex4(m.ColorChartVal()); }},
    {"CSData", "CS,W,", &clsInstrument::Change_CSData, &clsInstrument::Change_CSData,
     [](const clsInstrument& m, QString* r) {
         if (m.CSData() < 0 || m.CSData() > 255) {
             *r = QStringLiteral("CSData %1 is outside 0 to 255").arg(m.CSData());
             return QByteArray();
         }
         return QByteArray::number(m.CSData(), 16).toUpper().rightJustified(2, '0');
     }},
    {"MT", "MT,W,", &clsInstrument::Change_MT, &clsInstrument::Change_MT,
     [](const clsInstrument& m, QString*) { return QByteArray::number(m.MT()); }},
    {"EJ", "EJ,W,", &clsInstrument::Change_EJ, &clsInstrument::Change_EJ,
     [](const clsInstrument& m, QString*) { return QByteArray::number(m.EJ()); }},
};

}  // namespace

QList<SettingsTransfer::UploadCommand> SettingsTransfer::UploadCommands(const clsInstrument& model, QString* refusal) {
    QList<UploadCommand> out;
    for (int i = 0; i < static_cast<int>(std::size(kUploadRows)); ++i) {
        const UploadRow& row = kUploadRows[i];
        if (!(model.*row.flag)())
            continue;
        QString problem;
        const QByteArray data = row.data(model, &problem);
        if (!problem.isEmpty()) {
            if (refusal)
                *refusal = problem;
            return {};
        }
        out.append({QString::fromLatin1(row.item), row.command + data, i});
    }
    if (refusal)
        refusal->clear();
    return out;
}

bool SettingsTransfer::SetInstrument(clsInstrument* iObj) {
    uploadRefusal_.clear();
    if (!iObj) {
        link_.AddDatedLog(TextUploadFailed);
        return false;
    }
    LinkOperation op(link_);
    link_.SetInstrument(iObj);
    const Date start = Now();
    link_.AddLog(GetResText(TextUploadStarted, {Variant(GeneralDate(start))}));

    bool ok = true;
    bool anySent = false;
    const QList<UploadCommand> commands = UploadCommands(*iObj, &uploadRefusal_);
    if (!uploadRefusal_.isEmpty()) {
        link_.AddLog(QStringLiteral("<<< Upload refused: %1 >>>").arg(uploadRefusal_));
        ok = false;
    }
    for (const UploadCommand& c : commands) {
        if (!op.Exchange(c.command, StatusWriteWait)) {
            ok = false;
            break;
        }
        anySent = true;
        (iObj->*kUploadRows[c.row].setFlag)(false);
    }
    if (anySent && ok)
        ok = op.Exchange("DW,W,", StatusWriteWait);

    const Date end = Now();
    if (ok)
        link_.AddLog(GetResText(TextUploadFinished, {Variant(GeneralDate(end)),
                                                     Variant(FormatDate(Date(end.value() - start.value()), QStringLiteral("hh:nn:ss")))}));
    else
        link_.AddLog(GetResText(TextUploadFailed, {Variant(GeneralDate(end))}));
    return anySent && ok;
}

bool SettingsTransfer::SetDateTime(const Date& value) {
    if (value.year() < 2000 || value.year() > 2099) {
        link_.AddLog(QStringLiteral("<<< Clock not set: %1 is outside 2000 to 2099 >>>").arg(GeneralDate(value)));
        return false;
    }
    LinkOperation op(link_);
    link_.ResetTickCounter();
    return op.Exchange("HC,W," + FormatDate(value, QStringLiteral("yymmddhhnnss")).toLatin1(), StatusWriteWait);
}

}  // namespace mt52
