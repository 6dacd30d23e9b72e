#include "rig/ui/frmBandPlan.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "platform/qt/Text.h"
#include "rig/PrivilegesChart.h"
#include "session/Session.h"
#include "station/ui/FormResize.h"
#include "station/ui/WindowKit.h"

using platform::qt::toQ;

namespace {
// Design pixels of 15 twips; the window is the whole 640 x 480 reference.
constexpr double kDesignWidth = 640, kDesignHeight = 480;
constexpr const char* kChartPrefixes[] = {"blbl", "bnlb", "priv"};

std::string variantText(const station::Variant& v) {
    switch (v.kind) {
        case station::Variant::Kind::Text: return v.text;
        case station::Variant::Kind::Number: return station::formatDouble(v.number);
        case station::Variant::Kind::Bool: return v.flag ? "True" : "False";
        case station::Variant::Kind::Empty: break;
    }
    return {};
}

QFont chartFont(const QFont& base, const char* family, double points, bool bold) {
    QFont f = base;
    f.setFamilies({QString::fromLatin1(family), QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("Nimbus Sans")});
    f.setPointSizeF(std::max(1.0, points));
    f.setBold(bold);
    return f;
}

QLabel* chartLabel(QWidget* parent, const QString& name, const rig::ChartRect& r, const QString& caption,
                   const QString& tip, const char* colours) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setToolTip(tip);
    l->setStyleSheet(QString::fromLatin1(colours) + QStringLiteral(" border: 1px solid black;"));
    l->setGeometry(static_cast<int>(std::lround(r.left)), static_cast<int>(std::lround(r.top)),
                   std::max(1, static_cast<int>(std::lround(r.width))), std::max(1, static_cast<int>(std::lround(r.height))));
    l->show();
    return l;
}
}  // namespace

frmBandPlan::frmBandPlan(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("frmBandPlan"));
    setWindowTitle(QStringLiteral("Frequency Privileges"));
    station::ui::FixedDialogWithCloseBox(*this);
    station::ui::SetDesignFont(this);
    auto add = [this](QWidget* w, const char* name, double x, double y, double width, double height, double font) {
        w->setObjectName(QString::fromLatin1(name));
        design_.push_back({w, {x, y, width, height, font}});
    };
    QPushButton** buttons[] = {&Command1, &Command2, &Command3, &Command4, &Command5, &Command6};
    const auto& classes = rig::LicenceClasses();
    for (int i = 0; i < 6; ++i) {
        *buttons[i] = new QPushButton(toQ(classes[static_cast<size_t>(i)].caption), this);
        (*buttons[i])->setAutoDefault(false);
        add(*buttons[i], classes[static_cast<size_t>(i)].button, 8 + i * 70, 8, 66, 24, 8.25);
        connect(*buttons[i], &QPushButton::clicked, this, [this, i] { ShowClass(i); });
    }
    Label2 = new QLabel(QStringLiteral("Privelages"), this);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setStyleSheet(QStringLiteral("QLabel { color: #FFFFFF; background: #000080; }"));
    add(Label2, "Label2", 432, 8, 200, 24, 11);
    Label1 = new QLabel(QStringLiteral("Frequencies Effective"), this);
    Label1->setStyleSheet(QStringLiteral("QLabel { color: #FFFFFF; background: #000080; padding-left: 3px; }"));
    add(Label1, "Label1", 8, 36, 272, 18, 9);
    Label3 = new QLabel(QStringLiteral("CW"), this);
    Label3->setAlignment(Qt::AlignCenter);
    add(Label3, "Label3", 290, 36, 60, 18, 8.25);
    Label4 = new QLabel(QStringLiteral("Phone"), this);
    Label4->setAlignment(Qt::AlignCenter);
    add(Label4, "Label4", 356, 36, 60, 18, 8.25);
    Line1 = new QFrame(this);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Plain);
    add(Line1, "Line1", 0, 58, kDesignWidth, 2, 0);
    Command7 = new QPushButton(QStringLiteral("Done"), this);
    Command7->setAutoDefault(false);
    add(Command7, "Command7", 288, 450, 64, 24, 8.25);
    connect(Command7, &QPushButton::clicked, this, &frmBandPlan::Command7_Click);
    Label1->setFont(chartFont(font(), "Arial", 9, false));
    Label2->setFont(chartFont(font(), "Arial Narrow", 11, true));
    Form_Load();
}

void frmBandPlan::layoutControls() {
    const double sx = width() / kDesignWidth, sy = height() / kDesignHeight;
    for (auto& [w, d] : design_) {
        w->setGeometry(static_cast<int>(std::lround(d[0] * sx)), static_cast<int>(std::lround(d[1] * sy)),
                       std::max(1, static_cast<int>(std::lround(d[2] * sx))),
                       std::max(1, static_cast<int>(std::lround(d[3] * sy))));
        if (d[4] > 0) {
            QFont f = w->font();
            f.setPointSizeF(d[4] * fontFactor_);
            w->setFont(f);
        }
    }
}

void frmBandPlan::Form_Load() {
    // The window fills the work area; its controls keep their share of it and their fonts grow
    // with the screen's width, at most 1.5 times.
    const auto area = session_.platform.screen.workAreaTwips();
    const auto screen = session_.platform.screen.screenTwips();
    fontFactor_ = std::min(screen.width / station::kDesignScreenWidth, 1.5);
    if (!(fontFactor_ > 0)) fontFactor_ = 1;
    const double k = station::ui::pixelsPerTwip(this);
    setFixedSize(static_cast<int>(std::lround(area.width * k)), static_cast<int>(std::lround(area.height * k)));
    move(static_cast<int>(std::lround(area.left * k)), static_cast<int>(std::lround(area.top * k)));
    layoutControls();
    Label4->setStyleSheet(QStringLiteral("QLabel { color: #000000; background: #00FF00; }"));
    Label3->setStyleSheet(QStringLiteral("QLabel { color: #FFFFFF; background: #0000FF; }"));

    const auto bytes = session_.platform.files.readAll(session_.programFile("BandPlan.txt"));
    if (bytes) plan_ = rig::ReadBandPlan(*bytes);
    if (bytes && (plan_.complete || !plan_.EffectiveDate.isEmpty()))
        Label1->setText(toQ("Frequencies Effective: " + variantText(plan_.EffectiveDate)));
    if (!bytes || !plan_.complete) {
        session_.platform.dialogs.messageBox("Band data not available.", platform::MsgButtons::OK,
                                             platform::MsgIcon::None, "Band Data Not Available.");
        return;
    }
    ShowClass(5);
}

void frmBandPlan::ShowClass(int index) {
    const auto& c = rig::LicenceClasses()[static_cast<size_t>(index)];
    Label2->setText(toQ(c.title));
    BuildPrivilegesChart(c.letter);
}

void frmBandPlan::Command7_Click() { hide(); }

void frmBandPlan::BuildPrivilegesChart(const std::string& classLetter) {
    classShown_ = classLetter;
    const QObjectList kids = children();  // deleting a child changes children()
    for (QObject* child : kids) {
        const QString name = child->objectName();
        for (const char* prefix : kChartPrefixes) {
            if (name.startsWith(QString::fromLatin1(prefix))) {
                delete child;
                break;
            }
        }
    }
    const rig::ChartArea area{static_cast<double>(width()), static_cast<double>(height()),
                              static_cast<double>(Line1->geometry().top())};
    const rig::PrivilegesChart chart = rig::BuildPrivilegesChart(plan_.rows, classLetter, area);
    const QFont nameFont = chartFont(font(), "Arial", 8 * fontFactor_, true);
    const QFont segmentFont = chartFont(font(), "Arial Narrow", 7 * fontFactor_, false);
    for (size_t k = 0; k < chart.bars.size(); ++k) {
        const auto& bar = chart.bars[k];
        const QString n = QString::number(k + 1);
        chartLabel(this, QStringLiteral("blbl") + n, bar.rect, toQ(bar.band), toQ(bar.toolTip),
                   "color: #000000; background: #000000;");
        auto* name = chartLabel(this, QStringLiteral("bnlb") + n, bar.nameBox, toQ(bar.band), toQ(bar.toolTip),
                                "color: #000000; background: #FFFF00;");
        name->setFont(nameFont);
    }
    for (size_t m = 0; m < chart.segments.size(); ++m) {
        const auto& seg = chart.segments[m];
        auto* l = chartLabel(this, QStringLiteral("priv") + QString::number(m + 1), seg.rect, toQ(seg.caption),
                             toQ(seg.toolTip),
                             seg.cw ? "color: #FFFFFF; background: #0000FF;" : "color: #000000; background: #00FF00;");
        l->setFont(segmentFont);
        // A segment narrower than its caption (a 60 m channel) shows it in its tool tip only,
        // not cut off at both ends.
        if (l->fontMetrics().horizontalAdvance(l->text()) + 4 > l->width()) l->setText(QString());
        l->raise();
    }
}

void frmBandPlan::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    QTimer::singleShot(0, this, [this] { fitFrameToWorkArea(); });
}

void frmBandPlan::moveEvent(QMoveEvent* e) {
    QDialog::moveEvent(e);
    // The window manager's frame becomes known after the window is shown, when it moves it.
    if (isVisible()) fitFrameToWorkArea();
}

void frmBandPlan::fitFrameToWorkArea() {
    // The whole window, frame included, stays inside the work area: the client area gives way
    // to the title bar and borders, and the chart is laid out again.
    const int frameW = frameGeometry().width() - width(), frameH = frameGeometry().height() - height();
    if (frameW <= 0 && frameH <= 0) return;
    const auto area = session_.platform.screen.workAreaTwips();
    const double k = station::ui::pixelsPerTwip(this);
    const int w = std::max(1, static_cast<int>(std::lround(area.width * k)) - frameW);
    const int h = std::max(1, static_cast<int>(std::lround(area.height * k)) - frameH);
    const QPoint corner(static_cast<int>(std::lround(area.left * k)), static_cast<int>(std::lround(area.top * k)));
    if (w == width() && h == height()) return;
    setFixedSize(w, h);
    move(corner);
    layoutControls();
    if (!classShown_.empty()) BuildPrivilegesChart(classShown_);
}
