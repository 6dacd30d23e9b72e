#pragma once
// The privileges chart: where a licence class may transmit, one black bar per band with the
// class's CW (blue) and phone (green) segments laid on it and the band's name in a yellow box.
// It fills the work area, reads BandPlan.txt when it opens, shows the Extra class, and six
// buttons switch the class. Opened modally from "&Privileges" and Ctrl+F, unloaded after.

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "rig/BandPlan.h"

class QFrame;
class QLabel;
class QPushButton;
class Session;

class frmBandPlan : public QDialog {
    Q_OBJECT
public:
    explicit frmBandPlan(Session& session, QWidget* parent = nullptr);

    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command7;
    QLabel *Label1, *Label2, *Label3, *Label4;
    QFrame* Line1;

    void Form_Load();
    // The class buttons: the title and the chart of class "N", "T", "P", "G", "A" or "E".
    void ShowClass(int index);
    void Command7_Click();
    // Removes the chart's labels ("blbl", "bnlb", "priv" and a number) and builds the chart of
    // one class from the rows read.
    void BuildPrivilegesChart(const std::string& classLetter);

    // The screen's width over the reference width, at most 1.5.
    double ChartFontFactor() const { return fontFactor_; }
    const rig::BandPlanFile& ChartBandPlan() const { return plan_; }

protected:
    void showEvent(QShowEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    void fitFrameToWorkArea();
    // Places the design controls in proportion to the window's client area.
    void layoutControls();

    Session& session_;
    rig::BandPlanFile plan_;
    double fontFactor_ = 1;
    std::string classShown_;
    std::vector<std::pair<QWidget*, std::array<double, 5>>> design_;  // control: x, y, w, h, font
};
