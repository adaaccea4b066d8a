#include "link/RomDump.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "platform/Clock.h"

namespace mt52 {
namespace {

constexpr int TextDumpStarted = 5569;

// The index of the first character that is no hexadecimal digit, or -1.
qsizetype FirstNonHexDigit(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f')))
            return i;
    }
    return -1;
}

// What is wrong with a block's data, or the empty text when it is a whole block of digits.
QString BlockDataFault(const QString& hexBytes, int expectedDigits) {
    const qsizetype bad = FirstNonHexDigit(hexBytes);
    if (bad >= 0) {
        const QChar c = hexBytes[bad];
        const QString shown = c.unicode() >= 32 && c.unicode() < 127
                                  ? QStringLiteral("\"%1\"").arg(c)
                                  : QStringLiteral("code %1h").arg(QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0'));
        return QStringLiteral("character %1 at position %2 is no hexadecimal digit").arg(shown).arg(bad + 1);
    }
    if (hexBytes.size() != expectedDigits)
        return QStringLiteral("%1 hexadecimal digits where %2 are expected").arg(hexBytes.size()).arg(expectedDigits);
    return QString();
}

QString BlockName(int blockNo) { return QStringLiteral("%1").arg(blockNo, 4, 10, QLatin1Char('0')); }

// Takes the dump's blocks for the life of one download.
class SinkScope {
public:
    SinkScope(LinkCore& link, DumpBlockSink* sink) : link_(link) { link_.SetDumpSink(sink); }
    ~SinkScope() { link_.SetDumpSink(nullptr); }
    SinkScope(const SinkScope&) = delete;
    SinkScope& operator=(const SinkScope&) = delete;

private:
    LinkCore& link_;
};

}  // namespace

RomDump::RomDump(LinkCore& link)
    : link_(link), listing_([&link](const QString& text) { link.Events().DumpMessage(text); }) {}

bool RomDump::GetRomDump2(const QString& fileName) {
    storeFailure_.clear();
    const Date start = Now();
    Log(GetResText(TextDumpStarted, {GeneralDate(start)}));
    LinkOperation op(link_);
    if (!op.Accepted())
        return false;
    listing_.Open(fileName, start);

    clsInstrument* instrument = link_.Instrument();
    storeSnapshots_ = link_.ReadTracker().IdentityRead(instrument);
    if (!storeSnapshots_)
        Log(QStringLiteral("<<< Snapshot records are not stored: the instrument was not read since it connected >>>"));
    lastBlock_ = 0;
    opResult_ = true;

    bool done = false;
    if (storeSnapshots_)
        snapshots_.Begin(State().DatabasePath);
    try {
        SinkScope scope(link_, this);
        done = op.Exchange("EF,R,", StatusBlockRead);
    } catch (...) {
        snapshots_.End();
        listing_.Close(start, Now());
        throw;
    }
    ReportSnapshotFailures(snapshots_.End());
    listing_.Close(start, Now());
    if (listing_.WriteFailed()) {
        Log(QStringLiteral("<<< Dump list file could not be written whole: %1 >>>").arg(fileName));
        opResult_ = false;
    }
    if (done && opResult_)
        return true;
    if (!done)
        Log(QStringLiteral("<<< Dump list download failed after block %1 (status %2) >>>")
                .arg(BlockName(lastBlock_))
                .arg(link_.Status()));
    link_.SetStatus(StatusFree);
    return false;
}

bool RomDump::DumpBlock(const QString& blockNo, const QString& hexBytes) {
    bool numberOk = false;
    const int n = blockNo.trimmed().toInt(&numberOk, 10);
    if (!numberOk || n < 1) {
        Log(QStringLiteral("<<< Dump block number %1 is not valid: block rejected >>>").arg(blockNo));
        return false;
    }
    if (const QString fault = BlockDataFault(hexBytes, BlockDigits); !fault.isEmpty()) {
        Log(QStringLiteral("<<< Dump block %1 damaged (%2): block rejected >>>").arg(BlockName(n), fault));
        return false;
    }
    if (lastBlock_ != 0 && n == lastBlock_) {
        Log(QStringLiteral("<<< Dump block %1 received again: not used again >>>").arg(BlockName(n)));
        return true;
    }
    if (lastBlock_ != 0 && n != lastBlock_ + 1) {
        Log(QStringLiteral("<<< Dump block %1 out of order (block %2 expected): block rejected >>>")
                .arg(BlockName(n), BlockName(lastBlock_ + 1)));
        return false;
    }

    const QByteArray digits = hexBytes.toLatin1().toUpper();
    const Long base = static_cast<Long>(n - 1) * BlockBytes;
    for (int k = 0; k < BlockDigits / DumpListing::DigitsPerLine; ++k)
        listing_.AddLine(base + k * DumpListing::BytesPerLine,
                         digits.mid(k * DumpListing::DigitsPerLine, DumpListing::DigitsPerLine));
    lastBlock_ = n;

    if (storeSnapshots_ && n >= DumpSnapshots::FirstSnapshotBlock)
        ReportSnapshotFailures(snapshots_.StoreBlock(n, digits, *link_.Instrument()));
    return true;
}

void RomDump::ReportSnapshotFailures(const QStringList& failures) {
    for (const QString& failure : failures)
        Log(QStringLiteral("<<< Snapshot record not stored: %1 >>>").arg(failure));
    if (!failures.isEmpty()) {
        opResult_ = false;
        if (storeFailure_.isEmpty())
            storeFailure_ = failures.first();
    }
}

}  // namespace mt52
