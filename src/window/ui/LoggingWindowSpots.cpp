// The spot panel of the logging window: the spot list `txtDX`, the band map (`lblDX`, `LineDX`,
// the scale labels `lblFreqSpot` and the spot labels `lblDXSpot`), the spots stored through
// Form1, their clicks, and the panel's layout. Decisions come from src/spots/.

#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTreeWidget>

#include "logging/Prefix.h"
#include "logging/Text.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "spots/BandMap.h"
#include "spots/SpotList.h"
#include "spots/ui/SpectrumMap.h"
#include "window/PacketResize.h"
#include "window/ui/LoggingWindow.h"
#include "window/ui/ToolWindows.h"

namespace window::ui {

using logging::SameText;
using platform::qt::fromQ;
using platform::qt::toQ;

namespace {
// Mouse events of the panel's controls, handed to the window's handlers.
class SpotPanelFilter : public QObject {
public:
    explicit SpotPanelFilter(LoggingWindow& w) : QObject(&w), w_(w) {}

    bool eventFilter(QObject* watched, QEvent* e) override {
        const auto type = e->type();
        // Only mouse events reach the window: other events also come while it is being destroyed.
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove && type != QEvent::Enter)
            return false;
        const bool release = type == QEvent::MouseButtonRelease, dbl = type == QEvent::MouseButtonDblClick;
        if ((release || dbl) && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
            const auto* m = static_cast<QMouseEvent*>(e);
            if (watched == w_.lblDX) {
                if (dbl) w_.lblDX_DblClick();
                else if (w_.lblDX->rect().contains(m->position().toPoint())) w_.lblDX_Click();
                return false;
            }
            if (watched == w_.txtDX->viewport()) {
                if (dbl) w_.txtDX_DblClick();
                else w_.txtDX_Click();
                return false;
            }
        }
        for (int i = 0; i < static_cast<int>(w_.lblDXSpot.size()); ++i) {
            if (watched != w_.lblDXSpot[static_cast<size_t>(i)]) continue;
            if (type == QEvent::MouseButtonPress) {
                const auto button = static_cast<QMouseEvent*>(e)->button();
                w_.lblDXSpot_MouseDown(i, button == Qt::RightButton ? 2 : button == Qt::MiddleButton ? 4 : 1);
                return true;
            }
            if (type == QEvent::MouseMove || type == QEvent::Enter) w_.lblDXSpot_MouseMove(i);
            return false;
        }
        return false;
    }

private:
    LoggingWindow& w_;
};

QColor FromBgr(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

void SetTextColour(QLabel* label, uint32_t bgr) {
    const QColor colour = FromBgr(bgr);
    QPalette p = label->palette();
    if (p.color(QPalette::WindowText) == colour) return;
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}
}  // namespace

void LoggingWindow::setupSpotPanel() {
    auto* filter = new SpotPanelFilter(*this);
    lblDX->installEventFilter(filter);
    lblDX->setCursor(Qt::PointingHandCursor);
    txtDX->viewport()->installEventFilter(filter);
    for (QLabel* l : lblDXSpot) {
        l->installEventFilter(filter);
        l->setMouseTracking(true);
        l->setCursor(Qt::PointingHandCursor);
        SetTextColour(l, spots::kSpotColourNew);
    }
    // The band line is white on the navy strip.
    LineDX->setFrameShadow(QFrame::Plain);
    QPalette p = LineDX->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    LineDX->setPalette(p);
}

bool LoggingWindow::bandMapShown() const { return !lblDX->isHidden(); }

// ---- the store

void LoggingWindow::BandMapSpots(const std::string& qDXSpotCall, const std::string& qDXSpotFreq,
                                 const std::string& qDXSpotRecord) {
    const auto& clock = session_.platform.clock;
    const auto mhz = spots::StoreSpot(session_.spotHistory, qDXSpotCall, qDXSpotFreq,
                                      {clock.monotonicMs(), clock.localNow(), true});
    if (!mhz) return;
    if (bandMapShown()) DisplayBandMapLabels();
    if (QWidget* w = ToolWindows::instance().loaded(ToolWindow::SpectrumMap); w && w->isVisible()) {
        if (auto* map = qobject_cast<spots::ui::SpectrumMap*>(w)) map->BandMapLabelDisplay();
    }
    while (txtDX->topLevelItemCount() >= spots::kSpotListRows)
        delete txtDX->takeTopLevelItem(txtDX->topLevelItemCount() - 1);
    const auto row = spots::SpotListRowFor(qDXSpotCall, *mhz, qDXSpotRecord,
                                           logging::LookupCountry(session_.prefixes, qDXSpotCall));
    auto* item = new QTreeWidgetItem;
    for (int c = 0; c < static_cast<int>(row.size()); ++c) item->setText(c, toQ(row[static_cast<size_t>(c)]));
    item->setTextAlignment(spots::ColFrequency, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(spots::ColStatus, Qt::AlignHCenter | Qt::AlignVCenter);
    txtDX->insertTopLevelItem(0, item);
}

// ---- the band map

void LoggingWindow::SetBandMapScale() {
    const auto captions = spots::SetBandMapScale(session_.spotHistory, session_.profile.CurrentBand);
    for (size_t k = 0; k < captions.size(); ++k) lblFreqSpot[k]->setText(toQ(captions[k]));
}

void LoggingWindow::DisplayBandMapLabels() {
    if (!bandMapShown()) return;
    for (QLabel* l : lblDXSpot) l->hide();
    SetBandMapScale();
    std::array<std::string, 5> captions;
    for (size_t k = 0; k < captions.size(); ++k) captions[k] = fromQ(lblFreqSpot[k]->text());
    const auto& line = geometry_->at(design_.find("LineDX"));
    const auto& label = geometry_->at(design_.find("lblDXSpot", 0));
    const spots::BandMapGeometry g{line.left, line.width, line.top, label.width, label.height, geometry_->height};
    const auto labels = spots::BandMapPass(session_.spotHistory, captions, g, session_.platform.clock.monotonicMs(),
                                           session_.profile.HoursOffset);
    for (const auto& placed : labels) {
        const int row = design_.find("lblDXSpot", placed.index);
        auto& c = geometry_->at(row);
        c.left = static_cast<float>(placed.left);
        c.top = static_cast<float>(placed.top);
        applyControl(static_cast<size_t>(row));
        QLabel* l = lblDXSpot[static_cast<size_t>(placed.index)];
        l->setText(toQ(placed.caption));
        l->setToolTip(toQ(placed.tip));
        SetTextColour(l, placed.colour);
        l->show();
    }
}

void LoggingWindow::lblDXSpot_MouseMove(int index) {
    lblDupe->setText(lblDXSpot.at(static_cast<size_t>(index))->toolTip());
}

void LoggingWindow::lblDXSpot_MouseDown(int index, int button) {
    auto& h = session_.spotHistory;
    const auto slot = static_cast<size_t>(index);
    if (button == 2) {
        session_.rig.ChangeFrequency(h.SpotFreqs.at(slot));
        moveEntryFocus(logging::EntryField::Call);
        txtCall->setText(toQ(h.SpotCalls.at(slot)));
        // As a Tab pressed in the call field: leave it, with what leaving it does.
        moveEntryFocus(logging::EntryField::RstReceived);
        return;
    }
    h.SpotFreqs.at(slot) = 0;
    DisplayBandMapLabels();
}

void LoggingWindow::lblDX_Click() {
    ToolWindows::instance().open(ToolWindow::PacketSpotfrm, OpenWay::NotModal, session_, this);
}

void LoggingWindow::lblDX_DblClick() {
    ToolWindows::instance().open(ToolWindow::SpectrumMap, OpenWay::ModalThenUnload, session_, this);
}

// ---- the spot list

void LoggingWindow::txtDX_Click() {
    moveEntryFocus(logging::EntryField::Call);
    if (txtDX->topLevelItemCount() == 0) return;
    const QTreeWidgetItem* item = txtDX->currentItem();
    if (!item) return;
    const auto mhz = spots::RowFrequency(fromQ(item->text(spots::ColFrequency)));
    if (!mhz) return;
    if (!SameText(session_.profile.RigType, "None")) session_.rig.ChangeFrequency(*mhz);
    moveEntryFocus(logging::EntryField::Call);
    txtCall->setText(item->text(spots::ColCall));
}

void LoggingWindow::txtDX_DblClick() { lblDX_DblClick(); }

// ---- the spectrum map's way into the call field

void LoggingWindow::SpotCallToCallField(const std::string& call) { txtCall->setText(toQ(call)); }

void LoggingWindow::FocusCallField() {
    activateWindow();
    moveEntryFocus(logging::EntryField::Call);
    txtCall->setFocus();
}

// ---- the layout

void LoggingWindow::PacketResize(const std::string& spotSource, bool listChosen) {
    PacketResizeInput in;
    in.shown = !txtDX->isHidden() ? SpotPanel::List
               : bandMapShown()   ? SpotPanel::BandMap
                                  : SpotPanel::Hidden;
    in.spotSource = spotSource;
    in.listChosen = listChosen;
    // The panel reaches down to the bottom of the client area the controls stand in.
    if (QLayout* l = layout()) l->activate();
    in.innerHeight = static_cast<float>(centralWidget()->height() * twipsPerPixel());
    const auto r = window::PacketResize(*geometry_, design_, in);
    if (r.placed || r.removed) applyGeometry();
    const bool list = r.shown == SpotPanel::List;
    const bool map = r.shown == SpotPanel::BandMap;
    txtDX->setVisible(list);
    lblDX->setVisible(map);
    LineDX->setVisible(map);
    for (QLabel* l : lblFreqSpot) l->setVisible(map);
    session_.Form1.lblDXVisible = map;
    if (r.placed) SetBandMapScale();
    // A band map just shown is drawn at once, so no label of an earlier showing stands on it.
    if (map && (r.placed || in.shown != SpotPanel::BandMap)) DisplayBandMapLabels();
    if (!map)
        for (QLabel* l : lblDXSpot) l->hide();
}

}  // namespace window::ui
