#include "logtools/ui/GraphQSO.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "station/Session.h"

namespace {

constexpr double kTwipsPerPixel = 15;

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

void GraphQSO::Form_Load() {
    // The window fills the work area.
    const auto area = session_.platform.screen.workAreaTwips();
    resize(static_cast<int>(area.width / kTwipsPerPixel), static_cast<int>(area.height / kTwipsPerPixel));
    move(static_cast<int>(area.left / kTwipsPerPixel), static_cast<int>(area.top / kTwipsPerPixel));
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
    const int w = width(), h = height();
    const int rowH = fontMetrics().height() + 4;
    left_ = 70;
    right_ = w - 30;
    top_ = 2 * rowH + 12;
    stripBottom_ = h - 2 * rowH - 16;
    stripTop_ = stripBottom_ - 12;
    bottom_ = stripTop_ - 6;

    Label1->setGeometry(left_, 8, 50, rowH);
    for (size_t i = 0; i < lblBnd.size(); ++i) lblBnd[i]->setGeometry(left_ + 50 + static_cast<int>(i) * 50, 8, 48, rowH);
    Command1->setGeometry(right_ - 160, 6, 160, rowH + 4);
    const int plotH = bottom_ - top_;
    for (size_t k = 0; k < lblY.size(); ++k) {
        const int y = bottom_ - static_cast<int>(k) * plotH / 16;
        lblY[k]->setGeometry(0, y - rowH / 2, left_ - 6, rowH);
    }
    const int plotW = right_ - left_;
    for (size_t k = 0; k < lblTime.size(); ++k) {
        const int x = left_ + static_cast<int>(k) * plotW / 14;
        lblTime[k]->setGeometry(x - 30, stripBottom_ + 4, 60, rowH);
        lblDate[k]->setGeometry(x - 30, stripBottom_ + 4 + rowH, 60, rowH);
    }
}

void GraphQSO::renderPicture() {
    if (width() <= 0 || height() <= 0) return;
    const QColor background = white_ ? Qt::white : Qt::black;
    const QColor frame = white_ ? Qt::black : Qt::white;
    picture_ = QImage(size(), QImage::Format_RGB32);
    picture_.fill(background);
    QPainter p(&picture_);
    // Frame, strip bounds and grid lines. The grid is grey until the first background switch,
    // then takes the frame's colour.
    p.setPen(frame);
    p.drawLine(left_, top_, right_, top_);
    p.drawLine(left_, bottom_, right_, bottom_);
    p.drawLine(left_, top_, left_, bottom_);
    p.drawLine(right_, top_, right_, bottom_);
    p.drawLine(left_, stripTop_ - 1, right_, stripTop_ - 1);
    p.drawLine(left_, stripBottom_ + 1, right_, stripBottom_ + 1);
    p.setPen(gridTakesFrame_ ? frame : QColor(0x80, 0x80, 0x80));
    for (int k = 1; k <= 15; ++k) {
        const int y = bottom_ - k * (bottom_ - top_) / 16;
        p.drawLine(left_, y, right_, y);
    }
    if (!graph_.hasCurve) return;

    const double xStep = static_cast<double>(right_ - left_) / logtools::kRateSteps;
    const double plotH = bottom_ - top_;
    auto X = [&](int k) { return left_ + 10 + (k - 2) * xStep; };
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
    update();
}

void GraphQSO::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

void GraphQSO::resizeEvent(QResizeEvent*) {
    layoutControls();
    renderPicture();
}
