#pragma once
// The binary image download ("EP,R"): the instrument's flash memory fetched in blocks of 64
// raw bytes, each written at its place in a local flash image file of 8192 bytes. The bytes
// of a block go straight into the file as they arrive (the link's binary receive state); a
// block that does not come in time ends the download.
#include "platform/Types.h"

#include <QString>

namespace mt52 {

class LinkCore;

class BinDump {
public:
    static constexpr Long BlockSize = 64;
    static constexpr Long ImageSize = 8192;  // blocks 0 to 127

    explicit BinDump(LinkCore& link) : link_(link) {}

    // Fetches blocks sb to EB into the image file. A missing file, or a full download (0 to
    // 127), starts from a fresh image of FFh bytes. True when every block arrived; otherwise
    // Status is 2 and the blocks received before stay in the file.
    bool GetBinDump(const QString& FilePath, Integer sb, Integer EB);

private:
    LinkCore& link_;
};

}  // namespace mt52
