// The player library as the program loads it.
#include <gtest/gtest.h>

#include "platform/SharedPlayerLibrary.h"

namespace kelvora {
namespace {

TEST(PlayerLibrary, LoadsBesideTheProgramAndAnswersStartUpCalls) {
    SharedPlayerLibrary lib(KELVORA_PLAYER_FILE);
    EXPECT_NO_THROW(lib.vbmp3_init());
    EXPECT_GE(lib.vbmp3_getVersion(), 161);
    std::int32_t sec = -1, a = -1, b = -1;
    EXPECT_EQ(0, lib.vbmp3_getState(&sec));
    EXPECT_EQ(0, sec);
    EXPECT_NE(1, lib.vbmp3_getEncodeState(&a, &b));
    PlayerInfo info{};
    EXPECT_EQ(0, lib.vbmp3_open("no-such-file.mp3", &info));
    lib.vbmp3_stop();
    lib.vbmp3_close();
    lib.vbmp3_stopCallback();
    lib.vbmp3_free();
}

TEST(PlayerLibrary, AMissingFileMakesEveryCallFail) {
    SharedPlayerLibrary lib("/nonexistent/libvbmp3.so");
    EXPECT_THROW(lib.vbmp3_init(), PlayerUnavailable);
    EXPECT_THROW(lib.vbmp3_getVersion(), PlayerUnavailable);
    EXPECT_FALSE(lib.error().empty());
}

TEST(PlayerLibrary, ALibraryWithoutTheEntryPointsIsUnavailable) {
    SharedPlayerLibrary lib("libm.so.6");
    EXPECT_THROW(lib.vbmp3_init(), PlayerUnavailable);
    EXPECT_EQ("missing entry point vbmp3_free", lib.error());
}

}  // namespace
}  // namespace kelvora
