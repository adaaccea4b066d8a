#pragma once
// What the trend graph holds: one time axis, the series (curves) with their values, each series'
// event marks and the event track indexed by sample. The tables are preallocated, so filling never
// allocates per sample; only AddSample grows the series tables, one slot at a time.
//
// The series tables always have slots 0 to n (n >= 1): slots 0 to n-1 are series, slot n is the
// spare slot that the next AddSample fills. An empty graph has n = 1 and an empty name in slot 0.
// Writes to series fields beyond the last series are ignored; an event flag or visibility addressed
// at or beyond the spare slot goes to the event track. Any index outside the tables reads as an
// empty value and writes nothing.
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <QString>

#include <vector>

namespace mt52 {

// A sample value meaning that the instrument gave no reading (exactly this single).
inline constexpr Single GraphNoData = -0.01f;
// The last usable sample index and event index.
inline constexpr int GraphMaxSamples = 16360;
inline constexpr int GraphMaxEvents = 2048;

inline bool IsGraphNoData(Single value) { return value == GraphNoData; }

struct GraphTimeStamp {
    Date date;
    Long seconds = 0;  // whole seconds from sample 0
};

struct GraphSeries {
    QString name;
    Long color = 0;
    int lastSample = 0;  // highest sample index written
    QString format;      // number pattern of the scale labels and the read-out
    Single minY = 0;     // value range; both 0 = chosen automatically
    Single maxY = 0;
    Single fullScale = 0;
    Single posYStp = 0;  // step between scale labels (layout)
    Single scaleY = 0;   // drawing units per value unit (layout)
    bool visible = false;
    std::vector<Single> values;
};

struct GraphEventList {
    bool visible = false;
    std::vector<GraphTimeStamp> entries;
    std::vector<QString> texts;  // empty = no mark
    Single labelRow = 0;         // y of the row its labels were last painted in
};

class GraphStore {
public:
    // sampleCapacity is the number of time points; the graph reports GraphMaxSamples with the
    // default capacity.
    explicit GraphStore(int sampleCapacity = GraphMaxSamples + 1);

    int SampleCapacity() const { return static_cast<int>(timeAxis_.size()); }

    // Adds a series: fills slot 0 while its name is empty, else the spare slot, and grows the
    // tables by one. An empty format keeps the slot's earlier one. Returns the series index.
    int AddSample(const QString& name, Long colour = 0, const QString& format = {}, Single fullScale = 10);
    // Empties the series tables, the sample count and the event track's texts; the time axis
    // and the track's visibility stay.
    void Clear();

    // Upper bound of the series tables, n: 1 with no series and with one series.
    int SampleDataCount() const { return static_cast<int>(series_.size()) - 1; }
    // Whether index names a series slot below the spare slot.
    bool IsSeries(int index) const { return index >= 0 && index < SampleDataCount(); }
    // Whether index names any slot, the spare one included.
    bool IsSlot(int index) const { return index >= 0 && index <= SampleDataCount(); }

    const GraphSeries& Series(int index) const;
    GraphSeries& Series(int index);
    const GraphEventList& Events(int index) const;
    GraphEventList& Events(int index);

    QString ValueName(int index) const;
    void ValueName(int index, const QString& name);
    Long ValueColor(int index) const;
    void ValueColor(int index, Long colour);
    QString FormatY(int index = 0) const;
    void FormatY(int index, const QString& format);
    bool SampleVisible(int index) const;
    void SampleVisible(int index, bool visible);
    Single MinY(int index = 0) const;
    void MinY(int index, Single value);
    Single MaxY(int index = 0) const;
    void MaxY(int index, Single value);
    Single PosYStp(int index = 0) const;

    // Sample values: writes below the spare slot only; raise the series' LastSample.
    Single valueY(int series, int sample) const;
    void valueY(int series, int sample, Single value);

    // The time axis. Seconds are computed from sample 0's date when a time is stored (sample 0
    // itself gets 0), so sample 0 is stored first.
    Date valueX(int sample) const;
    void valueX(int sample, Date date);
    // As valueX, but stores only below the last index and raises SampleCount to the index.
    void DataX(int sample, Date date);
    const GraphTimeStamp& TimeAxis(int sample) const;
    // The whole time axis, SampleCapacity() entries, for loops over many samples.
    const std::vector<GraphTimeStamp>& TimeAxisEntries() const { return timeAxis_; }
    // Seconds of a sample, the index clamped into the samples in use (0 with none).
    Long SecondsAt(int sample) const;
    int SampleCount() const { return sampleCount_; }
    void SampleCount(int count) { sampleCount_ = count; }
    // The sample index clamped into 0 .. SampleCount - 1 and the storage.
    int ClampSample(int sample) const;

    // Event marks of a series (any slot, the spare one included).
    Date EventX(int series, int number) const;
    void EventX(int series, int number, Date date);
    int EventCount(int series) const;
    void EventCount(int series, int count);
    // A mark's text; a series index at or beyond the spare slot addresses the event track.
    QString EventFlag(int series, int index) const;
    void EventFlag(int series, int index, const QString& text);
    bool EventVisible(int series) const;
    void EventVisible(int series, bool visible);
    const QString& TrackText(int sample) const;
    bool TrackVisible() const { return trackVisible_; }

private:
    GraphSeries NewSeries() const;
    GraphEventList NewEventList() const;
    Long SecondsFromStart(Date date) const;

    std::vector<GraphTimeStamp> timeAxis_;
    std::vector<GraphSeries> series_;
    std::vector<GraphEventList> events_;
    std::vector<int> eventCounts_;
    std::vector<QString> trackTexts_;
    bool trackVisible_ = false;
    int sampleCount_ = 0;
};

}  // namespace mt52
