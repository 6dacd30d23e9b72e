#pragma once
// The multiplier colour chooser: picks the worked and remaining colours of the state grid.
// The opener saves the profile and recounts the window when it closes.

#include <QDialog>
#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;
namespace station {
class Station;
}

class Form6 : public QDialog {
    Q_OBJECT
public:
    explicit Form6(station::Station& station, QWidget* parent = nullptr);
    void Form_Load();
    void Command1_Click();  // "Remaining" colour
    void Command3_Click();  // "Worked" colour
    void Command6_Click();  // Done
    // Creates the chooser, shows it modally and unloads it when it closes.
    static void chooseColors(station::Station& station, QWidget* parent);

    QPushButton* Command1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command3 = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QPushButton* Command6 = nullptr;

private:
    void pick(int32_t& color, QLabel* sample);
    station::Station& station_;
};

// A colour as the profile stores it (blue-green-red; a top-bit value names a system colour).
QColor colorFromBgr(int32_t bgr, const QWidget* widget = nullptr);
