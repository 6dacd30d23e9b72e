#pragma once
// The contact-rate graph window: QSOs per hour over the whole log, with a strip coloured by
// band under the curve and a button that switches between a black and a white background.

#include <QDialog>
#include <QImage>
#include <array>

#include "logtools/RateGraphModel.h"

class QLabel;
class QPainter;
class QPushButton;
class Session;
namespace station::ui {
class FrameFit;
}

class GraphQSO : public QDialog {
    Q_OBJECT
public:
    explicit GraphQSO(Session& session, QWidget* parent = nullptr);

    QLabel* Label1;
    std::array<QLabel*, logtools::kRateBandCount> lblBnd{};
    std::array<QLabel*, 17> lblY{};
    std::array<QLabel*, 15> lblTime{};
    std::array<QLabel*, 15> lblDate{};
    QPushButton* Command1;

    void Form_Load();
    void Command1_Click();
    void DrawRateGraph();

    const logtools::RateGraph& graph() const { return graph_; }
    const QImage& picture() const { return picture_; }
    bool whiteBackground() const { return white_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void fillWorkArea();
    void layoutControls();
    void renderPicture();
    void drawCurve(QPainter& p, const QColor& background);
    void applyTextColours();

    Session& session_;
    station::ui::FrameFit* frameFit_ = nullptr;
    logtools::RateGraph graph_;
    QImage picture_;
    bool white_ = false;
    bool gridTakesFrame_ = false;  // set by the first background switch
    // Frame and strip positions in pixels: the roles of the frame lines and the strip lines.
    int left_ = 0, right_ = 0, top_ = 0, bottom_ = 0, stripTop_ = 0, stripBottom_ = 0;
};
