#pragma once
// The WinKey window " WinKey Setup": the keyer's port and settings, Open and Close of the link,
// Stop, the two test buttons and a type-to-send box. It is a view over the session's WinKey
// keyer (session.winKey), which keeps the link and the settings whether or not the window is
// loaded; unloading the window closes the link. No close box: Done writes WK.txt and hides it.

#include "station/ui/DoneDialog.h"

class QLabel;
class QPushButton;
class QRadioButton;
class Session;
namespace station::ui {
class KeyField;
}

class frmWinKey : public station::ui::DoneDialog {
    Q_OBJECT
public:
    explicit frmWinKey(Session& session, QWidget* parent = nullptr);
    ~frmWinKey() override;

    void Form_Load();
    void Form_Unload();

    station::ui::KeyField *txtWKComPort = nullptr, *txtWKWPM = nullptr, *txtWeight = nullptr, *txtLeadIn = nullptr,
             *txtTail = nullptr, *txtRatio = nullptr, *Text1 = nullptr;
    QRadioButton* modeOptions[4] = {};  // Iambic B, Iambic A, Ultimatic, Bug Keyer
    QRadioButton* pinOptions[4] = {};   // P5 Off P3 Key Out, P5 Key Out P3 Off, PTT, Tone
    QLabel *lblOpenStatus = nullptr, *lblVersion = nullptr;
    QPushButton *cmdOpenWinkey = nullptr, *cmdCloseWinkey = nullptr, *cmdStop = nullptr, *Command3 = nullptr,
                *Command1 = nullptr, *cmdDone = nullptr;

public slots:
    void cmdOpenWinkey_Click();
    void cmdCloseWinkey_Click();
    void cmdDone_Click();

private:
    void showState();
    void selectOptions();
    Session& session_;
    bool unloaded_ = false;
    bool filling_ = false;  // options set from the settings: their handlers still run (load)
};
