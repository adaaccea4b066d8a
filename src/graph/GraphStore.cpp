#include "graph/GraphStore.h"

#include "platform/Numbers.h"

#include <algorithm>
#include <cassert>

namespace mt52 {

namespace {

// Event entries 0 .. GraphMaxEvents; the last one is never written.
constexpr int EventSlots = GraphMaxEvents + 1;

const GraphSeries& EmptySeries() {
    static const GraphSeries empty;
    return empty;
}

const GraphEventList& EmptyEventList() {
    static const GraphEventList empty;
    return empty;
}

const QString& EmptyText() {
    static const QString empty;
    return empty;
}

}  // namespace

GraphStore::GraphStore(int sampleCapacity)
    : timeAxis_(static_cast<std::size_t>(std::max(sampleCapacity, 1))), trackTexts_(EventSlots) {
    Clear();
}

GraphSeries GraphStore::NewSeries() const {
    GraphSeries s;
    s.values.assign(timeAxis_.size(), 0.0f);
    return s;
}

GraphEventList GraphStore::NewEventList() const {
    GraphEventList e;
    e.entries.resize(EventSlots);
    e.texts.resize(EventSlots);
    return e;
}

int GraphStore::AddSample(const QString& name, Long colour, const QString& format, Single fullScale) {
    int slot = 0;
    if (!series_[0].name.isEmpty()) {
        slot = SampleDataCount();
        series_.push_back(NewSeries());
        events_.push_back(NewEventList());
        eventCounts_.push_back(0);
    }
    GraphSeries& s = series_[static_cast<std::size_t>(slot)];
    s.name = name;
    s.color = colour;
    s.visible = true;
    s.fullScale = fullScale;
    if (!format.isEmpty())
        s.format = format;
    events_[static_cast<std::size_t>(slot)].visible = false;
    return slot;
}

void GraphStore::Clear() {
    series_.clear();
    events_.clear();
    eventCounts_.clear();
    for (int i = 0; i < 2; ++i) {
        series_.push_back(NewSeries());
        events_.push_back(NewEventList());
        eventCounts_.push_back(0);
    }
    sampleCount_ = 0;
    // The last track entry is never written, so only the writable ones need emptying.
    std::fill(trackTexts_.begin(), trackTexts_.end() - 1, QString());
}

const GraphSeries& GraphStore::Series(int index) const {
    return IsSlot(index) ? series_[static_cast<std::size_t>(index)] : EmptySeries();
}

GraphSeries& GraphStore::Series(int index) {
    assert(IsSlot(index));
    return series_[static_cast<std::size_t>(std::clamp(index, 0, SampleDataCount()))];
}

const GraphEventList& GraphStore::Events(int index) const {
    return IsSlot(index) ? events_[static_cast<std::size_t>(index)] : EmptyEventList();
}

GraphEventList& GraphStore::Events(int index) {
    assert(IsSlot(index));
    return events_[static_cast<std::size_t>(std::clamp(index, 0, SampleDataCount()))];
}

QString GraphStore::ValueName(int index) const { return IsSeries(index) ? Series(index).name : QString(); }

void GraphStore::ValueName(int index, const QString& name) {
    if (IsSeries(index))
        Series(index).name = name;
}

Long GraphStore::ValueColor(int index) const { return IsSeries(index) ? Series(index).color : 0; }

void GraphStore::ValueColor(int index, Long colour) {
    if (IsSeries(index))
        Series(index).color = colour;
}

QString GraphStore::FormatY(int index) const { return Series(index).format; }

void GraphStore::FormatY(int index, const QString& format) {
    if (IsSlot(index))
        Series(index).format = format;
}

bool GraphStore::SampleVisible(int index) const { return Series(index).visible; }

void GraphStore::SampleVisible(int index, bool visible) {
    if (IsSeries(index))
        Series(index).visible = visible;
}

Single GraphStore::MinY(int index) const { return Series(index).minY; }

void GraphStore::MinY(int index, Single value) {
    if (IsSeries(index))
        Series(index).minY = value;
}

Single GraphStore::MaxY(int index) const { return Series(index).maxY; }

void GraphStore::MaxY(int index, Single value) {
    if (IsSeries(index))
        Series(index).maxY = value;
}

Single GraphStore::PosYStp(int index) const { return Series(index).posYStp; }

Single GraphStore::valueY(int series, int sample) const {
    const GraphSeries& s = Series(series);
    if (sample < 0 || sample >= static_cast<int>(s.values.size()))
        return 0;
    return s.values[static_cast<std::size_t>(sample)];
}

void GraphStore::valueY(int series, int sample, Single value) {
    if (!IsSeries(series) || sample < 0 || sample >= SampleCapacity())
        return;
    GraphSeries& s = Series(series);
    s.values[static_cast<std::size_t>(sample)] = value;
    s.lastSample = std::max(s.lastSample, sample);
}

Long GraphStore::SecondsFromStart(Date date) const {
    // Days times the seconds of a day, taken as the reciprocal of one second's date value.
    const double secondsPerDay = 1.0 / (1.0 / 86400.0);
    const double seconds = RoundHalfEven((date.value() - timeAxis_[0].date.value()) * secondsPerDay);
    return static_cast<Long>(std::clamp(seconds, -2147483648.0, 2147483647.0));
}

Date GraphStore::valueX(int sample) const { return TimeAxis(sample).date; }

void GraphStore::valueX(int sample, Date date) {
    if (sample < 0 || sample >= SampleCapacity())
        return;
    GraphTimeStamp& t = timeAxis_[static_cast<std::size_t>(sample)];
    t.date = date;
    t.seconds = sample == 0 ? 0 : SecondsFromStart(date);
}

void GraphStore::DataX(int sample, Date date) {
    if (sample < 0 || sample >= SampleCapacity() - 1)
        return;
    valueX(sample, date);
    sampleCount_ = std::max(sampleCount_, sample);
}

const GraphTimeStamp& GraphStore::TimeAxis(int sample) const {
    static const GraphTimeStamp empty;
    if (sample < 0 || sample >= SampleCapacity())
        return empty;
    return timeAxis_[static_cast<std::size_t>(sample)];
}

int GraphStore::ClampSample(int sample) const {
    const int last = std::min(sampleCount_, SampleCapacity()) - 1;
    return std::clamp(sample, 0, std::max(last, 0));
}

Long GraphStore::SecondsAt(int sample) const { return TimeAxis(ClampSample(sample)).seconds; }

Date GraphStore::EventX(int series, int number) const {
    const GraphEventList& e = Events(series);
    if (number < 0 || number >= static_cast<int>(e.entries.size()))
        return Date();
    return e.entries[static_cast<std::size_t>(number)].date;
}

void GraphStore::EventX(int series, int number, Date date) {
    if (!IsSlot(series) || number < 0 || number >= GraphMaxEvents)
        return;
    GraphTimeStamp& t = Events(series).entries[static_cast<std::size_t>(number)];
    t.date = date;
    if (RoundHalfEven(timeAxis_[0].date.value()) != 0) {
        t.seconds = SecondsFromStart(date);
        int& count = eventCounts_[static_cast<std::size_t>(series)];
        count = std::max(count, number);
    } else {
        t.seconds = 0;
    }
}

int GraphStore::EventCount(int series) const {
    return IsSlot(series) ? eventCounts_[static_cast<std::size_t>(series)] : 0;
}

void GraphStore::EventCount(int series, int count) {
    if (IsSlot(series))
        eventCounts_[static_cast<std::size_t>(series)] = count;
}

QString GraphStore::EventFlag(int series, int index) const {
    if (index < 0 || index > GraphMaxEvents)
        return {};
    if (IsSeries(series))
        return Events(series).texts[static_cast<std::size_t>(index)];
    return series >= 0 ? trackTexts_[static_cast<std::size_t>(index)] : QString();
}

void GraphStore::EventFlag(int series, int index, const QString& text) {
    if (index < 0 || index >= GraphMaxEvents || series < 0)
        return;
    if (IsSeries(series))
        Events(series).texts[static_cast<std::size_t>(index)] = text;
    else
        trackTexts_[static_cast<std::size_t>(index)] = text;
}

bool GraphStore::EventVisible(int series) const {
    if (IsSeries(series))
        return Events(series).visible;
    return series >= 0 && trackVisible_;
}

void GraphStore::EventVisible(int series, bool visible) {
    if (IsSeries(series))
        Events(series).visible = visible;
    else if (series >= 0)
        trackVisible_ = visible;
}

const QString& GraphStore::TrackText(int sample) const {
    if (sample < 0 || sample >= static_cast<int>(trackTexts_.size()))
        return EmptyText();
    return trackTexts_[static_cast<std::size_t>(sample)];
}

}  // namespace mt52
