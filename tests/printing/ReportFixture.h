#pragma once
// Printers and a printer choice for driving the report job without widgets: the printers hand
// out recording targets and keep what was drawn once the job drops them.
#include "printing/RecordingPrintTarget.h"
#include "printing/ReportJob.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace mt52::test {

// What a recording target held when the job dropped it.
struct PrintedDocument {
    std::vector<PrintedText> texts;
    std::vector<PrintedLine> lines;
    int pages = 0;
    bool ended = false;
    int orientation = 0;
    bool graphDrawn = false;

    QStringList TextsOn(int page) const {
        QStringList out;
        for (const PrintedText& t : texts)
            if (t.page == page)
                out << t.text;
        return out;
    }
};

class FakePrinters final : public PrinterList {
public:
    explicit FakePrinters(QStringList names = {QStringLiteral("Office"), QStringLiteral("Lab")}, int current = 0)
        : names(std::move(names)), current(current) {}

    int Count() const override { return static_cast<int>(names.size()); }
    QString DeviceName(int index) const override { return names.at(index); }
    QString CurrentDeviceName() const override { return current >= 0 ? names.value(current) : QString(); }
    void MakeCurrent(int index) override {
        current = index;
        made.push_back(index);
    }
    std::unique_ptr<PrintTarget> BeginDocument(int orientation) override {
        if (withdraw)
            return nullptr;
        const int granted = refuseLandscape ? PrintTarget::Portrait : orientation;
        auto target = std::make_unique<RecordingPrintTarget>(PrintTarget::Kind::Printer, scaleWidth, scaleHeight, granted);
        target->closed = [this](const RecordingPrintTarget& t) {
            documents.push_back(
                {t.texts, t.lines, t.pages, t.endDocs > 0, t.PageOrientation(), t.GraphDrawn() != nullptr});
        };
        return target;
    }

    QStringList names;
    int current = 0;
    std::vector<int> made;
    bool withdraw = false;
    bool refuseLandscape = false;
    double scaleWidth = 11340;
    double scaleHeight = 16272;
    std::vector<PrintedDocument> documents;
};

class FakeChooser final : public PrinterChooser {
public:
    explicit FakeChooser(Integer answer = 0) : answer(answer) {}
    Integer ChoosePrinter(PrinterList&) override {
        ++shown;
        if (onChoose)
            onChoose();
        return answer;
    }
    Integer answer;
    std::function<void()> onChoose;
    int shown = 0;
};

}  // namespace mt52::test
