// Status codes drawn on the graph as substitute values with labels.
#include "common/ResText.h"
#include "graph/ZelGraph.h"
#include "views/RecordModels.h"
#include "views/StatusCodePlot.h"

#include <gtest/gtest.h>

namespace mt52 {
namespace {

TEST(StatusCodePlot, EachCodeGetsItsValueAndLabel) {
    SetInterfaceLanguage(Language::English);
    clsAlarm record;
    test::Describe(record, 1, {.name = "O2", .full = 25, .point = 1, .warning = 19.54f, .alarm = 18});
    record.GasListInfo(1, GasInfoField::Stel, Single(22.0));
    record.GasListInfo(1, GasInfoField::Twa, Single(21.0));
    struct Case {
        Single code;
        Single value;
        QString label;
    };
    const Case cases[] = {
        {-107, 25, "Over"}, {-103, 19.5f, "Warn"}, {-104, 18, "Alrm"}, {-105, 22, "Stel"},
        {-106, 21, "TWA"},  {-102, 7.5f, "Norm"},  {-101, -0.01f, ""}, {-118, -0.01f, ""},
    };
    for (const Case& c : cases) {
        ZelGraph graph;
        graph.AddSample("a", 0, "0.0");
        graph.AddSample("b", 0, "0.0");
        graph.SampleCount(3);
        graph.valueY(1, 0, 7.5f);
        ASSERT_TRUE(PlotStatusCode(graph, record, 1, 1, c.code)) << c.code;
        EXPECT_FLOAT_EQ(graph.valueY(1, 1), c.value) << c.code;
        EXPECT_EQ(graph.EventFlag(1000, 1), c.label) << c.code;
    }
    ZelGraph graph;
    EXPECT_FALSE(PlotStatusCode(graph, record, 1, 0, 12.5f));
    ResetInterfaceLanguage();
}

}  // namespace
}  // namespace mt52
