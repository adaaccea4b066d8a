#pragma once
// What an interval trend (clsInterval) and an alarm trend (clsAlarm) share on top of every
// record's frame: the header and gas-slot access of their loaders and decoders, the per-slot
// sample counters of a decode, the tag of the last text line, the Duplicate mark of a log
// stored already, the load status, and the decoding of the log's header text line.
#include "records/RecordFrame.h"
#include "records/TrendLoading.h"

#include <QString>
#include <array>

// The trend file a decoder writes its samples into.
class QIODevice;

namespace mt52 {

class TrendLogFrame : public RecordFrame {
public:
    const TrendLoadStatus& LoadStatus() const { return loadStatus_; }

    bool Duplicate() const { return duplicate_; }
    void Duplicate(bool value) { duplicate_ = value; }

    // Samples written per gas slot by a decoder (0..4; 9 outside).
    Long GasSampleCount(Integer GasNo) const { return gasSampleCount_[SlotIndex(GasNo)]; }
    void GasSampleCount(Integer GasNo, Long value) { gasSampleCount_[SlotIndex(GasNo)] = value; }

    // The tag of the last sample or event text line, kept between lines by the text decoder.
    const QString& PendingTag() const { return pendingTag_; }
    void PendingTag(const QString& value) { pendingTag_ = value; }

    // Header and slot access for the loaders and decoders of this folder.
    LogHeader& Header() { return header_; }
    const LogHeader& Header() const { return header_; }
    GasSlot& Slot(Integer GasNo) { return gas_[SlotIndex(GasNo)]; }

    // Loads the Log_Head row of SeqNo and the samples of its trend file; what was missing or
    // cut off is in LoadStatus(), and a database or conversion failure raises.
    virtual void ReLoad() = 0;

protected:
    using RecordFrame::RecordFrame;

    // One sample of a trend: its number, moment and a reading per gas slot.
    struct TrendSample {
        Long No = 0;
        Date DateTimes;
        std::array<Single, RecordGasSlots> Values{};
    };

    // The slot index of a gas number; a number outside 0..4 raises 9.
    static std::size_t SlotIndex(Integer GasNo);

    // The log's name: "iv" or "al" by kind, then the start as ddhhnnss.
    virtual QString NamePrefix() const = 0;
    // A log of the same start, identity and kind is stored already.
    virtual bool FindLogHead() const = 0;

    // The header text line: start date and time (5-16) and interval (17-20). Names the log
    // and its trend file, makes the file's folders, marks a log stored already as Duplicate
    // and starts the trend file of a new one. A bad field sets Error and is written to the
    // communication log under the decoder's name; the answer is True all the same.
    bool DecodeHeaderLine(const QString& vData, bool TestFlag, const char* decoderName);
    // Starts the trend file at a log's first header (StartTrendFile); a file a stored record
    // names sets Error, with a line to the communication log naming the decoder.
    void StartLogTrendFile(const char* decoderName);

    // Clears the decode's bookkeeping: Error, Duplicate, the counters and the load status.
    void ClearTrendBookkeeping();

    std::array<Long, RecordGasSlots> gasSampleCount_{};
    bool duplicate_ = false;
    QString pendingTag_;
    TrendLoadStatus loadStatus_;
};

}  // namespace mt52
