#include "records/TrendTextRecords.h"

#include "common/PendingRemovals.h"
#include "common/ReadingCodes.h"
#include "common/TextHelpers.h"
#include "common/TrendFile.h"
#include "platform/Database.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/StepHook.h"
#include "platform/VbString.h"
#include "records/LogRowWriter.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace mt52 {
namespace {

// Two decimal digits at the position; nullopt when they are not two digits.
std::optional<int> TwoDigits(const QString& line, int position) {
    const QString text = Mid(line, position, 2);
    if (text.size() != 2 || !text[0].isDigit() || !text[1].isDigit())
        return std::nullopt;
    return text.toInt();
}

bool IsAbsentGasName(const QString& name, int width) {
    return name == QString(width, u'*') || name == QString(width, u' ');
}

// Stores one gas definition: name, full scale, resolution and its decimals.
bool DecodeGas(const QString& name, const QString& full, const QString& resolution, bool testFlag, GasSlot& slot) {
    if (!IsNumeric(full) || !IsNumeric(resolution))
        return false;
    if (!testFlag) {
        slot.Enable = true;
        slot.Name = name;
        slot.Full = ParseStatValue(full);
        slot.Desit = ParseStatValue(resolution);
        slot.Point = CountDecimals(resolution.trimmed());
    }
    return true;
}

}  // namespace

QString FilterTextRecord(const QString& line) {
    QString result;
    result.reserve(line.size());
    for (QChar c : line) {
        if (c.unicode() >= 32 && c.unicode() <= 127)
            result.append(c);
    }
    return result;
}

std::optional<Date> TextRecordDate(const QString& line, int position) {
    const auto yy = TwoDigits(line, position), mm = TwoDigits(line, position + 2), dd = TwoDigits(line, position + 4);
    if (!yy || !mm || !dd)
        return std::nullopt;
    return Date::FromParts(2000 + *yy, *mm, *dd);
}

std::optional<double> TextRecordTime(const QString& line, int position) {
    const auto hh = TwoDigits(line, position), nn = TwoDigits(line, position + 2), ss = TwoDigits(line, position + 4);
    if (!hh || !nn || !ss || *hh > 23 || *nn > 59 || *ss > 59)
        return std::nullopt;
    return (*hh * 3600.0 + *nn * 60.0 + *ss) / 86400.0;
}

bool DecodeTrendHeaderFields(const QString& line, bool testFlag, LogHeader& header) {
    bool good = true;
    if (const auto date = TextRecordDate(line, 5)) {
        if (!testFlag)
            header.Dates = *date;
    } else {
        good = false;
    }
    if (const auto time = TextRecordTime(line, 11)) {
        if (!testFlag)
            header.Dates = Date(header.Dates.value() + *time);
    } else {
        good = false;
    }
    const QString interval = Mid(line, 17, 4);
    if (IsNumeric(interval)) {
        if (!testFlag)
            header.Interval = ToLong(ParseNumber(interval));
    } else {
        good = false;
    }
    return good;
}

bool DecodeGasDefinitions(const QString& line, bool testFlag, std::array<GasSlot, RecordGasSlots>& gas) {
    constexpr int DefinitionLength = 69;
    if (line.size() < DefinitionLength)
        return false;
    bool result = true;
    GasSlot& fourth = gas[3];
    if (!IsAbsentGasName(Mid(line, 5, 3), 3)) {
        const QString name = (Mid(line, 5, 3) + Mid(line, 18, 3) + Mid(line, 31, 3) + Mid(line, 44, 3)).trimmed();
        result = DecodeGas(name, Mid(line, 47, 5), Mid(line, 52, 5), testFlag, fourth) && result;
    } else if (!testFlag) {
        fourth.Enable = false;
    }
    GasSlot& fifth = gas[4];
    if (!IsAbsentGasName(Mid(line, 57, 4), 4)) {
        result = DecodeGas(Mid(line, 57, 4), Mid(line, 61, 5), Mid(line, 66, 5), testFlag, fifth) && result;
    } else if (!testFlag) {
        fifth.Enable = false;
    }
    return result;
}

Single TrendGroupValue(const QString& group, const GasSlot& slot, bool fifthGas) {
    if (group == QLatin1String("FEFE"))
        return ReadingCode::MarkFEFE;
    if (group == QLatin1String("FFFF") || slot.Name.isEmpty())
        return ReadingCode::NoData;
    const double raw = group.toInt(nullptr, 16);
    double reading = raw * std::pow(0.1, std::max<int>(slot.Point, 0));
    if (fifthGas)
        reading -= slot.Full;
    return static_cast<Single>(reading);
}

Single StatTextLevel(const QString& text, const GasSlot& slot, bool withLevels) {
    if (IsNumeric(text))
        return ToSingle(ParseNumber(text));
    const QString word = Left(text, 3).toUpper();
    if (word == QLatin1String("OVE"))
        return slot.Full;
    if (word == QLatin1String("MAX"))
        return slot.Max;
    if (word == QLatin1String("MIN"))
        return slot.Min;
    if (!withLevels)
        return 0.0f;
    if (word == QLatin1String("WAR"))
        return slot.Warning;
    if (word == QLatin1String("ALR"))
        return slot.Alarm;
    if (word == QLatin1String("STE"))
        return slot.Stel;
    if (word == QLatin1String("TWA"))
        return slot.Twa;
    return 0.0f;
}

bool StartTrendFile(const QString& databasePath, const LogHeader& header) {
    if (Trim(header.Names).isEmpty())
        return true;
    if (QFileInfo::exists(databasePath)) {
        try {
            Database db(databasePath);
            if (TrendFileNamed(db, MayBeBlank(header.FolderID), header.Names))
                return false;
            AddPendingFile(db, MayBeBlank(header.FolderID), header.Names);
        } catch (const RuntimeError&) {
            // A database that cannot take the entry cannot take the record either: its store
            // fails and removes the file then.
        }
    }
    StepPoint();
    QFile file(TrendFilePath(header.FolderID, header.Names));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.close();
    return true;
}

TrendFileWriter::TrendFileWriter(const LogHeader& header)
    : file_(std::make_unique<QFile>(TrendFilePath(header.FolderID, header.Names))) {
    StepPoint();
    if (!file_->open(QIODevice::ReadWrite))
        Raise(ErrPathFileAccess, file_->fileName() + QStringLiteral(": ") + file_->errorString());
}

TrendFileWriter::~TrendFileWriter() {
    try {
        finish();
    } catch (const RuntimeError&) {
        // Unwinding from another failure: that one is reported.
    }
}

QIODevice& TrendFileWriter::device() { return *file_; }

void TrendFileWriter::finish() {
    if (!file_->isOpen())
        return;
    const qint64 partial = file_->size() % TrendRecordBytes;
    const bool whole = partial == 0 || file_->resize(file_->size() + TrendRecordBytes - partial);
    const QString error = file_->errorString();
    file_->close();
    StepPoint();
    if (!whole)
        Raise(ErrDeviceIO, file_->fileName() + QStringLiteral(": ") + error);
}

void WithTrendFileOpen(const LogHeader& header, const std::function<void(QIODevice&)>& write) {
    TrendFileWriter writer(header);
    write(writer.device());
    writer.finish();
}

}  // namespace mt52
