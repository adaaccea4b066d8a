#pragma once
// What every stored-record model shares: the bookkeeping members, a header that mirrors the
// record's Log_Head row, and five gas slots that mirror the Gas1..Gas5 column groups. Header
// fields and gas-slot fields are read and written by number through GasBaseInfo and GasListInfo,
// so views, reports and the instrument link can walk them in loops.
#include "common/GasFormats.h"
#include "platform/OleDate.h"
#include "platform/Types.h"
#include "platform/Variant.h"

#include <QString>
#include <array>
#include <functional>

namespace mt52 {

class clsInstrument;
class StoredRow;

// Field numbers of GasBaseInfo.
namespace LogHeaderField {
enum : Long {
    Names = 0,
    LogNo = 1,
    Dates = 2,
    Last = 3,
    UserID = 4,
    StationID = 5,
    SerialNo = 6,
    FolderID = 7,
    Interval = 8,
    Sampling = 9,
    Dcount = 10,
    LunchBreak = 11,
    LEL_lo = 12,
    LEL_hi = 13,
    ppm_lo = 14,
    ppm_hi = 15,
    vol_lo = 16,
    vol_hi = 17,
};
}

// Field numbers of GasListInfo.
namespace GasInfoField {
enum : Long {
    Name = 0,
    Full = 1,
    Desit = 2,
    Point = 3,
    Unit = 4,
    Max = 5,
    Min = 6,
    Avr = 7,
    MaxDate = 8,
    MinDate = 9,
    Enable = 10,
    Warning = 11,
    Alarm = 12,
    Stel = 13,
    Twa = 14,
    Ratio = 15,
};
}

// The snapshot's own texts of a gas slot, as the instrument reported them.
namespace SnapShotGasField {
enum : Long {
    LogNo = 16,
    GasName = 17,
    FullScale = 18,
    Digit = 19,
    Unit = 20,
    gasval = 21,
};
}

// Number of gas slots of a record (slots 0 to 4).
inline constexpr int RecordGasSlots = 5;
// Value of a reading that holds no data.
inline constexpr Single NoDataReading = -101.0f;

// The header of a record; each field mirrors the Log_Head column of the same name.
struct LogHeader {
    QString Names;
    Long LogNo = 0;
    Date Dates;
    Date Last;
    QString UserID;
    QString StationID;
    QString SerialNo;
    QString FolderID;  // "mm/yy" of the record date
    Long Interval = 0;
    Integer Sampling = 0;
    Long Dcount = 0;
    Integer LunchBreak = 0;
    Long LEL_lo = 0;
    Long LEL_hi = 0;
    Long ppm_lo = 0;
    Long ppm_hi = 0;
    Long vol_lo = 0;
    Long vol_hi = 0;
};

// One gas slot; each field mirrors the column of its name in the slot's column group.
struct GasSlot {
    QString Name;
    Single Full = 0;
    Single Desit = 0;
    Integer Point = 0;
    QString Unit;
    Single Avr = 0;
    Single Max = 0;
    Single Min = 0;
    Date MaxDate;
    Date MinDate;
    bool Enable = false;
    Single Warning = 0;
    Single Alarm = 0;
    Single Stel = 0;
    Single Twa = 0;
    Single Ratio = 0;
    // Snapshot texts (SnapShot columns LogNo, GasName, FullScale, Digit, Unit, Gasval).
    QString LogNoText;
    QString GasName;
    QString FullScale;
    QString Digit;
    QString UnitText;
    QString gasval;
};

// The printable part of a text: the characters with codes 32 to 126, in their order.
QString FilterPrintable(const QString& text);

class RecordFrame : public GasCaptionSource {
public:
    ~RecordFrame() override = default;

    // Puts the model into its cleared state; each kind keeps its own set of members.
    virtual void ClearDatas() = 0;

    const QString& Key() const { return key_; }
    void Key(const QString& value) { key_ = value; }
    Long SeqNo() const { return seqNo_; }
    void SeqNo(Long value) { seqNo_ = value; }
    bool Error() const { return error_; }
    void Error(bool value) { error_ = value; }
    // The instrument whose identity a store uses; shared with its owner, never owned here.
    clsInstrument* Instrument() const { return instrument_; }
    void Instrument(clsInstrument* value) { instrument_ = value; }

    // Header field by LogHeaderField number; Null for a field the record kind does not have.
    Variant GasBaseInfo(Long Types) const;
    // Stores a header field. Guarded fields (dates, numbers) ignore a value that fails their
    // test; the others raise the conversion failure (13, 6, 94) and keep their value.
    void GasBaseInfo(Long Types, const Variant& value);

    // Gas slot field: Empty for a slot outside 0..4, Null for an unknown field number.
    Variant GasListInfo(Integer GasNo, Long Types) const;
    // Stores a gas slot field; a slot outside 0..4 or an unknown field is ignored.
    void GasListInfo(Integer GasNo, Long Types, const Variant& value);

    // What a gas caption shows of a slot: name, full scale, decimals and unit; in a snapshot,
    // the name, full scale and unit texts the instrument sent. Empty name outside slots 0..4.
    GasCaptionParts GasCaptionPartsOf(Integer gas) const override;

protected:
    // What distinguishes the header and slots of one record kind from another.
    struct Shape {
        bool hasLast = false;          // GasBaseInfo(3) reaches Last
        bool hasHeaderDcount = true;   // GasBaseInfo(10) reaches Dcount
        bool hasSnapShotTexts = false; // GasListInfo fields 16..21
    };
    explicit RecordFrame(Shape shape) : shape_(shape) {}
    RecordFrame(const RecordFrame&) = default;
    RecordFrame& operator=(const RecordFrame&) = default;

    // The cleared header (LogNo kept) and the cleared gas slots, shared by every kind.
    void ClearHeader();
    void ClearGasSlots();
    // Takes the database path of the moment from the module state.
    void TakeDatabasePath();

    // Reads the Log_Head row of SeqNo into the header and gas slots through `fill`. Nothing
    // happens when no database file is at the model's path or no row has the key; a fill
    // that raises leaves the header and slots as they were.
    void LoadLogHead(const std::function<void(const StoredRow&)>& fill);

    // Runs a fill of the header and gas slots from a stored row; when the fill raises, the
    // header and slots are put back as they were before the error travels on.
    template <typename Fill>
    void FillHeaderWhole(Fill&& fill) {
        const LogHeader keptHeader = header_;
        const std::array<GasSlot, RecordGasSlots> keptGas = gas_;
        try {
            fill();
        } catch (...) {
            header_ = keptHeader;
            gas_ = keptGas;
            throw;
        }
    }

    // Appends one finished line to the communication log in the program folder.
    static void SetSerialLog(const QString& SetValue);

    const QString& DatabasePath() const { return databasePath_; }

    LogHeader header_;
    std::array<GasSlot, RecordGasSlots> gas_{};

private:
    Shape shape_;
    QString key_;
    Long seqNo_ = 0;
    bool error_ = false;
    clsInstrument* instrument_ = nullptr;
    QString databasePath_;
};

}  // namespace mt52
