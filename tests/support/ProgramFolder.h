#pragma once
// A test case with a program folder of its own: a temporary folder as the program's start
// folder, English texts, and the run-wide state reset before and after. Fixtures that need more
// derive from it and call its SetUp and TearDown first and last.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "support/ProgramState.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mt52::test {

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        SetInterfaceLanguage(Language::English);
        ASSERT_TRUE(dir.isValid());
        State().StartDir = dir.path();
    }
    void TearDown() override {
        ResetInterfaceLanguage();
        ResetProgramState();
    }

    QTemporaryDir dir;
};

}  // namespace mt52::test
