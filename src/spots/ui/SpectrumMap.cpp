#include "spots/ui/SpectrumMap.h"

#include "spots/ui/PacketSpotfrm.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <cmath>

#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/ui/WindowFrame.h"
#include "station/ui/WindowKit.h"
#include "window/ui/ToolWindows.h"

namespace spots::ui {

using platform::qt::toQ;

namespace {
int px(double twips, double tpp) { return static_cast<int>(std::lround(twips / tpp)); }

void Place(QWidget* w, const TwipRect& r, double tpp) {
    w->setGeometry(px(r.left, tpp), px(r.top, tpp), std::max(1, px(r.width, tpp)), std::max(1, px(r.height, tpp)));
}

QColor FromBgr(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    if (p.color(QPalette::WindowText) == colour) return;
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

// The busy pointer for the length of a pass, however it ends.
struct BusyPointer {
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};
}  // namespace

SpectrumMap::SpectrumMap(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName("SpectrumMap");
    setWindowTitle(QStringLiteral(" HF Spectrum Map"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    for (int k = 0; k < kSpectrumRows; ++k) {
        auto* strip = new QLabel(this);
        strip->setObjectName(QStringLiteral("lblHFSpots(%1)").arg(k));
        strip->setFrameShape(QFrame::Box);
        strip->setStyleSheet(QStringLiteral("QLabel { background: #000080; border: 1px solid #808080; }"));
        lblHFSpots[static_cast<size_t>(k)] = strip;
    }
    for (int k = 0; k < kSpectrumRows; ++k) {
        auto* line = new QFrame(this);
        line->setObjectName(QStringLiteral("lineHF(%1)").arg(k));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Plain);
        QPalette p = line->palette();
        p.setColor(QPalette::WindowText, Qt::white);
        line->setPalette(p);
        lineHF[static_cast<size_t>(k)] = line;
    }
    for (size_t i = 0; i < lblFreqSpot.size(); ++i) {
        auto* tick = new QLabel(this);
        tick->setObjectName(QStringLiteral("lblFreqSpot(%1)").arg(i));
        tick->setAlignment(Qt::AlignCenter);
        SetTextColour(tick, Qt::white);
        tick->hide();
        lblFreqSpot[i] = tick;
    }
    for (size_t i = 0; i < lblDXSpot.size(); ++i) {
        auto* spot = new QLabel(QStringLiteral("DXLBL"), this);
        spot->setObjectName(QStringLiteral("lblDXSpot(%1)").arg(i));
        spot->setAlignment(Qt::AlignCenter);
        spot->setCursor(Qt::PointingHandCursor);
        SetTextColour(spot, Qt::white);
        spot->installEventFilter(this);
        spot->hide();
        lblDXSpot[i] = spot;
    }
}

double SpectrumMap::twipsPerPixel() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const double dpi = s ? s->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

void SpectrumMap::Form_Load() {
    lblDXSpot.back()->raise();  // the newest spot lies in front of all others
    FitSpectrumMap();
    SetSpectrumScales();
    for (QLabel* tick : lblFreqSpot) tick->show();
}

void SpectrumMap::FitSpectrumMap() {
    layout_ = LayoutSpectrumMap(session_.platform.screen.screenTwips(), session_.platform.screen.workAreaTwips());
    const double tpp = twipsPerPixel();
    applyWindowGeometry();
    const QFont font = station::ui::ControlFont(static_cast<float>(layout_.labelFontPt), false);
    for (int k = 0; k < kSpectrumRows; ++k) {
        const auto row = static_cast<size_t>(k);
        Place(lblHFSpots[row], layout_.strips[row], tpp);
        const auto& l = layout_.lines[row];
        const int x1 = px(l.x1, tpp), x2 = px(l.x2, tpp), y = px(l.y1, tpp);
        lineHF[row]->setGeometry(x1, y - 1, std::max(2, x2 - x1), 2);
    }
    for (QLabel* tick : lblFreqSpot) {
        tick->setFont(font);
        tick->resize(std::max(1, px(layout_.tickWidth, tpp)), std::max(1, px(layout_.tickHeight, tpp)));
    }
    for (QLabel* spot : lblDXSpot) {
        spot->setFont(font);
        spot->resize(std::max(1, px(layout_.spotWidth, tpp)), std::max(1, px(layout_.spotHeight, tpp)));
    }
}

void SpectrumMap::applyWindowGeometry() {
    // The outer window takes the work area's size, at the screen's top-left corner; the frame
    // the window manager adds is its own once shown, before that the one of the windows before it.
    const double tpp = twipsPerPixel();
    const QMargins frame = station::ui::FrameMargins(*this);
    const QSize frameExtra(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize client(std::max(1, px(layout_.window.width, tpp) - frameExtra.width()),
                       std::max(1, px(layout_.window.height, tpp) - frameExtra.height()));
    setFixedSize(client);
    move(0, 0);
}

void SpectrumMap::SetSpectrumScales() {
    scales_ = spots::SetSpectrumScales(session_.spotHistory, layout_);
    const double tpp = twipsPerPixel();
    for (int k = 0; k < kSpectrumRows; ++k) {
        const auto& scale = scales_[static_cast<size_t>(k)];
        for (size_t i = 0; i < 5; ++i) {
            QLabel* tick = lblFreqSpot[static_cast<size_t>(k) * 5 + i];
            tick->setText(toQ(scale.captions[i]));
            Place(tick, scale.ticks[i], tpp);
        }
    }
}

void SpectrumMap::BandMapLabelDisplay() {
    BusyPointer busy;
    for (QLabel* spot : lblDXSpot) spot->hide();
    SetSpectrumScales();
    const double tpp = twipsPerPixel();
    const auto labels = SpectrumPass(session_.spotHistory, scales_, layout_, session_.platform.clock.monotonicMs(),
                                     session_.profile.HoursOffset);
    for (const auto& placed : labels) {
        QLabel* spot = lblDXSpot[static_cast<size_t>(placed.index)];
        spot->setText(toQ(placed.caption));
        spot->setToolTip(toQ(placed.tip));
        SetTextColour(spot, FromBgr(placed.colour));
        Place(spot, {placed.left, placed.top, layout_.spotWidth, layout_.spotHeight}, tpp);
        spot->show();
    }
}

void SpectrumMap::lblDXSpot_MouseDown(int index, int button) {
    auto& h = session_.spotHistory;
    const auto slot = static_cast<size_t>(index);
    if (button == 2) {
        session_.rig.ChangeFrequency(h.SpotFreqs.at(slot));
        session_.Form1.SpotCallToCallField(h.SpotCalls.at(slot));
        hide();
        session_.Form1.FocusCallField();
        return;
    }
    h.SpotFreqs.at(slot) = 0;
    BandMapLabelDisplay();
}

void SpectrumMap::Form_Activate() { BandMapLabelDisplay(); }

bool SpectrumMap::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return QDialog::event(e);
}

void SpectrumMap::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Form_Activate();
    QMetaObject::invokeMethod(this, [this] { applyWindowGeometry(); }, Qt::QueuedConnection);
}

bool SpectrumMap::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::MouseButtonPress) return QDialog::eventFilter(watched, e);
    for (size_t i = 0; i < lblDXSpot.size(); ++i) {
        if (watched != lblDXSpot[i]) continue;
        const auto button = static_cast<QMouseEvent*>(e)->button();
        lblDXSpot_MouseDown(static_cast<int>(i), button == Qt::RightButton ? 2 : button == Qt::MiddleButton ? 4 : 1);
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void RegisterSpotWindows() {
    window::ui::ToolWindows::instance().registerFactory(window::ToolWindow::SpectrumMap,
                                                        [](Session& s, QWidget* parent) -> QWidget* {
                                                            auto* map = new SpectrumMap(s, parent);
                                                            map->Form_Load();
                                                            return map;
                                                        });
    RegisterPacketSpotfrm();
}

}  // namespace spots::ui
