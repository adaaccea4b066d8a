#pragma once
// A keyed collection of record models of one kind, for the records one download delivers:
// each record under a unique key, in the order added, reachable by key or by position counted
// from 1. Every new record gets the collection's instrument. The collection also carries what
// its readers leave behind: the refused lines of a test read, a message for the user and the
// selected record.
#include "platform/RuntimeError.h"
#include "platform/Types.h"
#include "platform/Variant.h"

#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace mt52 {

class clsInstrument;

template <typename Record>
class RecordCollection {
public:
    using RecordPtr = std::shared_ptr<Record>;

    // Creates a cleared record with the key, the SeqNo and the collection's instrument and
    // adds it after the others. A key already present raises 457 and adds nothing.
    RecordPtr Add(const QString& Key, Long SeqNos) {
        if (Find(Key))
            Raise(ErrDuplicateKey, QStringLiteral("record key \"%1\"").arg(Key));
        auto record = std::make_shared<Record>();
        record->Key(Key);
        record->SeqNo(SeqNos);
        if (instruments_ != nullptr)
            record->Instrument(instruments_);
        records_.emplace_back(Key, record);
        return record;
    }

    // The record under a key (a text) or at a position from 1 (a number); nullptr when there
    // is none or the value is neither.
    RecordPtr Item(const Variant& vntIndexKey) const {
        if (vntIndexKey.isString()) {
            const std::optional<std::size_t> at = Find(vntIndexKey.toString());
            return at ? records_[*at].second : nullptr;
        }
        const std::optional<std::size_t> at = Position(vntIndexKey);
        return at ? records_[*at].second : nullptr;
    }

    Long Count() const { return static_cast<Long>(records_.size()); }

    // Removes the record under a key or at a position: an absent key raises 5, a position
    // outside 1..Count raises 9.
    void Remove(const Variant& vntIndexKey) {
        std::optional<std::size_t> at;
        if (vntIndexKey.isString()) {
            at = Find(vntIndexKey.toString());
            if (!at)
                Raise(ErrInvalidArgument, QStringLiteral("no record under the key \"%1\"").arg(vntIndexKey.toString()));
        } else {
            at = Position(vntIndexKey);
            if (!at)
                Raise(ErrSubscript, QStringLiteral("no record at the position %1").arg(vntIndexKey.toString()));
        }
        records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(*at));
    }

    // Removes every record (the selected key stays). Never fails, also when a record's Key
    // was changed after it was added.
    void Clear() { records_.clear(); }

    // The records in their order, for iteration.
    std::vector<RecordPtr> NewEnum() const {
        std::vector<RecordPtr> all;
        all.reserve(records_.size());
        for (const auto& entry : records_)
            all.push_back(entry.second);
        return all;
    }

    const QString& FailLine() const { return failLine_; }
    void FailLine(const QString& value) { failLine_ = value; }
    const QString& MessageString() const { return messageString_; }
    void MessageString(const QString& value) { messageString_ = value; }
    // Shared with its owner, never owned here.
    clsInstrument* Instruments() const { return instruments_; }
    void Instruments(clsInstrument* value) { instruments_ = value; }

    // The selected record; nullptr when none is selected. A selected record removed since
    // raises 5.
    RecordPtr SelectedItem() const {
        if (selectedKey_.isEmpty())
            return nullptr;
        const std::optional<std::size_t> at = Find(selectedKey_);
        if (!at)
            Raise(ErrInvalidArgument, QStringLiteral("the selected record \"%1\" is gone").arg(selectedKey_));
        return records_[*at].second;
    }
    // Selects a record by its Key; nullptr clears the selection.
    void SelectedItem(const RecordPtr& record) { selectedKey_ = record ? record->Key() : QString(); }

private:
    std::optional<std::size_t> Find(const QString& key) const {
        for (std::size_t i = 0; i < records_.size(); ++i) {
            if (records_[i].first == key)
                return i;
        }
        return std::nullopt;
    }

    std::optional<std::size_t> Position(const Variant& value) const {
        if (!value.isNumeric())
            return std::nullopt;
        Long position = 0;
        try {
            position = value.toLong();  // rounds to the nearest, halves to even
        } catch (const RuntimeError&) {
            return std::nullopt;
        }
        if (position < 1 || position > Count())
            return std::nullopt;
        return static_cast<std::size_t>(position - 1);
    }

    std::vector<std::pair<QString, RecordPtr>> records_;
    clsInstrument* instruments_ = nullptr;
    QString selectedKey_;
    QString failLine_;
    QString messageString_;
};

}  // namespace mt52
