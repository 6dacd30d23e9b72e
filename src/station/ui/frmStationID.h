#pragma once
// The station setup dialog: the operator's call, location and UTC offset, whether the station
// is in Florida and a rover. Done stores the profile and opens the logging window.

#include <QDialog>
#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace station {
class Station;
}

class frmStationID : public QDialog {
    Q_OBJECT
public:
    explicit frmStationID(station::Station& station, QWidget* parent = nullptr);

    // The load: profile, UTC offset check, tables, options, keyer settings, fields. Each step
    // runs on its own, so one missing file does not keep the others from loading.
    void Form_Load();
    void Command1_Click();

    // Key handlers, one per field; the key code may be changed or set to 0 (dropped).
    void TextKeyPress(int index, int16_t& keyAscii);
    void Text2_KeyPress(int16_t& keyAscii);
    void Text8_KeyPress(int16_t& keyAscii);
    void Text6_LostFocus();
    void Option1_Click();
    void Option2_Click();
    void optState_Click(int index);

    std::array<QLineEdit*, 13> Text{};   // Text[1]..Text[12]
    std::array<QLabel*, 13> Label{};     // the caption of each field
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    std::array<QRadioButton*, 50> optState{};
    QLabel* Label14 = nullptr;
    QLabel* lblMdParty = nullptr;
    QPushButton* Command1 = nullptr;

    static const char* const kStateCodes[50];

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape does not close setup: that would end the program before a log window opens.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int fieldIndex(QObject* watched) const;
    station::Station& station_;
};
