// The voice navigation window as the operator uses it: it opens on the stored mode and says
// so, a click speaks the option, Done stores the choice in the profile file and hides it.

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

#include "keying/ui/BlindFrm.h"
#include "platform/qt/Text.h"
#include "station/Profile.h"
#include "support/TestSession.h"

namespace {

std::vector<std::string> Heard(TestSession& ts) {
    std::vector<std::string> out;
    for (const auto& p : ts.fakes.wave.played) out.push_back(std::filesystem::path(p).stem().string());
    return out;
}

TEST(BlindFrm, OpensOnTheStoredModeSpeaksClicksAndStoresOnDone) {
    TestSession ts;
    for (const char* f : {"Call", "NavEn", "NavDis"}) ts.writeProgramFile(std::string(f) + ".wav", "RIFF");
    ts->profile.VoiceNavMode = 2;
    BlindFrm w(*ts);
    w.Form_Load();
    w.show();
    EXPECT_TRUE(w.Option3->isChecked());
    // The whole folder is in the tool tip; the label shows it too, shortened only where it would
    // not fit (the test's own folder may be just too long at this screen size).
    const std::string intro = "Put the audio wave files in this program's working directory: ";
    EXPECT_EQ(platform::qt::fromQ(w.Label7->toolTip()), intro + ts->folders.ProgramFolder);
    EXPECT_EQ(platform::qt::fromQ(w.Label7->text()).rfind(intro + "/", 0), 0u);
    EXPECT_EQ(Heard(ts), std::vector<std::string>{"NavEn"});

    QTest::mouseClick(w.Option1, Qt::LeftButton);
    EXPECT_EQ(Heard(ts), (std::vector<std::string>{"NavEn", "NavDis"}));
    QTest::mouseClick(w.Option2, Qt::LeftButton);
    ts.fakes.wave.finish();
    EXPECT_EQ(Heard(ts), (std::vector<std::string>{"NavEn", "NavDis", "NavEn", "Call"}));
    // Choosing is not storing.
    EXPECT_EQ(ts->profile.VoiceNavMode, 2);

    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(ts->profile.VoiceNavMode, 1);
    TestSession again;
    again.writeProgramFile("QSOpref.txt", ts.readProgramFile("QSOpref.txt"));
    ASSERT_TRUE(station::ReadPreferences(*again));
    EXPECT_EQ(again->profile.VoiceNavMode, 1);

    // Esc is no way out: Done is.
    w.show();
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
}

// A deep program folder does not run onto the text below: the label keeps one line, shortens the
// folder in its middle (its start and its own name stay readable) and holds the whole path in
// its tool tip.
TEST(BlindFrm, ALongProgramFolderKeepsToOneLine) {
    TestSession ts;
    const std::string intro = "Put the audio wave files in this program's working directory: ";
    const std::string deep = "/home/operator/" + std::string(160, 'x') + "/palmetar-fqp";
    ts->folders.ProgramFolder = deep;
    BlindFrm w(*ts);
    w.Form_Load();
    w.show();
    const QString shown = w.Label7->text();
    EXPECT_FALSE(w.Label7->wordWrap());
    EXPECT_LE(QFontMetrics(w.Label7->font()).horizontalAdvance(shown), w.Label7->width());
    EXPECT_TRUE(shown.startsWith(platform::qt::toQ(intro + "/home/")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("palmetar-fqp")));
    EXPECT_EQ(platform::qt::fromQ(w.Label7->toolTip()), intro + deep);
}

}  // namespace
