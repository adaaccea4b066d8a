#pragma once
// The instruments for which a download reader has given its new-data notice, so the notice
// is given once per instrument: at most 100 instrument keys.
#include <QString>
#include <QStringList>

namespace mt52 {

class AnnouncedInstruments {
public:
    static constexpr int Capacity = 100;

    // The key of an instrument: the serial number padded or cut to 12 characters, the
    // station ID to 10 and the user ID to 10, 32 characters in all.
    static QString MakeInstrumentKey(const QString& SerialNo, const QString& StationID, const QString& UserID);

    // Whether the key is held, compared with the blanks at both ends trimmed.
    bool IsKeyNotified(const QString& key) const;
    // Keeps the key; once 100 keys are held, further keys are not kept.
    void AddNotifiedKey(const QString& key);
    void Clear() { keys_.clear(); }
    int Count() const { return static_cast<int>(keys_.size()); }

private:
    QStringList keys_;
};

}  // namespace mt52
