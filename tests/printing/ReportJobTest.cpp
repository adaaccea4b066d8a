#include "ReportFixture.h"
#include "support/FakeDialogs.h"
#include "support/ProgramState.h"

#include "platform/Clock.h"
#include "printing/ReportJob.h"

#include <gtest/gtest.h>

namespace mt52::test {
namespace {

class ReportJobTest : public testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }

    FakeDialogs dialogs;
};

TEST_F(ReportJobTest, UnknownKindPrintsTheHeaderWithoutKindText) {
    FakePrinters printers;
    FakeChooser chooser(1);
    ReportJob job(printers, chooser);
    ReportRequest request;
    request.kind = 12;
    EXPECT_EQ(job.GoPrinter(request, ReportOptions{}), ReportOutcome::Printed);
    ASSERT_EQ(printers.documents.size(), 1u);
    const PrintedDocument& doc = printers.documents[0];
    EXPECT_TRUE(doc.ended);
    ASSERT_GE(doc.texts.size(), 3u);
    EXPECT_EQ(doc.texts[0].text, QStringLiteral("MT-52 Data Logger"));
    EXPECT_EQ(doc.texts[1].text, QString());
    // The printer chosen for the report was put back to the one current before.
    EXPECT_EQ(printers.current, 0);
}

}  // namespace
}  // namespace mt52::test
