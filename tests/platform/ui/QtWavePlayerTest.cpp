// The wave player behind the voice prompts: a missing file is refused at once, and every play
// that starts comes to a reported end (by itself, by a sound error, or at the latest after
// the longest play), so prompts held behind it are never held for good.

#include <QCoreApplication>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "platform/qt/QtWavePlayer.h"

namespace {

// A mono 16-bit PCM wave file of `ms` milliseconds of silence.
std::string WriteSilence(const std::string& name, int ms) {
    const uint32_t rate = 8000, samples = rate * static_cast<uint32_t>(ms) / 1000, data = samples * 2;
    std::string b;
    auto u32 = [&b](uint32_t v) { for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF); };
    auto u16 = [&b](uint16_t v) { for (int i = 0; i < 2; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF); };
    b += "RIFF";
    u32(36 + data);
    b += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    b += "data";
    u32(data);
    b.append(data, '\0');
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << b;
    return path.string();
}

TEST(QtWavePlayer, MissingFileOrNoSoundOutputIsRefusedAndAStartedPlayAlwaysEnds) {
    platform::qt::QtWavePlayer player(3000);
    int ends = 0;
    player.setFinishedHandler([&ends] { ++ends; });
    EXPECT_FALSE(player.play("/nonexistent/Call.wav"));
    EXPECT_FALSE(player.playing());

    const std::string wav = WriteSilence("palmetar-prompt-test.wav", 200);
    if (QMediaDevices::audioOutputs().isEmpty()) {
        // Nothing could be heard and no end would come: refused, so nothing waits for it.
        EXPECT_FALSE(player.play(wav));
        EXPECT_FALSE(player.playing());
        std::filesystem::remove(wav);
        return;
    }
    ASSERT_TRUE(player.play(wav));
    EXPECT_TRUE(player.playing());
    EXPECT_EQ(ends, 0);  // never reported from inside play()
    EXPECT_TRUE(QTest::qWaitFor([&] { return ends >= 1; }, 5000));
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(player.playing());

    // A stopped play reports no end, nor does one cut off by the next.
    ASSERT_TRUE(player.play(wav));
    player.stop();
    ASSERT_TRUE(player.play(wav));
    ASSERT_TRUE(player.play(wav));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ends >= 2; }, 5000));
    QTest::qWait(300);
    EXPECT_EQ(ends, 2);
    std::filesystem::remove(wav);
}

}  // namespace
