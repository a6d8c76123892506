#pragma once
// Every music test starts from a fresh module state and a fresh fake device.
#include <gtest/gtest.h>

#include "fake_media_device.h"
#include "saver/music/quorvale_bgm.h"

namespace qv::test {

class MusicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LastApiResult = 0;
        MciReplyText.clear();
        CdKeepPolling = false;
        BgmKind = 0;
        BgmRepeat = 0;
        BgmFile.clear();
        BgmFolder.clear();
    }
    FakeMediaDevice device;
};

}  // namespace qv::test
