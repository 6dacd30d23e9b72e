#pragma once
// The voice keyer's window "Phone Wave Selections": the nine message files, the PTT port and
// line, the parallel port's address and the F1 repeat. It is a view over the session's voice
// keyer (session.phoneKeyer) and its settings (session.voiceKeyer, read from wave2.txt at
// start): what is typed is used at once, Done hides the window and rewrites wave2.txt. No close
// box: Done is the way out.

#include <array>

#include "station/ui/DoneDialog.h"

class QGroupBox;
class QPushButton;
class QRadioButton;
class Session;
namespace station::ui {
class KeyField;
}

class PhoneFrm : public station::ui::DoneDialog {
    Q_OBJECT
public:
    explicit PhoneFrm(Session& session, QWidget* parent = nullptr);
    ~PhoneFrm() override;

    void Form_Load();
    void Form_Unload();
    void FKeyPhone(int keyCode);
    void Browse(int key);  // 1..9: the Browse button beside Text<key>

    // Text[1..9] the F1-F9 files, Text[10] the PTT port, Text[11] the parallel port address.
    std::array<station::ui::KeyField*, 12> Text{};
    station::ui::KeyField* txtPHLoop = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr;
    std::array<QPushButton*, 10> Browses{};  // [1..9]
    QPushButton *Command11 = nullptr, *Command1 = nullptr;

public slots:
    void Command11_Click();  // Test
    void Command1_Click();   // Done

private:
    void showSettings();
    Session& session_;
    bool unloaded_ = false;
};
