#include "shell/ui/GuardedApplication.h"

#include "schema/EngineError.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

using namespace kestrune;
using kestrune::testing::ScriptedInteraction;

namespace {

TEST(GuardedApplicationTest, AnErrorEscapingAnEventIsReportedAndTheProgramGoesOn) {
    ScriptedInteraction ui;
    EXPECT_FALSE(shell::DeliverGuarded(
        []() -> bool { throw db::EngineError("database is locked", db::EngineFailure::Busy); },
        &ui));
    EXPECT_FALSE(
        shell::DeliverGuarded([]() -> bool { throw std::runtime_error("bad_alloc"); }, &ui));
    EXPECT_TRUE(shell::DeliverGuarded([] { return true; }, &ui));
    EXPECT_EQ(ui.messageTexts(),
              (QStringList{"运行中发生错误：数据库文件正被其他程序使用，请稍后再试。",
                           "运行中发生错误：bad_alloc"}));
}

} // namespace
