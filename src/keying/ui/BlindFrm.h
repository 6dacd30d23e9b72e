#pragma once
// The voice navigation window: how much the logging window speaks (Off, Call Only, All Data
// Fields). Choosing an option speaks it; only Done stores it in the profile. The prompts
// themselves are the session's (keying::VoiceNavigation), so they play whether or not this
// window was ever opened.

#include "station/ui/DoneDialog.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class Session;

class BlindFrm : public station::ui::DoneDialog {
    Q_OBJECT
public:
    explicit BlindFrm(Session& session, QWidget* parent = nullptr);
    ~BlindFrm() override;
    void Form_Load();
    void Form_Unload();
    void Option1_Click();  // Off
    void Option2_Click();  // Call Only
    void Option3_Click();  // All Data Fields
    void Command1_Click(); // Done

    QLabel* Label7 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QPushButton* Command1 = nullptr;

private:
    int chosen() const;
    Session& session_;
    bool unloaded_ = false;
};
