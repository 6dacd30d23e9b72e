#include "logtools/ui/GraphQSO.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "session/Session.h"
#include "station/ui/FormResize.h"
#include "station/ui/WindowFrame.h"

namespace {

// The design, in twips of a 9600 x 7200 client area: the frame lines, the strip lines and the
// label rows. Everything is placed in proportion to the window's real size.
constexpr double kDesignWidth = 9600, kDesignHeight = 7200;
constexpr double kLine4X = 960, kLine3X = 9240, kLine1Y = 660, kLine2Y = 6000;
constexpr double kLine8Y = 6060, kLine9Y = 6240;
constexpr double kTimeTop = 6300, kDateTop = 6630, kLabelHeight = 300;
constexpr double kDesignFontSize = 8.25;

QColor rgbColour(uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

void setTextColour(QLabel* label, const QColor& colour) {
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colour.name()));
}

}  // namespace

GraphQSO::GraphQSO(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setWindowTitle(QStringLiteral(" Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)"));
    Label1 = new QLabel(QStringLiteral("Band "), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    for (size_t i = 0; i < lblBnd.size(); ++i) {
        lblBnd[i] = new QLabel(QString::fromLatin1(logtools::RateBands()[i].caption), this);
        lblBnd[i]->setObjectName(QStringLiteral("lblBnd%1").arg(i));
        setTextColour(lblBnd[i], rgbColour(logtools::RateBands()[i].rgb));
    }
    for (size_t i = 0; i < lblY.size(); ++i) {
        lblY[i] = new QLabel(this);
        lblY[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    for (size_t i = 0; i < lblTime.size(); ++i) {
        lblTime[i] = new QLabel(QStringLiteral("00:00"), this);
        lblDate[i] = new QLabel(QStringLiteral("MM/DD"), this);
        lblTime[i]->setAlignment(Qt::AlignCenter);
        lblDate[i]->setAlignment(Qt::AlignCenter);
    }
    Command1 = new QPushButton(QStringLiteral("Black Background"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &GraphQSO::Command1_Click);
    applyTextColours();
    Form_Load();
}

void GraphQSO::fillWorkArea() {
    // The window with its frame fills the work area; the drawing follows the size it gets.
    const auto area = session_.platform.screen.workAreaTwips();
    const double k = station::ui::pixelsPerTwip(this);
    const QMargins frame = frameFit_->frameForFitting();
    resize(std::max(1, static_cast<int>(std::lround(area.width * k)) - frame.left() - frame.right()),
           std::max(1, static_cast<int>(std::lround(area.height * k)) - frame.top() - frame.bottom()));
    move(static_cast<int>(std::lround(area.left * k)), static_cast<int>(std::lround(area.top * k)));
}

void GraphQSO::Form_Load() {
    // Fonts grow with the screen width, at most 1.5 times.
    if (!frameFit_) frameFit_ = new station::ui::FrameFit(*this, [this] { fillWorkArea(); });
    fillWorkArea();
    const auto screen = session_.platform.screen.screenTwips();
    const double factor = std::min(screen.width / kDesignWidth, 1.5);
    QFont scaled = font();
    scaled.setPointSizeF(kDesignFontSize * (factor > 0 ? factor : 1.0));
    setFont(scaled);
    for (auto* w : findChildren<QWidget*>()) w->setFont(scaled);
    layoutControls();
    DrawRateGraph();
}

void GraphQSO::Command1_Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    gridTakesFrame_ = true;
    if (Command1->text() == QStringLiteral("Black Background")) {
        Command1->setText(QStringLiteral("White Background"));
        white_ = true;
    } else {
        Command1->setText(QStringLiteral("Black Background"));
        white_ = false;
    }
    applyTextColours();
    DrawRateGraph();
    QApplication::restoreOverrideCursor();
}

void GraphQSO::applyTextColours() {
    const QColor text = white_ ? Qt::black : Qt::white;
    for (auto* l : lblDate) setTextColour(l, text);
    for (auto* l : lblTime) setTextColour(l, text);
    for (auto* l : lblY) setTextColour(l, text);
    setTextColour(Label1, text);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, white_ ? Qt::white : Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
}

void GraphQSO::DrawRateGraph() {
    graph_ = logtools::BuildRateGraph(session_.log);
    if (!graph_.enoughContacts) {
        session_.platform.dialogs.messageBox(
            "The graph will not display with less than 7 contacts.  The graph becomes more meaningful as several "
            "hours of contest logging are accumulated.",
            platform::MsgButtons::OK, platform::MsgIcon::None, "Not Enough Contacts to Graph.");
        renderPicture();
        return;
    }
    if (graph_.hasTimeLabels) {
        for (size_t k = 0; k < lblTime.size(); ++k) {
            lblTime[k]->setText(QString::fromStdString(graph_.timeLabels[k]));
            lblDate[k]->setText(QString::fromStdString(graph_.dateLabels[k]));
        }
    }
    if (graph_.hasCurve) {
        for (size_t k = 0; k < lblY.size(); ++k) lblY[k]->setText(QString::fromStdString(graph_.valueLabels[k]));
    }
    renderPicture();
}

void GraphQSO::layoutControls() {
    const double sx = width() / kDesignWidth, sy = height() / kDesignHeight;
    auto px = [sx](double twips) { return static_cast<int>(std::lround(twips * sx)); };
    auto py = [sy](double twips) { return static_cast<int>(std::lround(twips * sy)); };
    auto place = [&](QWidget* w, double left, double top, double w_, double h) {
        w->setGeometry(px(left), py(top), std::max(1, px(w_)), std::max(1, py(h)));
    };
    left_ = px(kLine4X);
    right_ = px(kLine3X);
    top_ = py(kLine1Y);
    bottom_ = py(kLine2Y);
    stripTop_ = py(kLine8Y);
    stripBottom_ = py(kLine9Y);

    place(Label1, kLine4X, 150, 600, kLabelHeight);
    for (size_t i = 0; i < lblBnd.size(); ++i) place(lblBnd[i], kLine4X + 600 + static_cast<double>(i) * 600, 150, 600, kLabelHeight);
    place(Command1, kLine3X - 2100, 90, 2100, 390);
    for (size_t k = 0; k < lblY.size(); ++k) {
        const double y = kLine2Y - static_cast<double>(k) * (kLine2Y - kLine1Y) / 16;
        place(lblY[k], 0, y - kLabelHeight / 2, kLine4X - 90, kLabelHeight);
    }
    for (size_t k = 0; k < lblTime.size(); ++k) {
        const double x = kLine4X + static_cast<double>(k) * (kLine3X - kLine4X) / 14;
        place(lblTime[k], x - 330, kTimeTop, 660, kLabelHeight);
        place(lblDate[k], x - 330, kDateTop, 660, kLabelHeight);
    }
}

void GraphQSO::renderPicture() {
    if (width() <= 0 || height() <= 0) return;
    const QColor background = white_ ? Qt::white : Qt::black;
    const QColor frame = white_ ? Qt::black : Qt::white;
    picture_ = QImage(size(), QImage::Format_RGB32);
    picture_.fill(background);
    QPainter p(&picture_);
    // The grid is grey until the first background switch, then takes the frame's colour.
    p.setPen(gridTakesFrame_ ? frame : QColor(0x80, 0x80, 0x80));
    // One grid line at the height of each inner value label.
    for (size_t k = 1; k <= 15; ++k) {
        const int y = lblY[k]->y() + lblY[k]->height() / 2;
        p.drawLine(left_, y, right_, y);
    }
    if (graph_.hasCurve) drawCurve(p, background);
    // The frame and the strip's bounds go on top, so the strip's segments never break them.
    p.setPen(frame);
    p.setBrush(Qt::NoBrush);
    p.drawLine(left_, top_, right_, top_);
    p.drawLine(left_, bottom_, right_, bottom_);
    p.drawLine(left_, top_, left_, bottom_);
    p.drawLine(right_, top_, right_, bottom_);
    p.drawLine(left_, stripTop_ - 1, right_, stripTop_ - 1);
    p.drawLine(left_, stripBottom_ + 1, right_, stripBottom_ + 1);
    update();
}

void GraphQSO::drawCurve(QPainter& p, const QColor& background) {
    const double xStep = static_cast<double>(right_ - left_) / logtools::kRateSteps;
    const double plotH = bottom_ - top_;
    const double inset = 10 * station::ui::pixelsPerTwip(this);  // 10 twips
    auto X = [&](int k) { return left_ + inset + (k - 2) * xStep; };
    auto Y = [&](double v) { return bottom_ - graph_.heightFraction(v) * plotH; };
    for (int i = 1; i <= logtools::kRateSteps; ++i) {
        const double v = graph_.smoothed[static_cast<size_t>(i)], before = graph_.smoothed[static_cast<size_t>(i - 1)];
        p.setPen(QColor(0, 0, 255));
        p.drawLine(QPointF(X(i), Y(v)), QPointF(X(i - 1), Y(before)));
        if (v > 0 || before > 0) {
            const int band = graph_.stepBand[static_cast<size_t>(i)];
            const QColor c = band == logtools::kBackgroundBand ? background
                                                               : rgbColour(logtools::RateBands()[static_cast<size_t>(band)].rgb);
            p.setPen(c);
            p.setBrush(c);
            p.drawRect(QRectF(QPointF(X(i - 1), stripTop_), QPointF(X(i), stripBottom_)));
        }
    }
}

void GraphQSO::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

void GraphQSO::resizeEvent(QResizeEvent*) {
    layoutControls();
    renderPicture();
}
