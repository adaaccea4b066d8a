#pragma once
// The dump listing "DumpEF.dat": the instrument's memory as a hexadecimal listing, 16 bytes a
// line, 16 lines a group, each group under a heading, the file framed by a header and the
// total download time. Lines are collected as the dump blocks arrive and written a group at
// a time, so no more than one group is held in memory. Lines end with CR LF.
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <array>
#include <functional>

namespace mt52 {

class DumpListing {
public:
    static constexpr int LinesPerGroup = 16;
    static constexpr int DigitsPerLine = 32;
    static constexpr int BytesPerLine = DigitsPerLine / 2;

    // Told after every group with "Get Dump <first address>-<last address>".
    using GroupMessage = std::function<void(const QString&)>;

    explicit DumpListing(GroupMessage onGroup = {});

    // Creates (replaces) the file and writes the four header lines. A file that cannot be
    // created raises the path/file access error.
    void Open(const QString& path, const Date& start);
    bool IsOpen() const { return file_.isOpen(); }

    // One line of 32 hexadecimal digits at its memory address; the group is written when it
    // is full.
    void AddLine(Long address, const QByteArray& digits);

    // Fills the group being collected with erased lines ("FF" bytes at the addresses that
    // follow), writes it, then the empty line and the total-time line, and closes the file.
    void Close(const Date& start, const Date& end);

    // A write to the file failed at some point (the listing is then incomplete).
    bool WriteFailed() const { return writeFailed_; }
    int PendingLines() const { return count_; }

    // The 16 bytes of 32 digits as the listing shows them: each as two upper-case digits and
    // a space, one more space after the eighth, two spaces, then the 16 characters (32 to
    // 126 as themselves, "." for the others).
    static QString HexDumpLine(const QByteArray& digits);
    // The address as six upper-case hexadecimal digits, a space and HexDumpLine.
    static QString DataLine(Long address, const QByteArray& digits);
    // The two heading lines of a group.
    static QString GroupHeading();
    static QString GroupRule();
    // "Get Dump 000000-0000FF".
    static QString GroupMessageText(Long firstAddress, Long lastLineAddress);
    // Elapsed whole seconds as "HH:NN:SS".
    static QString ElapsedText(long long seconds);

private:
    void WriteGroup();
    void WriteLine(const QString& line);

    GroupMessage onGroup_;
    QFile file_;
    std::array<QByteArray, LinesPerGroup> lines_{};
    std::array<Long, LinesPerGroup> addresses_{};
    int count_ = 0;
    bool writeFailed_ = false;
};

}  // namespace mt52
