#pragma once
// The data view on its real page (offscreen), with stored records of every kind: interval
// trends 1 (5 samples) and 2 (4), alarm trends 3 and 4 (recorded as an interval trend), a bar
// hole 5, a calibration history 6, a snapshot 7, alarm events 8, a bump test 9, trouble events
// 10, power events 11 and a sensor history 12.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/clsInstrument.h"
#include "main_window/gui/DataViewPage.h"
#include "main_window/pages/gui/DataViewPages.h"
#include "support/FakeDialogs.h"
#include "views/StoredRecords.h"
#include "views/gui/DataView.h"

#include <QWidget>
#include <memory>

namespace mt52::test {

class DataViewFixture : public TrendFixture {
protected:
    void SetUp() override {
        TrendFixture::SetUp();
        SetInterfaceLanguage(Language::English);
        window_.resize(900, 700);
        page_ = new DataViewPage(&window_);
        page_->SetUiTexts();
        page_->setGeometry(0, 0, 880, 680);
        instrument_.GasEnabled(0, true);
        instrument_.GasEnabled(1, true);

        const DataViewControls c = ControlsOf(*page_);
        DataViewServices s;
        s.CurrentLogType = [this] { return logType_; };
        s.CurrentSeqNo = [this] { return seqNo_; };
        s.CurrentInstrument = [this] { return &instrument_; };
        s.ShowDataViewPage = [this] { ++pageShown_; };
        s.ShowDataPage = [this] { ++dataPageShown_; };
        s.Layout = [] {};
        s.LastExportFile = &lastExportFile_;
        s.PrintReport = [this](const ReportRequest& request) {
            requests_.push_back(request);
            return printReport_ ? printReport_(request) : ReportOutcome::Printed;
        };
        view_ = std::make_unique<DataView>(c, s);

        AddIntervalTrend(1, "iv5", 5);
        AddIntervalTrend(2, "iv4", 4);
        AddAlarmTrend(3, "al1", 720);
        AddAlarmTrend(4, "iv*al", 180, 2);
        AddRecord(5, 9, "bh1");
        AddRecord(6, 3, "ch1");
        AddRecord(7, 11, "ss1");
        AddRecord(8, 5, "ae1");
        AddRecord(9, 10, "bt1");
        AddRecord(10, 6, "te1");
        AddRecord(11, 7, "pe1");
        AddRecord(12, 8, "sh1");
    }
    void TearDown() override {
        view_.reset();
        ResetInterfaceLanguage();
        TrendFixture::TearDown();
    }

    void Open(Long logType, Long seqNo) {
        logType_ = logType;
        seqNo_ = seqNo;
        view_->cmdDetail_Click();
    }

    QWidget window_;
    DataViewPage* page_ = nullptr;
    clsInstrument instrument_;
    std::unique_ptr<DataView> view_;
    FakeDialogs dialogs_;
    Long logType_ = 0;
    Long seqNo_ = 0;
    int pageShown_ = 0;
    int dataPageShown_ = 0;
    QString lastExportFile_;
    std::vector<ReportRequest> requests_;
    std::function<ReportOutcome(const ReportRequest&)> printReport_;
};

}  // namespace mt52::test
