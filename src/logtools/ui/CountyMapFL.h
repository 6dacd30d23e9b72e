#pragma once
// The county map: Florida's counties in outline, the worked ones filled in random colours;
// hovering over a county shows its name.

#include <QDialog>
#include <QImage>
#include <array>
#include <string>
#include <vector>

#include "logtools/CountyHotSpots.h"

class QLabel;
class QTimer;
class Session;

class CountyMapFL : public QDialog {
    Q_OBJECT
public:
    // worked: the names of the counties worked, as the live window lists them.
    CountyMapFL(Session& session, std::vector<std::string> worked, QWidget* parent = nullptr);

    QWidget* Picture1;
    std::array<QLabel*, logtools::kCountyHotSpotCount> lblCounty{};
    QLabel* Label1;
    QTimer* Timer1;

    void Form_Load();
    void Timer1_Timer();
    // The map as shown now (for tests and for the picture's own painting).
    const QImage& picture() const { return picture_; }
    int paintedCounties() const { return painted_; }

private:
    void ColorWorkedCounties(const std::vector<std::string>& list);

    Session& session_;
    std::vector<std::string> worked_;
    QImage picture_;
    int painted_ = 0;
    bool mapLoaded_ = false;
};
