#pragma once
// The start-up window. It is never seen: its load shows the logo, prepares the user folders and
// the shared preferences, and hands over to the station setup dialog.

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
namespace station {
class Station;
}
class frmStationID;
class frmTervakLogo;

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(station::Station& station, QWidget* parent = nullptr);
    void Form_Load();
    void Command1_Click();

    QLabel* lblVersion1 = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblTitle1 = nullptr;
    QLabel* lblTitle2 = nullptr;
    QPushButton* Command1 = nullptr;

    // How the logo is shown; tests replace the modal wait.
    std::function<void(frmTervakLogo&)> showLogo;
    // The setup dialog Continue opened (deleted when it closes).
    frmStationID* setupWindow = nullptr;

private:
    station::Station& station_;
};
