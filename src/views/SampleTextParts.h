#pragma once
// What the data-sample texts of the record kinds share: the line writer, the choices the save
// dialog's file type makes, one record's gas gases as plain values, and the cells made of them.
#include "platform/OleDate.h"
#include "platform/Types.h"
#include "records/RecordFrame.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <array>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

class QIODevice;

namespace mt52 {

class clsAlarm;
class clsHistory;
class clsInterval;
class clsSnapShot;
enum class SampleStatistics;

// What the file type of the save dialog selects for trend rows.
struct SampleTextOptions {
    bool unitColumns = false;    // a reading's unit stands in a field of its own
    bool lelConversion = false;  // vol% readings of the first gas are written in %LEL
};

// The lines of one text. Lines are gathered; once StreamToOutput is called with an output
// device, the gathered text and every later line go to the device instead (UTF-8), in pieces
// of some sixteen thousand bytes, so the text of a long trend is never held whole. While
// streaming, the lines are gathered as UTF-8 bytes at once: plain ASCII fields are copied
// byte for byte, and only a field with other characters or one that needs quotes is converted.
class SampleTextLines {
public:
    SampleTextLines(QChar separator, QIODevice* output);

    QChar separator() const { return separator_; }
    // The fields joined by the separator, each quoted when it must be, and CR LF.
    void Line(const QStringList& fields);
    void EmptyLine() { Line({}); }
    // The same line written field by field: Field for each, then EndLine.
    void Field(QStringView field);
    // A field of ASCII text (a number or a date made in a byte buffer) followed by `tail`: the
    // same as Field of the two joined, without making the joined text.
    void Field(std::string_view ascii, QStringView tail = {});
    // Whether every byte of `bytes` may stand in a field as it is: ASCII, and no separator, quote
    // or line break.
    bool IsPlainBytes(std::string_view bytes) const;
    // While streaming, a field of bytes the caller knows to be plain (IsPlainBytes) may be
    // written in place: PlainFieldRoom gives room for `maxBytes` bytes where the field will
    // stand, and EndPlainField(count) adds the field (after its separator) once its bytes are
    // written. Without EndPlainField nothing is added.
    bool streaming() const { return streaming_; }
    char* PlainFieldRoom(std::size_t maxBytes) {
        char* at = Room(maxBytes + 1);
        return lineStarted_ ? at + 1 : at;
    }
    void EndPlainField(std::size_t count) {
        if (lineStarted_)
            bytes_[used_++] = separatorByte_;
        lineStarted_ = true;
        used_ += count;
    }
    void EndLine();
    void StreamToOutput();
    // The gathered text; once streaming, what is left goes to the device and the text is empty.
    QString TakeText();

private:
    void Separate();
    void Flush();
    // Room for `count` more bytes after the gathered ones.
    char* Room(std::size_t count) {
        if (used_ + count > bytes_.size())
            Grow(count);
        return bytes_.data() + used_;
    }
    void Grow(std::size_t count);
    void Put(const char* from, std::size_t count) {
        std::memcpy(Room(count), from, count);
        used_ += count;
    }
    void Put(char c) {
        *Room(1) = c;
        ++used_;
    }
    // Text known to be plain ASCII, a byte per character.
    void PutAscii(QStringView text);

    QChar separator_;
    char separatorByte_;  // the separator's byte while streaming (it is ASCII, or no byte is plain)
    QIODevice* output_;
    bool streaming_ = false;
    bool lineStarted_ = false;
    QString text_;             // the text gathered before streaming
    std::vector<char> bytes_;  // while streaming, the UTF-8 bytes gathered: the first used_
    std::size_t used_ = 0;
    QString quoted_;           // a field that needs quotes or conversion, made while streaming
    std::array<bool, 256> quotedBytes_{};  // the bytes that make a field quoted or not ASCII
};

// One gas slot of a record, read once through GasListInfo.
struct SampleSlot {
    bool present = false;  // the slot holds a gas (how a kind tells is its own)
    QString unit;
    Single full = 0;
    Integer decimals = 0;
    Single ratio = 0;
    Single average = 0;
    Single maximum = 0;
    Single minimum = 0;
    Date maxDate;
    Date minDate;
    bool enable = false;
    Single warning = 0;
    Single alarm = 0;
    Single stel = 0;
    Single twa = 0;
};
using SampleSlots = std::array<SampleSlot, RecordGasSlots>;

// The five gases of a record, `present` left false.
SampleSlots ReadSampleSlots(const RecordFrame& record);

// A date as "yyyy/mm/dd hh:nn:ss".
QString ExportDate(const Date& date);
// A header field of a record in its default text form.
QString HeaderText(const RecordFrame& record, Long field);

// A statistics reading: the formatted reading checked against the full scale, "-----" for a
// slot without a gas; a numeric text gets a blank and the slot's unit.
QString StatisticsReadingCell(const SampleSlot& slot, Single value);
// An alarm level: the same without the full-scale check.
QString LevelCell(const SampleSlot& slot, Single value);

// Appends a reading and its unit text (only for a numeric reading): in one field, or with unit
// columns in two.
void AddReading(QStringList& fields, const QString& reading, const QString& unit, bool unitColumns);

// The statistics block and the rows of the trend kinds.
void AppendIntervalStatistics(SampleTextLines& lines, const clsInterval& record, const SampleSlots& gases,
                              bool barHole, SampleStatistics statistics, SampleTextOptions& options);
void AppendIntervalRows(SampleTextLines& lines, clsInterval& record, const SampleSlots& gases,
                        const SampleTextOptions& options, const std::function<void()>& yield);
void AppendAlarmStatistics(SampleTextLines& lines, const clsAlarm& record, const SampleSlots& gases);
void AppendAlarmRows(SampleTextLines& lines, const clsAlarm& record, const SampleSlots& gases,
                     const SampleTextOptions& options);

// The column header and rows of calibration histories (kind 3), bump tests (kind 10) and
// snapshots.
void AppendHistoryRows(SampleTextLines& lines, const clsHistory& record, const SampleSlots& gases, bool bumpTest);
void AppendSnapShotRows(SampleTextLines& lines, const clsSnapShot& record);

// Alarm, trouble and power events and sensor histories (kinds 5 to 8): the property lines
// from the Log_Head row of `seqNo`, the empty line and the rows, read from the database at
// `databasePath`, newest first.
void AppendEventListText(SampleTextLines& lines, int logType, Long seqNo, const QString& databasePath);

}  // namespace mt52
