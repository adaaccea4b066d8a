#pragma once
// A stand-in for the message boxes and file dialogs: records what was shown and answers from
// a script. Installed for the lifetime of the object.
#include "platform/UserDialogs.h"

#include <deque>
#include <vector>

namespace mt52::test {

class FakeDialogs final : public UserDialogs {
public:
    struct Shown {
        QString text;
        int style;
        QString title;
    };

    FakeDialogs() { SetDialogs(this); }
    ~FakeDialogs() override { SetDialogs(nullptr); }
    FakeDialogs(const FakeDialogs&) = delete;
    FakeDialogs& operator=(const FakeDialogs&) = delete;

    // Answers given to the next message boxes, in order; the default answer when none is queued.
    std::deque<int> answers;
    // Files given to the next file dialogs; nullopt answers "cancelled".
    std::deque<std::optional<QString>> files;
    std::deque<std::optional<FontSpec>> fonts;
    std::deque<std::optional<long>> colors;
    // File types (1-based) chosen in the next save dialogs; the proposed one when none is queued.
    std::deque<int> filterIndexes;

    std::vector<Shown> shown;
    std::vector<FileDialogRequest> fileRequests;

    int MsgBox(const QString& text, int style, const QString& title) override {
        shown.push_back({text, style, title});
        if (answers.empty())
            return DefaultAnswer(style);
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> OpenFileName(const FileDialogRequest& r) override { return nextFile(r); }
    std::optional<QString> SaveFileName(const FileDialogRequest& r) override { return nextFile(r); }
    std::optional<SaveFileChoice> SaveFile(const FileDialogRequest& r) override {
        const std::optional<QString> path = nextFile(r);
        int index = r.filterIndex;
        if (!filterIndexes.empty()) {
            index = filterIndexes.front();
            filterIndexes.pop_front();
        }
        if (!path)
            return std::nullopt;
        return SaveFileChoice{*path, index};
    }
    std::optional<FontSpec> ChooseFont(const FontSpec&) override { return pop(fonts); }
    std::optional<long> ChooseColor(long) override { return pop(colors); }

    QString lastText() const { return shown.empty() ? QString() : shown.back().text; }

private:
    std::optional<QString> nextFile(const FileDialogRequest& r) {
        fileRequests.push_back(r);
        return pop(files);
    }
    template <typename T>
    static std::optional<T> pop(std::deque<std::optional<T>>& q) {
        std::optional<T> v;
        if (!q.empty()) {
            v.swap(q.front());
            q.pop_front();
        }
        return v;
    }
};

}  // namespace mt52::test
