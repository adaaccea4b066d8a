#include "platform/ColumnWidths.h"

#include <algorithm>
#include <numeric>

namespace mt52 {

std::vector<int> WidenedColumnWidths(const std::vector<int>& least, const std::vector<int>& needed, int available,
                                     OverflowWidening overflow) {
    std::vector<int> widths = least;
    const long long used = std::accumulate(least.begin(), least.end(), 0LL);
    const long long room = available - used;
    if (room < 0 && overflow == OverflowWidening::ToText) {
        for (std::size_t c = 0; c < widths.size() && c < needed.size(); ++c)
            if (least[c] > 0)
                widths[c] = std::max(least[c], needed[c]);
        return widths;
    }
    if (room <= 0)
        return widths;
    std::vector<long long> lacks(least.size(), 0);
    long long lacking = 0;
    for (std::size_t c = 0; c < least.size() && c < needed.size(); ++c) {
        lacks[c] = std::max(0, needed[c] - least[c]);
        lacking += lacks[c];
    }
    if (lacking == 0)
        return widths;
    for (std::size_t c = 0; c < widths.size(); ++c)
        widths[c] += static_cast<int>(lacking <= room ? lacks[c] : lacks[c] * room / lacking);
    return widths;
}

}  // namespace mt52
