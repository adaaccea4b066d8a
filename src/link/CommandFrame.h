#pragma once
// The wire envelope of every frame in both directions:
//   STX "0001" <command text> ETX <checksum: two upper-case hex digits> <EOT or ETB>
// Frames are byte strings: the instrument's characters are single bytes, and the link
// never decodes them except for showing or storing text.
#include <QByteArray>

namespace mt52 {

namespace ctl {
inline constexpr char STX = 0x02;
inline constexpr char ETX = 0x03;
inline constexpr char EOT = 0x04;
inline constexpr char ENQ = 0x05;
inline constexpr char ACK = 0x06;
inline constexpr char LF = 0x0A;
inline constexpr char CR = 0x0D;
inline constexpr char NAK = 0x15;
inline constexpr char ETB = 0x17;
inline constexpr char SUB = 0x1A;
inline constexpr char ESC = 0x1B;
}  // namespace ctl

class CommandFrame {
public:
    // The two hex digits of the checksum of `body` (STX .. ETX inclusive): the two's
    // complement of the byte sum, modulo 256.
    static QByteArray Checksum(const QByteArray& body);

    // The complete frame of a command text with the given terminator (EOT or ETB).
    static QByteArray BuildFrame(const QByteArray& command, char terminator);

    // The frame that accepts (ACK) or rejects (NAK) one ETB-terminated block: the five
    // characters of `lastFrame` from its sixth on (seven when `sevenWhenIH` and the last
    // frame holds "IH"), then the ACK or NAK byte, terminated with ETB.
    static QByteArray BlockReply(const QByteArray& lastFrame, char ackOrNak, bool sevenWhenIH = true);

    // Whether a failed reply to `lastFrame` must not be answered by sending it again.
    static bool IsNoResendCommand(const QByteArray& lastFrame);

    // Whether `frame` has a complete envelope (STX somewhere, ETX before the two checksum
    // characters and the terminator) whose checksum differs from the one computed. Frames
    // without a complete envelope are not judged here.
    static bool HasChecksumMismatch(const QByteArray& frame);

    // The smallest of the arguments that is not 0; 0 when all are 0.
    static int PickFrameEnd(int a, int b, int c);

    // The text without every byte below 32 or above 127.
    static QByteArray StripControlChars(const QByteArray& text);
};

}  // namespace mt52
