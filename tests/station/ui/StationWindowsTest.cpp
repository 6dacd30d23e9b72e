// The start-up and station setup windows driven as the operator drives them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QPointer>
#include <QTest>

#include <memory>

#include "platform/qt/Text.h"
#include "station/Profile.h"
#include "station/XmlPrefs.h"
#include "station/ui/Form5.h"
#include "station/ui/Form6.h"
#include "station/ui/FormResize.h"
#include "station/ui/frmSplash.h"
#include "station/ui/frmStationID.h"
#include "station/ui/frmTervakLogo.h"
#include "support/TestSession.h"
#include "window/ui/OpenLoggingWindow.h"

namespace fs = std::filesystem;
using platform::qt::fromQ;

namespace {
void copyTables(TestSession& t) {
    for (const char* name : {"arrlpre2.txt", "states.txt", "wave2.txt", "cw.txt"}) t.copyDataFile(name);
}

std::string text(QLineEdit* field) { return fromQ(field->text()); }

struct Opened {
    int count = 0;
    int outOfState = -1;
};

void prepareXml(TestSession& t) {
    station::OpenXmlPrefs(*t, (fs::path(t->folders.SharedFolder) / "SharedUserPreferences.xml").string());
}
}  // namespace

TEST(StationSetupWindow, FirstRunTypedByTheOperatorStoresProfileAndKeys) {
    TestSession t;
    copyTables(t);
    prepareXml(t);
    Opened opened;
    t->openLoggingWindow = [&] {
        ++opened.count;
        opened.outOfState = t->profile.OutOfState;
    };
    frmStationID w(*t);
    w.Form_Load();
    // No QSOpref.txt yet is no error on a first run: nothing is said and every table is loaded.
    EXPECT_TRUE(t.fakes.dialogs.messages.empty());
    EXPECT_GT(t->prefixes.PrefixCount(), 1000);
    EXPECT_EQ(t->stateCoords.rows.size(), 50u);
    EXPECT_FALSE(w.Option1->isChecked() || w.Option2->isChecked() || w.Option3->isChecked() || w.Option4->isChecked());
    w.show();
    QApplication::setActiveWindow(&w);

    w.Text[1]->setFocus();
    w.Text[1]->clear();
    QTest::keyClicks(w.Text[1], "n4abc");
    EXPECT_EQ(text(w.Text[1]), "N4ABC");
    QTest::keyClick(w.Text[1], Qt::Key_Tab);
    EXPECT_TRUE(w.Text[5]->hasFocus());
    QTest::keyClicks(w.Text[5], "fl");
    QTest::keyClick(w.Text[5], Qt::Key_Tab);
    EXPECT_TRUE(w.Text[8]->hasFocus());
    QTest::keyClicks(w.Text[8], "palm beach");
    EXPECT_EQ(text(w.Text[8]), "Palm Beach");
    // Typing over the whole selected text starts the county afresh, capital first.
    w.Text[8]->selectAll();
    QTest::keyClicks(w.Text[8], "palm beach");
    EXPECT_EQ(text(w.Text[8]), "Palm Beach");
    QTest::keyClick(w.Text[8], Qt::Key_Tab);
    w.Text[6]->selectAll();
    QTest::keyClicks(w.Text[6], "4x");  // the letter is dropped
    EXPECT_EQ(text(w.Text[6]), "4");
    QTest::keyClick(w.Text[6], Qt::Key_Tab);
    EXPECT_TRUE(w.Text[2]->hasFocus());
    // Country type-ahead: one letter completes from the last matching row and fills the position;
    // the next letter narrows it, and the name keeps the table's spelling.
    QTest::keyClicks(w.Text[2], "u");
    EXPECT_EQ(text(w.Text[2]), "UK Base Areas on Cyprus");
    EXPECT_EQ(text(w.Text[7]), "AS");
    QTest::keyClicks(w.Text[2], "s");
    EXPECT_EQ(text(w.Text[2]), "USA");
    EXPECT_EQ(fromQ(w.Text[2]->selectedText()), "A");
    EXPECT_EQ(text(w.Text[7]), "NA");
    EXPECT_EQ(text(w.Text[3]), "91.87");
    // A letter no country goes on with is typed over the selection; the other fields stay.
    QTest::keyClicks(w.Text[2], "x");
    EXPECT_EQ(text(w.Text[2]), "USx");
    EXPECT_EQ(text(w.Text[7]), "NA");
    QTest::keyClick(w.Text[2], Qt::Key_Backspace);
    QTest::keyClicks(w.Text[2], "a");
    EXPECT_EQ(text(w.Text[2]), "USA");
    QTest::keyClick(w.Text[2], Qt::Key_Return);  // Enter in the country field is not Done
    EXPECT_EQ(opened.count, 0);
    QTest::mouseClick(w.Option1, Qt::LeftButton);
    EXPECT_TRUE(w.Option3->isEnabled());
    w.Text[9]->setFocus();
    QTest::keyClicks(w.Text[9], "sfl");
    QTest::keyClick(w.Text[9], Qt::Key_Return);  // Enter is Done

    EXPECT_EQ(opened.count, 1);
    EXPECT_EQ(opened.outOfState, 0);
    EXPECT_FALSE(w.isVisible());
    station::StationProfile stored;
    ASSERT_TRUE(station::ReadPreferencesText(t.readProgramFile("QSOpref.txt"), stored));
    EXPECT_EQ(stored.StationCall, "N4ABC");
    EXPECT_EQ(stored.StationState, "FL");
    EXPECT_EQ(stored.CurrentCounty, "Palm Beach");
    EXPECT_EQ(stored.StationCountry, "USA");
    EXPECT_EQ(stored.ArrlSection, "SFL");
    EXPECT_FLOAT_EQ(stored.HoursOffset, 4);
    EXPECT_EQ(stored.HomeState, "FL");
    EXPECT_EQ(stored.OutOfState, 0);
    EXPECT_EQ(stored.RoverFlag, 0);
    const std::string xml = readFileBytes(fs::path(t->folders.SharedFolder) / "SharedUserPreferences.xml");
    EXPECT_NE(xml.find("<OWN_CALL>N4ABC</OWN_CALL>\r\n"), std::string::npos);
    EXPECT_NE(xml.find("<OWN_ARRL_SECTION>SFL</OWN_ARRL_SECTION>\r\n"), std::string::npos);
}

TEST(StationSetupWindow, MissingWaveFileKeepsTheProfileAndOtherSteps) {
    TestSession t;
    copyTables(t);
    fs::remove(t.programPath("wave2.txt"));
    prepareXml(t);
    station::StationProfile p;
    p.StationCall = "K1ABC";
    p.StationState = "MA";
    p.HoursOffset = 4;  // what the fake clocks give: no offset question
    p.StationLongitude = 71.5f;
    p.HomeState = "FL";
    p.OutOfState = 1;
    p.FormSizePercent = 100;
    p.RigType = "None";
    t.writeProgramFile("QSOpref.txt", station::PreferencesText(p));
    bool opened = false;
    t->openLoggingWindow = [&] { opened = t->profile.OutOfState == 1; };
    frmStationID w(*t);
    w.Form_Load();
    ASSERT_EQ(t.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.fakes.dialogs.messages[0].prompt, "Error opening file\r\nwave2.txt");
    EXPECT_TRUE(t.fakes.dialogs.inputs.empty());
    EXPECT_EQ(t->keyers.cw.settings().messages[8], "VVV DE ");  // the step after it still ran
    EXPECT_EQ(text(w.Text[1]), "K1ABC");
    EXPECT_EQ(text(w.Text[3]), "71.5");
    EXPECT_TRUE(w.Option2->isChecked());
    EXPECT_FALSE(w.Frame3->isEnabled());
    EXPECT_TRUE(w.optState[8]->isChecked());  // FL
    EXPECT_TRUE(w.optState[8]->font().bold());
    // Clicking DE only moves the bold marking; Done still stores FL.
    QTest::mouseClick(w.optState[7], Qt::LeftButton);
    EXPECT_TRUE(w.optState[7]->font().bold());
    EXPECT_FALSE(w.optState[8]->font().bold());
    w.Command1_Click();
    EXPECT_TRUE(opened);
    station::StationProfile stored;
    ASSERT_TRUE(station::ReadPreferencesText(t.readProgramFile("QSOpref.txt"), stored));
    EXPECT_EQ(stored.StationCall, "K1ABC");
    EXPECT_FLOAT_EQ(stored.StationLongitude, 71.5f);
    EXPECT_EQ(stored.HomeState, "FL");
}

TEST(StationSetupWindow, AProfileThatCannotBeReadIsReportedAndTheRestStillLoads) {
    TestSession t;
    copyTables(t);
    prepareXml(t);
    t.writeProgramFile("QSOpref.txt", "\"K1ABC\"\r\n\"MA\"\r\n");  // cut short
    frmStationID w(*t);
    w.Form_Load();
    ASSERT_EQ(t.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.fakes.dialogs.messages[0].prompt, "Error opening file\r\nQSOpref.txt");
    EXPECT_EQ(t.fakes.dialogs.messages[0].title, "Error opeining file");
    EXPECT_GT(t->prefixes.PrefixCount(), 1000);
    EXPECT_EQ(t->stateCoords.rows.size(), 50u);
    EXPECT_EQ(text(w.Text[1]), "K1ABC");  // what was read before the cut is kept
}

// Station setup on the shipped tables, shown and active, counting the logging windows it opens.
struct ActiveSetup {
    TestSession t;
    int opened = 0;
    std::unique_ptr<frmStationID> window;
    ActiveSetup() {
        copyTables(t);
        prepareXml(t);
        t->openLoggingWindow = [this] { ++opened; };
        window = std::make_unique<frmStationID>(*t);
        window->Form_Load();
        window->show();
        QApplication::setActiveWindow(window.get());
    }
};

TEST(StationSetupWindow, OffsetThatIsNotANumberIsRefused) {
    ActiveSetup setup;
    auto& t = setup.t;
    const int& opened = setup.opened;
    frmStationID& w = *setup.window;
    w.Text[1]->setText("N4ABC");
    w.Text[6]->setFocus();
    w.Text[6]->selectAll();
    QTest::keyClicks(w.Text[6], "5/");
    QTest::keyClick(w.Text[6], Qt::Key_Return);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(t.fakes.dialogs.messages.back().title, "Hours added for UTC");
    EXPECT_FALSE(fs::exists(t.programPath("QSOpref.txt")));
    EXPECT_TRUE(w.isVisible());
    QTest::keyClick(w.Text[1], Qt::Key_Escape);  // a stray Escape does not close setup
    EXPECT_TRUE(w.isVisible());
}

// Done without a call sign would open the logging window under "CALL", with no way back to
// setup in the run: it is refused, the focus goes to the call, and nothing is opened or stored.
TEST(StationSetupWindow, DoneWithoutACallSignIsRefused) {
    ActiveSetup setup;
    auto& t = setup.t;
    const int& opened = setup.opened;
    frmStationID& w = *setup.window;
    w.Text[1]->setText("  ");
    w.Text[9]->setFocus();
    QTest::keyClick(w.Text[9], Qt::Key_Return);  // Enter is Done
    EXPECT_EQ(opened, 0);
    ASSERT_FALSE(t.fakes.dialogs.messages.empty());
    EXPECT_EQ(t.fakes.dialogs.messages.back().prompt, "Please enter your call sign.");
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.Text[1]->hasFocus());
    EXPECT_FALSE(fs::exists(t.programPath("QSOpref.txt")));
    QTest::keyClicks(w.Text[1], "k1abc");  // the blanks were selected: typing replaces them
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(t->profile.StationCall, "K1ABC");
}

TEST(StartUp, LogoThenFoldersThenSetupWithVersion) {
    TestSession t;
    copyTables(t);
    const fs::path home = t.root / "home";
    fs::create_directories(home);
    t.fakes.environment.values["HOME"] = home.string();
    std::vector<std::string> order;
    frmSplash splash(*t);
    splash.showLogo = [&](frmTervakLogo& logo) {
        order.push_back("logo");
        EXPECT_FALSE(fs::exists(home / "Documents/Tervak Software/Florida"));  // only Shared so far
        EXPECT_TRUE(fs::is_directory(home / "Documents/Tervak Software/Shared"));
        logo.Image1_Click();
    };
    t->openLoggingWindow = [&] { order.push_back("logging window"); };
    splash.Form_Load();
    ASSERT_NE(splash.setupWindow, nullptr);
    EXPECT_TRUE(splash.setupWindow->isVisible());
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(t->ProgramVersion, "2.4");
    EXPECT_TRUE(fs::is_directory(home / "Documents/Tervak Software/Florida/BACKUP"));
    EXPECT_EQ(t->folders.SharedFolder, (home / "Documents/Tervak Software/Shared").string());
    EXPECT_EQ(t->xmlPrefs.XmlPrefsPath, (home / "Documents/Tervak Software/Shared/SharedUserPreferences.xml").string());
    EXPECT_GT(t->prefixes.PrefixCount(), 0);  // setup's load ran
    splash.setupWindow->Text[1]->setText("K1ABC");
    splash.setupWindow->Command1_Click();
    EXPECT_EQ(order, (std::vector<std::string>{"logo", "logging window"}));
}

TEST(StartUp, LogoTimings) {
    TestSession t;
    const fs::path home = t.root / "home";
    fs::create_directories(home);
    t.fakes.environment.values["HOME"] = home.string();
    {
        frmTervakLogo logo(*t);
        logo.Form_Load();
        EXPECT_EQ(logo.Timer1.interval(), 1900);
        EXPECT_EQ(logo.Timer2.interval(), 1100);
        EXPECT_TRUE(logo.Timer1.isActive() && logo.Timer2.isActive());
        EXPECT_TRUE(logo.Image2->isHidden());
        logo.Timer2_Timer();
        EXPECT_FALSE(logo.Image2->isHidden());
        logo.Timer1_Timer();
        EXPECT_EQ(logo.result(), QDialog::Accepted);
    }
    const fs::path splash = home / "Documents/Tervak Software/Shared/splash.jpg";
    writeFileBytes(splash, "not a picture");
    {
        frmTervakLogo logo(*t);  // unreadable picture: built-in logo and its timing
        logo.Form_Load();
        EXPECT_FALSE(logo.splashShown);
        EXPECT_EQ(logo.Timer1.interval(), 1900);
    }
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(splash.string()), "JPG"));
    {
        frmTervakLogo logo(*t);
        logo.Form_Load();
        EXPECT_TRUE(logo.splashShown);
        EXPECT_EQ(logo.Timer1.interval(), 2700);
        EXPECT_TRUE(logo.Timer1.isActive());
        EXPECT_FALSE(logo.Timer2.isActive());
    }
}

TEST(HelpPage, ReadsTheFileAtEachOpeningAndStaysOpenOnEscape) {
    TestSession t;
    {
        Form5 page(*t);
        page.Form_Load();
        EXPECT_EQ(page.Text1->toPlainText(), "");
        EXPECT_TRUE(t.fakes.dialogs.messages.empty());
    }
    t.writeProgramFile("ReadSQSO.txt", "First line\r\n\r\nThird");
    Form5 page(*t);
    page.Form_Load();
    EXPECT_EQ(page.Text1->toPlainText(), "First line\n\nThird");
    page.show();
    QTest::keyClick(&page, Qt::Key_Escape);
    EXPECT_TRUE(page.isVisible());
    t.writeProgramFile("ReadSQSO.txt", "Changed");
    Form5 again(*t);
    again.Form_Load();
    EXPECT_EQ(again.Text1->toPlainText(), "Changed");
    QTest::mouseClick(page.Command1, Qt::LeftButton);
    EXPECT_FALSE(page.isVisible());
}

TEST(ColourChooser, StartsFromTheCurrentColourAndCancelKeepsIt) {
    TestSession t;
    t->profile.RemainingColor = 0x0000FF;  // red
    t->profile.WorkedColor = 0x00FF00;
    Form6 chooser(*t);
    chooser.Form_Load();
    EXPECT_EQ(chooser.Label2->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    t.fakes.dialogs.colorAnswers = {std::nullopt, 0xFF0000};
    chooser.Command1_Click();  // cancelled
    EXPECT_EQ(t.fakes.dialogs.colorRequests.back(), 0x0000FF);
    EXPECT_EQ(t->profile.RemainingColor, 0x0000FF);
    chooser.Command3_Click();  // blue chosen
    EXPECT_EQ(t.fakes.dialogs.colorRequests.back(), 0x00FF00);
    EXPECT_EQ(t->profile.WorkedColor, 0xFF0000);
    EXPECT_EQ(chooser.Label1->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST(WindowScaling, ResizeFormScalesRealWidgets) {
    TestSession t;
    t.fakes.screen.screen = {0, 0, 9600 * 2, 7200 * 2};
    QWidget form;
    QFont f = form.font();
    f.setPointSizeF(8);
    form.setFont(f);
    station::ui::placeTwips(&form, 0, 0, 4800, 3600);
    auto* label = new QLabel("Label", &form);
    station::ui::placeTwips(label, 150, 300, 1500, 300);
    auto* combo = new QComboBox(&form);
    station::ui::placeTwips(combo, 150, 900, 1500, 315);
    const int comboHeight = combo->height();
    station::ui::ResizeForm(form, *t);
    const double k = station::ui::pixelsPerTwip(&form);
    EXPECT_NEAR(form.width(), 9600 * k, 1);
    EXPECT_NEAR(label->x(), 300 * k, 1);
    EXPECT_NEAR(label->width(), 3000 * k, 1);
    EXPECT_NEAR(label->height(), 600 * k, 1);
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 16);
    EXPECT_DOUBLE_EQ(form.font().pointSizeF(), 16);
    EXPECT_EQ(combo->height(), comboHeight);
    EXPECT_NEAR(combo->y(), 1800 * k, 1);
    EXPECT_NEAR(form.y(), ((14400 - 7200) / 2 - 170) * k, 1);
    EXPECT_TRUE(t.fakes.dialogs.messages.empty());
}

namespace {
// Every caption fits its control once the window is scaled to a 1024 x 768 screen. With
// PALMETAR_SHOTS set to a folder, the window is also saved there as a picture to look at.
void expectCaptionsFit(QWidget& window, const char* name) {
    for (auto* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window)) continue;
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap() && label->pixmap().isNull()) {
            EXPECT_LE(label->sizeHint().width(), label->width() + 1) << name << ": " << label->text().toStdString();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_LE(button->sizeHint().width(), button->width() + 1) << name << ": " << button->text().toStdString();
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            EXPECT_LE(box->fontMetrics().horizontalAdvance(box->title()) + 8, box->width())
                << name << ": " << box->title().toStdString();
        }
    }
    const QByteArray folder = qgetenv("PALMETAR_SHOTS");
    if (!folder.isEmpty()) window.grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
}
}  // namespace

TEST(WindowPictures, CaptionsFitOnACommonScreen) {
    TestSession t;
    copyTables(t);
    t.copyDataFile("ReadSQSO.txt");
    t->profile.WorkedColor = 0x00C000;
    t->profile.RemainingColor = 0x0000FF;
    frmStationID setup(*t);
    setup.Form_Load();
    setup.show();
    expectCaptionsFit(setup, "frmStationID");
    Form5 help(*t);
    help.Form_Load();
    help.show();
    expectCaptionsFit(help, "Form5");
    Form6 colors(*t);
    colors.Form_Load();
    colors.show();
    expectCaptionsFit(colors, "Form6");
}

// First run end to end: start-up, setup with nothing chosen, Done opens the real out-of-state
// logging window, and the profile and shared preferences are on disk.
TEST(StartUp, FirstRunReachesTheOutOfStateLoggingWindow) {
    TestSession t;
    copyTables(t);
    t.copyDataFile("county2.txt");
    const fs::path home = t.root / "home";
    fs::create_directories(home);
    t.fakes.environment.values["HOME"] = home.string();
    t->openLoggingWindow = [&] { window::OpenLoggingWindow(*t); };
    frmSplash splash(*t);
    splash.showLogo = [](frmTervakLogo& logo) { logo.Image1_Click(); };
    splash.Form_Load();
    ASSERT_NE(splash.setupWindow, nullptr);
    QPointer<frmStationID> setup = splash.setupWindow;
    // Setup is gone from the screen before the logging window asks about the existing log.
    std::vector<std::string> shownBehindQuestion;
    t.fakes.dialogs.onMessage = [&](const fakes::MessageCall& m) {
        if (m.title != "Open existing log?") return;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) shownBehindQuestion.push_back(w->metaObject()->className());
    };
    setup->Text[1]->setText("K1ABC");
    QTest::mouseClick(setup->Command1, Qt::LeftButton);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(setup.isNull());  // closed and gone
    ASSERT_EQ(t.fakes.dialogs.messages.back().title, "Open existing log?");
    EXPECT_EQ(shownBehindQuestion, std::vector<std::string>{});
    QWidget* logging = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && QString(w->metaObject()->className()).contains("Outfrm")) logging = w;
    }
    ASSERT_NE(logging, nullptr);
    EXPECT_EQ(t->profile.OutOfState, 1);
    EXPECT_EQ(t->profile.HomeState, "FL");
    EXPECT_EQ(t->counties.CountyCount(), 67);  // the window's load read county2.txt
    station::StationProfile stored;
    ASSERT_TRUE(station::ReadPreferencesText(t.readProgramFile("QSOpref.txt"), stored));
    EXPECT_EQ(stored.StationCall, "K1ABC");
    EXPECT_NE(readFileBytes(home / "Documents/Tervak Software/Shared/SharedUserPreferences.xml").find(
                  "<OWN_CALL>K1ABC</OWN_CALL>"),
              std::string::npos);
    logging->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
