#pragma once
// The summary sheet: entry categories and the operator's address, and the button that writes
// the Cabrillo submission file.

#include <QDialog>

#include "logtools/CabrilloWriter.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class Session;

class DECabrilloIn : public QDialog {
    Q_OBJECT
public:
    explicit DECabrilloIn(Session& session, QWidget* parent = nullptr);

    QLineEdit *Text5, *Text6, *Text7, *Text8, *Text2, *Text1;
    QPlainTextEdit* Text11;
    QRadioButton *Option1, *Option3, *Option4;                                // power
    QRadioButton *Option6, *Option5, *Option8, *Option7, *Option2, *Option9;  // category
    QRadioButton *Option10, *Option11, *Option12;                             // mode
    QRadioButton *Option15, *Option14;                                        // assisted
    QCheckBox* Check1;
    QPushButton* Command4;
    QPushButton* Command3;

    void Form_Load();
    void Text1_KeyPress();
    void Command3_Click();
    void Command4_Click();

    // The sheet as the writer reads it.
    logtools::CabrilloOptions options() const;

private:
    Session& session_;
};
