#include "records/clsInterval.h"

#include "common/ModuleState.h"
#include "common/ReadingCodes.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/RuntimeError.h"


namespace mt52 {
namespace {

const QString SelectEvents = QStringLiteral(
    "SELECT * FROM Interval_Event WHERE RelNo = ? AND BaseDate = ? ORDER BY SeqNo");

// The dates between which SerchValue looks (both excluded).
const Date SearchFloor = *Date::FromParts(1998, 1, 1);
const Date SearchCeiling = *Date::FromParts(2199, 1, 1);

std::array<Single, RecordGasSlots> NoReadings() {
    std::array<Single, RecordGasSlots> values;
    values.fill(NoDataReading);
    return values;
}

// The index of the earliest date later than `when` from `start` on, the last among equals.
template <typename Table>
Long EarliestLater(const Table& table, Long start, Long count, const Date& when) {
    Long found = -1;
    for (Long i = std::max<Long>(start, 0); i < count; ++i) {
        const Date d = table[static_cast<std::size_t>(i)].DateTimes;
        if (d > when && (found < 0 || d <= table[static_cast<std::size_t>(found)].DateTimes))
            found = i;
    }
    return found;
}

}  // namespace

clsInterval::clsInterval()
    : TrendLogFrame(Shape{.hasLast = true, .hasHeaderDcount = true, .hasSnapShotTexts = false}),
      samples_(static_cast<std::size_t>(SampleCapacity)),
      events_(static_cast<std::size_t>(EventCapacity)) {
    clsInterval::ClearDatas();
}

void clsInterval::ClearDatas() {
    ClearTrendBookkeeping();
    Key(QString());
    SeqNo(0);
    dataCount_ = 0;
    eventCount_ = 0;
    ClearHeader();
    hasMeasuredValue_ = false;
    ClearGasSlots();
    TakeDatabasePath();
}

void clsInterval::DataCount(Long value) {
    if (value >= 0 && value < CondenseAbove)
        dataCount_ = value;
}

Date clsInterval::DateTimes(Long Index) const {
    return IsSample(Index) ? samples_[static_cast<std::size_t>(Index)].DateTimes : Date(0.0);
}

void clsInterval::DateTimes(Long Index, const Date& value) {
    if (IsSample(Index))
        samples_[static_cast<std::size_t>(Index)].DateTimes = value;
}

Variant clsInterval::GasValue(Integer GasNo, Long Index) const {
    if (!IsSample(Index))
        return {};
    return samples_[static_cast<std::size_t>(Index)].Values[SlotIndex(GasNo)];
}

void clsInterval::GasValue(Integer GasNo, Long Index, const Variant& value) {
    if (IsSample(Index))
        samples_[static_cast<std::size_t>(Index)].Values[SlotIndex(GasNo)] = value.toSingle();
}

Date clsInterval::StartTime(Long Index) const {
    return IsSample(Index) ? samples_[static_cast<std::size_t>(Index)].StartTime : Date(0.0);
}

void clsInterval::StartTime(Long Index, const Date& value) {
    if (IsSample(Index))
        samples_[static_cast<std::size_t>(Index)].StartTime = value;
}

Date clsInterval::EventDateTimes(Long Index) const {
    return IsEvent(Index) ? events_[static_cast<std::size_t>(Index)].DateTimes : Date(0.0);
}

void clsInterval::EventDateTimes(Long Index, const Date& value) {
    if (IsEvent(Index))
        events_[static_cast<std::size_t>(Index)].DateTimes = value;
}

Variant clsInterval::GasEvent(Integer GasNo, Long Index) const {
    if (!IsEvent(Index))
        return {};
    return events_[static_cast<std::size_t>(Index)].Codes[SlotIndex(GasNo)];
}

void clsInterval::GasEvent(Integer GasNo, Long Index, const Variant& value) {
    if (IsEvent(Index))
        events_[static_cast<std::size_t>(Index)].Codes[SlotIndex(GasNo)] = value.toSingle();
}


Long clsInterval::AddEvents(Integer GasNo, const Date& when, Single code, const Date& baseDate) {
    const std::size_t slot = SlotIndex(GasNo);
    Long row = -1;
    for (Long i = 0; i < eventCount_; ++i) {
        const EventRow& e = events_[static_cast<std::size_t>(i)];
        if (e.DateTimes == when && e.Codes[slot] == NoDataReading)
            row = i;
    }
    if (row < 0) {
        if (eventCount_ >= EventCapacity)
            Raise(ErrSubscript, QStringLiteral("event row %1").arg(eventCount_));
        row = eventCount_++;
        events_[static_cast<std::size_t>(row)].Codes = NoReadings();
    }
    EventRow& e = events_[static_cast<std::size_t>(row)];
    e.DateTimes = when;
    e.Codes[slot] = code;
    e.BaseDate = baseDate;
    return row;
}

Long clsInterval::AddValue(Integer GasNo, const Date& when, Single value) {
    const std::size_t slot = SlotIndex(GasNo);
    Long index = -1;
    for (Long i = 0; i < dataCount_; ++i) {
        if (samples_[static_cast<std::size_t>(i)].DateTimes == when)
            index = i;
    }
    if (index < 0) {
        if (dataCount_ >= SampleCapacity)
            Raise(ErrSubscript, QStringLiteral("sample %1").arg(dataCount_));
        index = dataCount_++;
        samples_[static_cast<std::size_t>(index)].Values = NoReadings();
    }
    Sample& s = samples_[static_cast<std::size_t>(index)];
    s.DateTimes = when;
    s.Values[slot] = value;
    return index;
}

bool clsInterval::priorityEvent(Single newEvent, Single currentEvent) {
    if (currentEvent == NoDataReading || currentEvent == 0.0f)
        return true;
    if (newEvent < ReadingCode::Over || newEvent > ReadingCode::Normal)
        return true;
    const auto is = [newEvent](Integer code) { return newEvent == static_cast<Single>(code); };
    if (currentEvent == ReadingCode::Warning)
        return is(ReadingCode::Normal);
    if (currentEvent == ReadingCode::Alarm)
        return !is(ReadingCode::Warning) && !is(ReadingCode::Normal);
    if (currentEvent == ReadingCode::Stel)
        return false;
    if (currentEvent == ReadingCode::Twa)
        return is(ReadingCode::Stel);
    if (currentEvent == ReadingCode::Over)
        return is(ReadingCode::Twa) || is(ReadingCode::Stel);
    return true;
}

void clsInterval::getOrder(Long start) {
    sampleCursor_ = start;
    eventCursor_ = start;
}

Long clsInterval::getOrder() {
    const bool haveSample = sampleCursor_ >= 0 && sampleCursor_ < dataCount_;
    const bool haveEvent = eventCursor_ >= 0 && eventCursor_ < eventCount_;
    if (haveSample && haveEvent) {
        const Date sample = samples_[static_cast<std::size_t>(sampleCursor_)].DateTimes;
        const Date event = events_[static_cast<std::size_t>(eventCursor_)].DateTimes;
        if (sample.secondsTo(event) >= 0)
            return ++sampleCursor_;
        return -(++eventCursor_);
    }
    if (haveSample)
        return ++sampleCursor_;
    if (haveEvent)
        return -(++eventCursor_);
    return 0;
}

Long clsInterval::SerchDatas(const Date& when, Long start) const {
    return EarliestLater(samples_, start, dataCount_, when);
}

Long clsInterval::SerchEvent(const Date& when, Long start) const {
    return EarliestLater(events_, start, eventCount_, when);
}

Long clsInterval::SerchValue(const Date& when) const {
    if (!(when > SearchFloor && when < SearchCeiling))
        return 0;
    const Long a = SerchDatas(when, 0);
    const Long f = SerchEvent(when, 0);
    const bool sampleCounts = a >= 0 && DateTimes(a) > SearchFloor;
    const bool eventCounts = f >= 0 && EventDateTimes(f) > SearchFloor;
    if (sampleCounts && eventCounts) {
        const QString sampleText = FormatDate(DateTimes(a), QStringLiteral("yyyy/mm/dd hh:nn:ss"));
        const QString eventText = FormatDate(EventDateTimes(f), QStringLiteral("yyyy/mm/dd hh:nn:ss"));
        return sampleText >= eventText ? -(f + 1) : a + 1;
    }
    if (sampleCounts)
        return a + 1;
    if (eventCounts)
        return -(f + 1);
    return 0;
}

void clsInterval::ReLoad() {
    loadStatus_ = {};
    std::optional<Database> db =
        OpenTrendLog(DatabasePath(), SeqNo(), TrendHeaderColumns::Interval, header_, gas_, loadStatus_);
    if (!db) {
        // Nothing to load; the raw export still replaces an older one, with no lines.
        if (State().ExportRawData)
            ExportRaw();
        return;
    }
    if (header_.Dcount > CondenseAbove)
        State().CondensedView = true;

    if (!header_.Names.isEmpty())
        LoadSamples();
    LoadEvents(*db);
    if (State().ExportRawData)
        ExportRaw();
}

void clsInterval::LoadSamples() {
    const TrendFileContents file = ReadLogTrendFile(header_.FolderID, header_.Names);
    loadStatus_.trendFileMissing = !file.opened;
    dataCount_ = 0;
    const bool condensed = State().CondensedView;
    const std::size_t n = file.records.size();
    bool previousChanged = false;
    for (std::size_t i = 0; i < n; ++i) {
        const TrendRecord& record = file.records[i];
        const bool changed = i + 1 == n || dataCount_ == 0 || record.Values != file.records[i - 1].Values;
        // A run of equal records keeps its last record as well as its first.
        if (condensed && i > 0 && !previousChanged && changed && !StoreSample(file.records[i - 1]))
            break;
        if ((changed || !condensed) && !StoreSample(record))
            break;
        previousChanged = changed;
    }
    valueCount_ = dataCount_;
}

bool clsInterval::StoreSample(const TrendRecord& record) {
    if (dataCount_ >= SampleCapacity) {
        loadStatus_.samplesTruncated = true;
        return false;
    }
    Sample& s = samples_[static_cast<std::size_t>(dataCount_)];
    s.No = dataCount_;
    s.DateTimes = record.Time;
    s.Values = record.Values;
    ++dataCount_;
    return true;
}

void clsInterval::LoadEvents(Database& db) {
    Recordset rows = db.query(SelectEvents, {SeqNo(), header_.Dates});
    if (rows.recordCount() == 0)
        return;
    const Long count = std::min<Long>(rows.recordCount(), EventCapacity);
    loadStatus_.eventsTruncated = rows.recordCount() > EventCapacity;
    for (Long i = 0; i < count; ++i, rows.moveNext()) {
        EventRow& e = events_[static_cast<std::size_t>(i)];
        e.SeqNo = rows.field(QStringLiteral("SeqNo")).toLong();
        const Variant when = rows.field(QStringLiteral("DateTimes"));
        e.DateTimes = when.isNull() ? Now() : when.toDate();
        for (int gas = 0; gas < RecordGasSlots; ++gas) {
            const Variant code = rows.field(QStringLiteral("Gas%1Event").arg(gas + 1));
            e.Codes[static_cast<std::size_t>(gas)] = code.isNull() ? NoDataReading : code.toSingle();
        }
    }
    eventCount_ = count;
}

void clsInterval::ExportRaw() const {
    QStringList lines;
    lines.reserve(dataCount_ + eventCount_);
    for (Long i = 0; i < dataCount_; ++i) {
        const Sample& s = samples_[static_cast<std::size_t>(i)];
        lines.append(RawExportLine(s.DateTimes, RawSampleFields(s.Values)));
    }
    for (Long i = 0; i < eventCount_; ++i) {
        const EventRow& e = events_[static_cast<std::size_t>(i)];
        std::array<QString, RecordGasSlots> fields;
        for (std::size_t gas = 0; gas < fields.size(); ++gas)
            fields[gas] = FormatTrendCell(e.Codes[gas], 0);
        lines.append(RawExportLine(e.DateTimes, fields));
    }
    WriteRawExport(State().StartDir, header_.Names, lines);
}

}  // namespace mt52
