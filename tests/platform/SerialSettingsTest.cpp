#include <gtest/gtest.h>

#include "platform/SerialLine.h"
#include "support/Fakes.h"

using platform::Parity;
using platform::SerialSettings;

TEST(SerialSettings, ReadsTheSettingsTextsTheSettingsFilesHold) {
    struct Case {
        const char* text;
        std::optional<SerialSettings> expected;
    } cases[] = {
        {"4800,N,8,2", SerialSettings{4800, Parity::None, 8, 2}},
        {"9600,n,8,1", SerialSettings{9600, Parity::None, 8, 1}},
        {" 1200 , E , 7 , 1 ", SerialSettings{1200, Parity::Even, 7, 1}},
        {"38400,O,8,1", SerialSettings{38400, Parity::Odd, 8, 1}},
        {"300,M,5,2", SerialSettings{300, Parity::Mark, 5, 2}},
        {"4800,S,6,1", SerialSettings{4800, Parity::Space, 6, 1}},
        // refused: each would open a port with settings nobody chose
        {"", std::nullopt},
        {"4800,N,8", std::nullopt},
        {"4800,N,8,2,1", std::nullopt},
        {"48OO,N,8,2", std::nullopt},
        {"0,N,8,2", std::nullopt},
        {"-9600,N,8,1", std::nullopt},
        {"4800,X,8,2", std::nullopt},
        {"4800,NN,8,2", std::nullopt},
        {"4800,N,9,2", std::nullopt},
        {"4800,N,4,2", std::nullopt},
        {"4800,N,8,3", std::nullopt},
        {"4800,N,8,1.5", std::nullopt},
        {"99999999999,N,8,1", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::parseSerialSettings(c.text), c.expected) << c.text;
        if (c.expected) {
            EXPECT_EQ(platform::parseSerialSettings(platform::formatSerialSettings(*c.expected)), c.expected);
        }
    }
    EXPECT_EQ(platform::formatSerialSettings({4800, Parity::None, 8, 2}), "4800,N,8,2");
}

TEST(SerialSettings, PortNumbersNameTheDeviceFromTheEnvironmentOrTheStandardPorts) {
    fakes::FakeEnvironment env;
    env.values["PALMETAR_COM3"] = "/dev/ttyUSB0";
    EXPECT_EQ(platform::comPortDevice(env, 1), "/dev/ttyS0");
    EXPECT_EQ(platform::comPortDevice(env, 3), "/dev/ttyUSB0");
    EXPECT_EQ(platform::comPortDevice(env, 10), "/dev/ttyS9");
    EXPECT_EQ(platform::comPortDevice(env, 0), "");
    EXPECT_EQ(platform::comPortDevice(env, 11), "");
}
