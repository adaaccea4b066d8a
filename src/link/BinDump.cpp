#include "link/BinDump.h"

#include "common/FlashImage.h"
#include "common/ResText.h"
#include "link/CommandFrame.h"
#include "link/LinkCore.h"
#include "platform/Clock.h"

#include <QFileInfo>

namespace mt52 {
namespace {
constexpr int TextDumpStarted = 5569;
constexpr int TextDumpFinished = 5570;
}  // namespace

bool BinDump::GetBinDump(const QString& FilePath, Integer sb, Integer EB) {
    LinkOperation op(link_);
    if (!op.Accepted())
        return false;
    LinkEvents& events = link_.Events();
    events.DumpMessage(QStringLiteral("Initialize Local Image"));
    link_.BinBlockSize = BlockSize;
    if (!QFileInfo::exists(FilePath) || (sb == 0 && EB == 127))
        CreateBlankDump(FilePath, ImageSize);

    events.DumpMessage(QStringLiteral("Get FLASH Image"));
    link_.AddDatedLog(TextDumpStarted);
    link_.BinDumpPath = FilePath;
    link_.SetBinaryRetry(false);

    for (int i = sb; i <= EB; ++i) {  // int: an end block of 32767 must still end the loop
        link_.BinDumpBase = i * BlockSize;
        link_.BinReceived = 0;
        const QByteArray hhhh = QByteArray::number(i, 16).toUpper().rightJustified(4, '0');
        // The waiting state comes first, so a refused write (Status 7) is not overwritten.
        link_.SetStatus(StatusBinaryBlock);
        link_.DataSend(CommandFrame::BuildFrame("EP,R," + hhhh, ctl::EOT), true);
        link_.WaitWhile(StatusBinaryBlock, /*stopOnCancel*/ true);
        events.DumpMessage(QStringLiteral("Get FLASH Image ") + QString::fromLatin1(hhhh));
        link_.AddDatedLog(TextDumpFinished);
        if (link_.Status() != StatusDone || link_.Cancel())
            break;
    }
    if (link_.Status() == StatusDone && !link_.Cancel())
        return true;
    link_.AddLog(QStringLiteral("<<< Flash image download failed at block %1 >>>").arg(link_.BinDumpBase / BlockSize));
    link_.SetStatus(StatusFree);
    // A time-out stops the wait through Cancel; it must not discard what comes later.
    link_.SetCancel(false);
    return false;
}

}  // namespace mt52
