#pragma once
// The logo shown for a moment at start: the built-in picture (or Shared/splash.jpg), a second
// picture after 1.1 s, closed after 1.9 s (2.7 s with splash.jpg) or by a click on the picture.

#include <QDialog>
#include <QTimer>

class QLabel;
namespace station {
class Station;
}

class frmTervakLogo : public QDialog {
    Q_OBJECT
public:
    explicit frmTervakLogo(station::Station& station, QWidget* parent = nullptr);
    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Image1_Click();

    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QTimer Timer1;
    QTimer Timer2;
    bool splashShown = false;  // true when splash.jpg replaced the built-in picture

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    station::Station& station_;
};
