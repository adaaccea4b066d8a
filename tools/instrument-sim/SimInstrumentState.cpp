#include "SimInstrumentState.h"

namespace mt52::sim {
namespace {

QByteArray Field(const QByteArray& text, int width) { return text.left(width).leftJustified(width, ' '); }

}  // namespace

SimInstrumentState::SimInstrumentState() {
    registers.insert("IN", "SIM0000001");
    registers.insert("XZ", "USER01");
    registers.insert("XS", "STATION01");
    registers.insert("VP", "120034");
    registers.insert("HN", "DUMMY0001");
    registers.insert("RB", "44FA0000");  // 2000.0
    registers.insert("BP", "0064");
    registers.insert("RL", "01F4");
    registers.insert("WS", "0010,00FF");
    registers.insert("CS", "0020");
    registers.insert("KW", "0000");
    registers.insert("MT", "12");
    registers.insert("EJ", "3");
    registers.insert("S8", "12.5,3,0.25,150");
    registers.insert("XT", "001E");
    registers.insert("HA", "0001,0002,0003,0004,0005,0006,0007,0008,42C80000");
    registers.insert("VS", "1A2B3C4D");
    registers.insert("BS", "SPEC01");
    registers.insert("LS", QByteArray(30, '0'));
    for (int row = 0; row < 30; ++row)
        gasLibrary.append(QByteArray::number(row).rightJustified(4, '0') + ',' + QByteArray::number(row + 1) + ",GAS" +
                          QByteArray::number(row).rightJustified(2, '0') + ",100.0,0.5,ppm");
    resizeMemory(FirstSnapshotBlock + 1);
}

void SimInstrumentState::resizeMemory(int blocks) {
    memory_.resize(static_cast<qsizetype>(blocks) * BlockSize, char(0xFF));
}

QByteArray SimInstrumentState::block(int n) const {
    if (n < 1 || n > blockCount())
        return {};
    return memory_.mid(static_cast<qsizetype>(n - 1) * BlockSize, BlockSize);
}

void SimInstrumentState::putSnapshot(int slot, const SimSnapshot& s) {
    const qsizetype offset = static_cast<qsizetype>(FirstSnapshotBlock - 1) * BlockSize +
                             static_cast<qsizetype>(slot) * RecordSize;
    if (memory_.size() < offset + RecordSize)
        resizeMemory(static_cast<int>((offset + RecordSize + BlockSize - 1) / BlockSize));
    QByteArray record(RecordSize, char(0xFF));
    record[0] = char(0xEE);
    record[1] = char(0xEE);
    record[2] = char(s.logNo >> 8);
    record[3] = char(s.logNo & 0xFF);
    record.replace(5, 10, Field(s.gasName, 10));
    record.replace(15, 5, Field(s.fullScale, 5));
    record.replace(20, 5, Field(s.digit, 5));
    record.replace(25, 5, Field(s.unit, 5));
    const QDate d = s.when.date();
    const QTime t = s.when.time();
    const int parts[6] = {d.year() % 100, d.month(), d.day(), t.hour(), t.minute(), t.second()};
    for (int i = 0; i < 6; ++i)
        record[31 + i] = char(parts[i]);
    record.replace(39, 5, Field(s.gasValue, 5));
    memory_.replace(offset, RecordSize, record);
}

void SimInstrumentState::clearMemory() { memory_.fill(char(0xFF)); }

}  // namespace mt52::sim
