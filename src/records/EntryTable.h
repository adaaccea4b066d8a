#pragma once
// The entry table of an event or power log: 1025 entries, of which the accessors reach 0 to
// 1023. Entry 1024 exists for the decoders that fill one entry past the last. Outside the
// reachable range a read gives the caller's fallback and a write does nothing.
#include "platform/RuntimeError.h"
#include "platform/Types.h"

#include <array>
#include <cstddef>

namespace mt52 {

template <typename Entry>
class EntryTable {
public:
    static constexpr int Size = 1025;
    static constexpr int Reachable = 1024;

    static bool IsReachable(Integer index) { return index >= 0 && index < Reachable; }

    template <typename T>
    T Get(Integer index, T Entry::*field, T outside) const {
        return IsReachable(index) ? entries_[static_cast<std::size_t>(index)].*field : outside;
    }

    template <typename T>
    void Set(Integer index, T Entry::*field, const T& value) {
        if (IsReachable(index))
            entries_[static_cast<std::size_t>(index)].*field = value;
    }

    // The decoders' write, which reaches entry 1024 too; any other index raises 9.
    template <typename T>
    void Fill(Long index, T Entry::*field, const T& value) {
        if (index < 0 || index >= Size)
            Raise(ErrSubscript, QStringLiteral("entry %1 of %2").arg(index).arg(Size));
        entries_[static_cast<std::size_t>(index)].*field = value;
    }
    template <typename T>
    T Read(Long index, T Entry::*field) const {
        if (index < 0 || index >= Size)
            Raise(ErrSubscript, QStringLiteral("entry %1 of %2").arg(index).arg(Size));
        return entries_[static_cast<std::size_t>(index)].*field;
    }

    // Every reachable entry, for clearing.
    template <typename F>
    void ForEachReachable(F&& f) {
        for (int i = 0; i < Reachable; ++i)
            f(entries_[static_cast<std::size_t>(i)]);
    }

private:
    std::array<Entry, Size> entries_{};
};

}  // namespace mt52
