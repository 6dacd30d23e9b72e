#pragma once
// "County Change": sets the station's current county (the county sent with every contact);
// a rover opens the county-line list from here.

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class Session;
class frmCountyChangeRover;
namespace station::ui {
class KeyField;
}

class frmCountyChange : public QDialog {
    Q_OBJECT
public:
    // rover: shows the rover's county-line dialog modally and returns it (the one loaded for
    // the run), or nullptr when there is none.
    frmCountyChange(Session& session, std::function<frmCountyChangeRover*()> rover, QWidget* parent = nullptr);

    QLabel* Label1;
    station::ui::KeyField* Text1;
    QLabel* Label2;
    QPushButton* Command1;
    QPushButton* cmdMultipleCounties;

    void Form_Load();
    bool Text1_LostFocus();
    void Command1_Click();
    void cmdMultipleCounties_Click();

private:
    Session& session_;
    std::function<frmCountyChangeRover*()> rover_;
};
