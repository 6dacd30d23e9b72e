#pragma once
// The help page: shows ReadSQSO.txt of the program folder, read afresh at each opening.
// "Close" is the only way out: Escape does not close the page.

#include "station/ui/DoneDialog.h"

class QPlainTextEdit;
class QPushButton;
namespace station {
class Station;
}

class Form5 : public station::ui::DoneDialog {
    Q_OBJECT
public:
    explicit Form5(station::Station& station, QWidget* parent = nullptr);
    void Form_Load();
    void Command1_Click();
    // Creates the page, shows it modally and unloads it when it closes.
    static void showHelp(station::Station& station, QWidget* parent);

    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;

private:
    station::Station& station_;
};
