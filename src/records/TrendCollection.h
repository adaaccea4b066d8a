#pragma once
// A keyed collection of trend records, the container the trend decoders fill, one record per
// log: records in insertion order with 1-based positions, each under its Key ("<log id> L"),
// an optional instrument handed to every record added, a selected record, and the texts a
// decoder leaves behind (its last message and the lines it rejected).
#include "platform/RuntimeError.h"
#include "platform/Types.h"
#include "platform/VbString.h"
#include "records/TrendTextRecords.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace mt52 {

class clsInstrument;

template <typename Record>
class TrendCollection {
public:
    using RecordPtr = std::shared_ptr<Record>;

    // A new cleared record under the key with the sequence number (and the instrument, when
    // one is set). A key already present raises 457 and adds nothing.
    RecordPtr Add(const QString& key, Long seqNo) {
        if (Find(key) >= 0)
            Raise(ErrDuplicateKey, key);
        auto record = std::make_shared<Record>();
        record->Key(key);
        record->SeqNo(seqNo);
        if (instruments_ != nullptr)
            record->Instrument(instruments_);
        items_.push_back(record);
        return record;
    }

    // The record at a 1-based position or under a key; nullptr when there is none.
    RecordPtr Item(Long position) const {
        return position >= 1 && position <= Count() ? items_[static_cast<std::size_t>(position - 1)] : nullptr;
    }
    RecordPtr Item(const QString& key) const {
        const Long at = Find(key);
        return at >= 0 ? items_[static_cast<std::size_t>(at)] : nullptr;
    }
    Long Count() const { return static_cast<Long>(items_.size()); }

    // Removes the record at a position (9 when there is none) or under a key (5 when absent).
    void Remove(Long position) {
        if (position < 1 || position > Count())
            Raise(ErrSubscript, QStringLiteral("collection position %1").arg(position));
        items_.erase(items_.begin() + (position - 1));
    }
    void Remove(const QString& key) {
        const Long at = Find(key);
        if (at < 0)
            Raise(ErrInvalidArgument, QStringLiteral("no record under the key \"%1\"").arg(key));
        items_.erase(items_.begin() + at);
    }

    // The records in insertion order (for range loops).
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    // The record under the selected key; nullptr when none is selected. A selected key that
    // is no longer in the collection raises 5.
    RecordPtr SelectedItem() const {
        if (selectedKey_.isEmpty())
            return nullptr;
        const Long at = Find(selectedKey_);
        if (at < 0)
            Raise(ErrInvalidArgument, QStringLiteral("the selected record \"%1\" was removed").arg(selectedKey_));
        return items_[static_cast<std::size_t>(at)];
    }
    // Selects the record's key (the record need not be in the collection); nullptr clears it.
    void SelectedItem(const RecordPtr& record) { selectedKey_ = record ? record->Key() : QString(); }

    clsInstrument* Instruments() const { return instruments_; }
    void Instruments(clsInstrument* value) { instruments_ = value; }
    const QString& MessageString() const { return messageString_; }
    void MessageString(const QString& value) { messageString_ = value; }
    // The lines a decoder rejected, each after a CR LF.
    const QString& FailLine() const { return failLine_; }
    void FailLine(const QString& value) { failLine_ = value; }

protected:
    TrendCollection() = default;
    ~TrendCollection() = default;

    // Removes the records from the last to the first, each by its own key; with
    // `keepUnkeyed` a record whose key is empty stays.
    void ClearRecords(bool keepUnkeyed) {
        for (Long position = Count(); position >= 1; --position) {
            const RecordPtr& record = items_[static_cast<std::size_t>(position - 1)];
            if (keepUnkeyed && record->Key().isEmpty())
                continue;
            Remove(record->Key());
        }
    }

    // The record under the key, added (sequence number 0) when missing and cleared for a new
    // log; it keeps its key, and the collection's instrument.
    RecordPtr FreshRecord(const QString& key) {
        RecordPtr record = Item(key);
        if (!record)
            record = Add(key, 0);
        record->ClearDatas();
        record->Key(key);
        return record;
    }

    // What a tag's decoder is handed: the record of the line's log, the line (with its id and
    // tag at 1..4, or the run-length text of a data line), the check-only flag.
    struct LineContext {
        Record& record;
        const QString& line;
        bool testFlag;
        bool dataLine;
    };
    // One row of a tag table: the tags it serves, the shortest line it reads, its decoder.
    struct TagDecoder {
        QStringList tags;
        int minimumLength = 0;
        std::function<bool(const LineContext&)> decode;
    };
    // Called after a line was decoded by a row of the table, with the answer.
    using AfterDecode = std::function<void(const TagDecoder&, Record&, bool result)>;

    // Reads one text-record line: filters it, finds its id and tag (a tagged line with a third
    // character other than "A" continues the last tagged line when `continuations` is set; a
    // data line carries on under the last id and tag), finds or adds the record of the id and
    // hands the line to the table's row for the tag. A line shorter than the row's minimum, or
    // one whose decoder raises, is refused; a tag no row serves is accepted. In the check-only
    // mode a refused line is added to FailLine.
    bool DispatchLine(const std::vector<TagDecoder>& table, const QString& vData, bool testFlag, bool continuations,
                      const AfterDecode& after) {
        QString line = FilterTextRecord(vData);
        QString id = lastId_;
        QString tag = lastTag_;
        const bool dataLine = !line.startsWith(u'/');
        if (!dataLine) {
            line.remove(0, 1);
            if (continuations && Mid(line, 3, 1) != QLatin1String("A")) {
                line = lastId_ + lastTag_ + line;
            } else {
                id = Left(line, 2);
                tag = Mid(line, 3, 2);
            }
        }
        const QString key = id + QStringLiteral(" L");
        RecordPtr record = Item(key);
        if (!record)
            record = Add(key, 0);

        bool result = true;
        for (const TagDecoder& decoder : table) {
            if (!decoder.tags.contains(tag))
                continue;
            if (line.size() < decoder.minimumLength) {
                result = false;
            } else {
                try {
                    result = decoder.decode({*record, line, testFlag, dataLine});
                } catch (const RuntimeError&) {
                    result = false;  // a malformed line is refused, never the end of the decoding
                }
            }
            after(decoder, *record, result);
            break;
        }
        if (testFlag && !result)
            failLine_ += QStringLiteral("\r\n") + line;
        lastTag_ = tag;
        lastId_ = id;
        return result;
    }

private:
    Long Find(const QString& key) const {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (items_[i]->Key() == key)
                return static_cast<Long>(i);
        }
        return -1;
    }

    std::vector<RecordPtr> items_;
    clsInstrument* instruments_ = nullptr;
    QString selectedKey_;
    QString messageString_;
    QString failLine_;
    QString lastId_;
    QString lastTag_;
};

}  // namespace mt52
