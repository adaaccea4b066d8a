#include "views/DataSampleText.h"

#include "common/CsvText.h"
#include "common/GasFormats.h"
#include "common/ModuleState.h"
#include "common/ReadingCodes.h"
#include "common/ResText.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "records/clsAlarm.h"
#include "records/clsHistory.h"
#include "records/clsInterval.h"
#include "records/clsSnapShot.h"
#include "views/SampleTextParts.h"
#include "views/ViewRecords.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace mt52 {

// --- Lines ---------------------------------------------------------------------------------------

namespace {
// Gathered bytes that go to the device at once while streaming.
constexpr std::size_t StreamPieceBytes = 16384;

// True when the text has only ASCII characters and none that makes a field quoted.
bool IsPlainAscii(QStringView text, QChar separator) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x80 || c == separator || u == u'"' || u == u'\r' || u == u'\n')
            return false;
    }
    return true;
}

}  // namespace

void SampleTextLines::Line(const QStringList& fields) {
    for (const QString& field : fields)
        Field(field);
    EndLine();
}

void SampleTextLines::Separate() {
    if (lineStarted_) {
        if (streaming_)
            Put(separatorByte_);
        else
            text_ += separator_;
    }
    lineStarted_ = true;
}

void SampleTextLines::Grow(std::size_t count) { bytes_.resize(std::max(bytes_.size() * 2, used_ + count)); }

void SampleTextLines::PutAscii(QStringView text) {
    char* to = Room(static_cast<std::size_t>(text.size()));
    for (const QChar c : text)
        *to++ = static_cast<char>(c.unicode());
    used_ += static_cast<std::size_t>(text.size());
}

void SampleTextLines::Field(QStringView field) {
    Separate();
    if (!streaming_) {
        AppendCsvField(text_, field, separator_);
        return;
    }
    if (IsPlainAscii(field, separator_)) {
        PutAscii(field);
        return;
    }
    quoted_.clear();
    AppendCsvField(quoted_, field, separator_);
    const QByteArray utf8 = quoted_.toUtf8();
    Put(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

SampleTextLines::SampleTextLines(QChar separator, QIODevice* output)
    : separator_(separator), separatorByte_(static_cast<char>(separator.unicode())), output_(output) {
    for (const char16_t c : {char16_t(u'"'), char16_t(u'\r'), char16_t(u'\n'), separator.unicode()})
        if (c < 0x80)
            quotedBytes_[c] = true;
    for (std::size_t c = 0x80; c < quotedBytes_.size(); ++c)
        quotedBytes_[c] = true;
}

bool SampleTextLines::IsPlainBytes(std::string_view bytes) const {
    for (const char c : bytes)
        if (quotedBytes_[static_cast<unsigned char>(c)])
            return false;
    return true;
}

void SampleTextLines::Field(std::string_view ascii, QStringView tail) {
    if (!streaming_ || !IsPlainBytes(ascii) || !IsPlainAscii(tail, separator_)) {
        QString joined = QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size()));
        joined += tail;
        Field(joined);
        return;
    }
    Separate();
    Put(ascii.data(), ascii.size());
    PutAscii(tail);
}

void SampleTextLines::EndLine() {
    lineStarted_ = false;
    if (!streaming_) {
        text_ += QLatin1StringView("\r\n");
        return;
    }
    Put("\r\n", 2);
    if (used_ >= StreamPieceBytes)
        Flush();
}

void SampleTextLines::StreamToOutput() {
    if (output_ == nullptr)
        return;
    streaming_ = true;
    const QByteArray gathered = text_.toUtf8();
    text_.clear();
    bytes_.resize(std::max<std::size_t>(StreamPieceBytes + 1024, static_cast<std::size_t>(gathered.size())));
    used_ = 0;
    Put(gathered.constData(), static_cast<std::size_t>(gathered.size()));
    Flush();
}

QString SampleTextLines::TakeText() {
    if (streaming_) {
        Flush();
        return {};
    }
    QString text;
    text.swap(text_);
    return text;
}

void SampleTextLines::Flush() {
    const auto size = static_cast<qint64>(used_);
    const qint64 written = size > 0 ? output_->write(bytes_.data(), size) : 0;
    used_ = 0;
    if (written != size)
        Raise(ErrDeviceIO, QStringLiteral("the data sample could not be written: ") + output_->errorString());
}

// --- Slots and cells -----------------------------------------------------------------------------

SampleSlots ReadSampleSlots(const RecordFrame& record) {
    SampleSlots gases;
    for (Integer gas = 0; gas < RecordGasSlots; ++gas) {
        SampleSlot& slot = gases[static_cast<std::size_t>(gas)];
        auto field = [&](Long n) { return record.GasListInfo(gas, n); };
        slot.unit = field(GasInfoField::Unit).toString();
        slot.full = field(GasInfoField::Full).toSingle();
        slot.decimals = field(GasInfoField::Point).toInteger();
        slot.ratio = field(GasInfoField::Ratio).toSingle();
        slot.average = field(GasInfoField::Avr).toSingle();
        slot.maximum = field(GasInfoField::Max).toSingle();
        slot.minimum = field(GasInfoField::Min).toSingle();
        slot.maxDate = field(GasInfoField::MaxDate).toDate();
        slot.minDate = field(GasInfoField::MinDate).toDate();
        slot.enable = field(GasInfoField::Enable).toBool();
        slot.warning = field(GasInfoField::Warning).toSingle();
        slot.alarm = field(GasInfoField::Alarm).toSingle();
        slot.stel = field(GasInfoField::Stel).toSingle();
        slot.twa = field(GasInfoField::Twa).toSingle();
    }
    return gases;
}

QString ExportDate(const Date& date) { return FormatDate(date, QStringLiteral("yyyy/mm/dd hh:nn:ss")); }

QString HeaderText(const RecordFrame& record, Long field) {
    const Variant value = record.GasBaseInfo(field);
    return value.isNull() ? QString() : value.toString();
}

namespace {

QString WithUnit(const QString& cell, const SampleSlot& slot) {
    return IsNumeric(cell) ? cell + QLatin1Char(' ') + slot.unit : cell;
}

}  // namespace

QString StatisticsReadingCell(const SampleSlot& slot, Single value) {
    if (!slot.present)
        return QStringLiteral("-----");
    return WithUnit(FormatReading(FormatTrendCell(value, slot.decimals), slot.full), slot);
}

QString LevelCell(const SampleSlot& slot, Single value) {
    if (!slot.present)
        return QStringLiteral("-----");
    return WithUnit(FormatTrendCell(value, slot.decimals), slot);
}

void AddReading(QStringList& fields, const QString& reading, const QString& unit, bool unitColumns) {
    const QString shownUnit = IsNumeric(reading) ? unit : QString();
    if (unitColumns)
        fields << reading << shownUnit;
    else
        fields << reading + shownUnit;
}

// --- The head ------------------------------------------------------------------------------------

namespace {

QString Title(int logType) {
    const char* literal = nullptr;
    switch (logType) {
    case 1: literal = " Data Sample (Interval Trend)"; break;
    case 9: literal = " Data Sample (Bar Hole)"; break;
    case 2: literal = " Data Sample (Alarm Trend)"; break;
    case 3: literal = " Data Sample (Cal. History)"; break;
    case 10: literal = " Data Sample (Bump Test)"; break;
    case 5: literal = " Data Sample (Alarm Events)"; break;
    case 6: literal = " Data Sample (Trouble Events)"; break;
    case 7: literal = " Data Sample (Power Events)"; break;
    case 8: literal = " Data Sample (Sensor History)"; break;
    case 11: literal = " Data Sample (Snap Shot)"; break;
    default: return {};
    }
    return QStringLiteral("MT-52") + QLatin1String(literal);
}

void Property(SampleTextLines& lines, int textId, const QString& value) { lines.Line({GetResText(textId), value}); }

// Property, Name and the date line that every trend and the snapshot begin with.
void NamedHead(SampleTextLines& lines, const RecordFrame& record, int dateTextId, const QString& date) {
    lines.Line({GetResText(5604), GetResText(5605)});
    Property(lines, 5606, HeaderText(record, LogHeaderField::Names));
    Property(lines, dateTextId, date);
}

void Identity(SampleTextLines& lines, const RecordFrame& record) {
    Property(lines, 5608, HeaderText(record, LogHeaderField::SerialNo));
    Property(lines, 5609, HeaderText(record, LogHeaderField::StationID));
    Property(lines, 5610, HeaderText(record, LogHeaderField::UserID));
}

// Start " to " end; the end is left out when it is the never-set date.
QString Period(const clsInterval& record) {
    const Date start = record.GasBaseInfo(LogHeaderField::Dates).toDate();
    const Date last = record.GasBaseInfo(LogHeaderField::Last).toDate();
    QString period = ExportDate(start) + GetResText(5676);
    if (last != InvalidDateMark)
        period += ExportDate(last);
    return period;
}

void IntervalText(SampleTextLines& lines, const DataSampleSource& source, const SampleTextOptions& fileType,
                  const std::function<void()>& yield) {
    const bool barHole = source.logType == 9;
    clsInterval& record = source.records.Interval();
    SampleSlots gases = ReadSampleSlots(record);
    for (SampleSlot& slot : gases)
        slot.present = slot.maximum != NoDataReading;

    NamedHead(lines, record, 5607, Period(record));
    Identity(lines, record);
    if (barHole)
        lines.Line({QStringLiteral("-----"), QStringLiteral("-----")});
    else
        Property(lines, 5611, QString::number(record.DataCount() + record.EventCount()));
    Property(lines, 5612, HeaderText(record, LogHeaderField::Interval));

    SampleTextOptions options = fileType;
    AppendIntervalStatistics(lines, record, gases, barHole, source.statistics, options);
    lines.EmptyLine();
    if (barHole) {
        // A bar hole has no rows; where an interval trend's column header would end, one more
        // line end follows.
        lines.StreamToOutput();
        lines.EmptyLine();
        return;
    }
    AppendIntervalRows(lines, record, gases, options, yield);
}

void AlarmText(SampleTextLines& lines, const DataSampleSource& source, const SampleTextOptions& options) {
    const clsAlarm& record = source.records.Alarm();
    SampleSlots gases = ReadSampleSlots(record);
    for (SampleSlot& slot : gases)
        slot.present = slot.enable;

    NamedHead(lines, record, 5616, ExportDate(record.GasBaseInfo(LogHeaderField::Dates).toDate()));
    Identity(lines, record);
    Property(lines, 5611, QString::number(record.DataCount()));
    Property(lines, 5612, HeaderText(record, LogHeaderField::Interval));
    AppendAlarmStatistics(lines, record, gases);
    lines.EmptyLine();
    AppendAlarmRows(lines, record, gases, options);
}

void HistoryText(SampleTextLines& lines, const DataSampleSource& source) {
    const clsHistory& record = source.records.History();
    Identity(lines, record);
    Property(lines, 5668, ExportDate(record.GasBaseInfo(LogHeaderField::Dates).toDate()));
    lines.EmptyLine();
    AppendHistoryRows(lines, record, ReadSampleSlots(record), source.logType == 10);
}

void SnapShotText(SampleTextLines& lines, const DataSampleSource& source) {
    const clsSnapShot& record = source.records.SnapShot();
    NamedHead(lines, record, 5607, ExportDate(record.GasBaseInfo(LogHeaderField::Dates).toDate()));
    Identity(lines, record);
    lines.EmptyLine();
    AppendSnapShotRows(lines, record);
}

}  // namespace

QChar DataSampleSeparator(int filterIndex) { return filterIndex == 2 ? QChar(u'\t') : QChar(u','); }

QString MakeDataSampleText(const DataSampleSource& source, QChar separator, int filterIndex, QIODevice* output,
                           const std::function<void()>& yield) {
    const QString title = Title(source.logType);
    if (title.isEmpty())
        return {};
    SampleTextOptions options;
    options.unitColumns = filterIndex >= FirstUnitColumnFilter;
    options.lelConversion = filterIndex == LelConversionFilter;

    const bool streams = source.logType == 1 || source.logType == 9;
    SampleTextLines lines(separator, streams ? output : nullptr);
    lines.Line({title});
    switch (source.logType) {
    case 1:
    case 9: IntervalText(lines, source, options, yield); break;
    case 2: AlarmText(lines, source, options); break;
    case 3:
    case 10: HistoryText(lines, source); break;
    case 11: SnapShotText(lines, source); break;
    default: AppendEventListText(lines, source.logType, source.seqNo, State().DatabasePath); break;
    }
    return lines.TakeText();
}

}  // namespace mt52
