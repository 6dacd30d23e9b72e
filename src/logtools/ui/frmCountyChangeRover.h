#pragma once
// "County Change for Rovers": the rover's county line, kept in the session so the logging
// window logs each contact again for the counties below the top one. The dialog stays loaded
// for the run; closing it by its close box empties the line.

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class Session;
namespace station::ui {
class KeyField;
}

class frmCountyChangeRover : public QDialog {
    Q_OBJECT
public:
    explicit frmCountyChangeRover(Session& session, QWidget* parent = nullptr);

    QLabel* Label1;
    QListWidget* List1;
    QLabel* Label3;
    station::ui::KeyField* Text1;
    QLabel* Label2;
    QPushButton* Command1;

    void Form_Load();
    void Command1_Click();
    void List1_Click(int row);
    bool ValidateRoverCounty();
    void AddCountyToList();
    // True after "Done": the county change dialog then takes the top county.
    bool doneClicked() const { return done_; }

    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void showList();

    Session& session_;
    bool done_ = false;
    bool reload_ = false;
};
