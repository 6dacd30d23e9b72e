#include "window/ui/LoggingWindow.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QGuiApplication>

#include "logging/BandSwitch.h"
#include "logging/Text.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/LogStore.h"
#include "station/Profile.h"
#include "window/BandLabels.h"
#include "window/FormSize.h"
#include "window/LoadSteps.h"
#include "window/ui/ControlStyle.h"
#include "window/ui/EntryFieldFilter.h"
#include "window/ui/ToolWindows.h"

namespace window::ui {

using logging::ReportLength;
using logging::SameText;
using logging::UpperCase;
using platform::qt::toQ;

namespace {
// Label that reports clicks, for the band and mode labels.
class ClickLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && onClick && rect().contains(e->position().toPoint())) onClick();
        QLabel::mouseReleaseEvent(e);
    }
};
}  // namespace

LoggingWindow::LoggingWindow(Session& session, WindowKind kind, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      profile_(ProfileFor(kind)),
      design_(DesignFor(kind, session.profile.RoverFlag == 1)) {
    setObjectName(profile_.formName);
    setWindowTitle(inState() ? QStringLiteral("Palmetar 2.4 - Florida QSO Party - In-State Log")
                             : QStringLiteral("Palmetar 2.4 - Florida QSO Party - Out-of-State Log"));
    geometry_ = std::make_unique<FormGeometry>(design_);
    frameFit_ = new station::ui::FrameFit(*this, [this] { applyWindowGeometry(); });
    buildControls();
    buildMenus();
    installKeyFilter();
    session_.Form1.attach(kind, this);
}

LoggingWindow::~LoggingWindow() {
    // The child fields are deleted after this destructor, by the widget base, and still get
    // events as they go (focus leaving, hide). The entry line's filter and the window's own key
    // filter would hand those to a window that is no longer whole: both go first.
    delete entry.filter;
    entry.filter = nullptr;
    qApp->removeEventFilter(this);
    session_.Form1.detach(this);
}

QWidget* LoggingWindow::control(const std::string& name, int index) const {
    const int i = design_.find(name, index);
    return i < 0 ? nullptr : widgets_[static_cast<size_t>(i)];
}

void LoggingWindow::buildControls() {
    auto* central = new QWidget(this);
    central->setObjectName("client");
    central->setMouseTracking(true);
    setMouseTracking(true);
    setCentralWidget(central);

    for (const auto& c : design_.controls) {
        QWidget* w = nullptr;
        switch (c.kind) {
        case ControlKind::Label: {
            QLabel* label;
            if (c.name == "Label24" || c.name == "Label30") label = new ClickLabel(central);
            else label = new QLabel(central);
            label->setText(toQ(c.caption));
            label->setTextFormat(Qt::PlainText);
            w = label;
            break;
        }
        case ControlKind::TextBox: {
            auto* edit = new QLineEdit(central);
            if (c.maxLength > 0) edit->setMaxLength(c.maxLength);
            FilterEntryField(edit);
            w = edit;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(central);
            button->setText(toQ(c.caption));
            w = button;
            break;
        }
        case ControlKind::ListBox: {
            // Names run in rows of columns as wide as the list allows, so a wide list shows many
            // counties at once; a long name is cut with an ellipsis rather than scrolled to.
            auto* list = new QListWidget(central);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            list->setTextElideMode(Qt::ElideRight);
            list->setFlow(QListView::LeftToRight);
            list->setWrapping(true);
            list->setResizeMode(QListView::Adjust);
            w = list;
            break;
        }
        case ControlKind::ListView: {
            auto* tree = new QTreeWidget(central);
            tree->setRootIsDecorated(false);
            tree->setUniformRowHeights(true);
            tree->setAllColumnsShowFocus(true);
            tree->setSelectionMode(QAbstractItemView::SingleSelection);
            w = tree;
            break;
        }
        case ControlKind::Frame:
        case ControlKind::Line: {
            auto* frame = new QFrame(central);
            frame->setFrameShape(QFrame::HLine);
            frame->setFrameShadow(QFrame::Sunken);
            w = frame;
            break;
        }
        }
        w->setObjectName(toQ(c.key()));
        if (!c.tip.empty()) w->setToolTip(toQ(c.tip));
        StyleControl(w, c);
        w->setVisible(c.visible);
        widgets_.push_back(w);
    }

    auto label = [&](const char* name, int index = -1) { return static_cast<QLabel*>(control(name, index)); };
    auto edit = [&](const char* name) { return static_cast<QLineEdit*>(control(name)); };
    auto button = [&](const char* name) { return static_cast<QPushButton*>(control(name)); };
    txtCall = edit("txtCall");
    txtRSTR = edit("txtRSTR");
    txtCntry = edit("txtCntry");
    txtSec = edit("txtSec");
    txtRSTS = edit("txtRSTS");
    txtPostConDate = edit("txtPostConDate");
    txtPostConTime = edit("txtPostConTime");
    for (int i = 0; i < 9; ++i) lblStation[i] = label("lblStation", i);
    lblPostConDate = label("lblPostConDate");
    lblPostConTime = label("lblPostConTime");
    lblDialog = label("lblDialog");
    lblDupe = label("lblDupe");
    lblPossDup = label("lblPossDup");
    Label3 = label("Label3");
    Label19 = label("Label19");
    Label22 = label("Label22");
    Label23 = label("Label23");
    Label20 = label("Label20");
    Label17 = label("Label17");
    Label18 = label("Label18");
    Label2 = label("Label2");
    Label25 = label("Label25");
    Label24 = label("Label24");
    Label21 = label("Label21");
    Label30 = label("Label30");
    lblBandSwitch = label("lblBandSwitch");
    lblCurTime = label("lblCurTime");
    Label16 = label("Label16");
    lblutctime = label("lblutctime");
    lblttrack = label("lblttrack");
    Label11 = label("Label11");
    Label12 = label("Label12");
    lblAQSO60 = label("lblAQSO60");
    lblAQSO20 = label("lblAQSO20");
    Label9 = label("Label9");
    Label8 = label("Label8");
    lblTotCon = label("lblTotCon");
    lblSectogo = label(inState() ? "lblsectogo" : "lblSectogo");
    lblsectogo = lblSectogo;
    lblTotSec = label("lblTotSec");
    lblTotScore = label("lblTotScore");
    lblScorStats = label("lblScorStats");
    Label15 = label("Label15");
    lblRecentContacts = label("lblRecentContacts");
    cmdLogOn = button("cmdLogOn");
    cmdEdit = button("cmdEdit");
    cmdDelete = button("cmdDelete");
    cmdList = button("cmdList");
    cmdDup = button("cmdDup");
    Command1 = button("Command1");
    ListView1 = static_cast<QTreeWidget*>(control("ListView1"));
    txtDX = static_cast<QTreeWidget*>(control("txtDX"));
    List1 = static_cast<QListWidget*>(control("List1"));
    if (inState()) {
        // The DX list is narrow and country names are long: one name under the other, each on
        // as many lines as it needs (ShowDXList breaks it at its blanks), never cut.
        List1->setFlow(QListView::TopToBottom);
        List1->setWrapping(false);
        List1->setTextElideMode(Qt::ElideNone);
    }
    List2 = static_cast<QListWidget*>(control("List2"));
    List3 = static_cast<QListWidget*>(control("List3"));
    if (inState()) {
        for (int i = 1; i <= 67; ++i) Label10[i] = label("Label10", i);
        for (int g = 0; g < 12; ++g) lblCallArea[g] = label("lblCallArea", g);
    } else {
        Label10[0] = label("Label10");
    }
    lblDX = label("lblDX");
    for (int i = 0; i < 50; ++i) lblDXSpot[i] = label("lblDXSpot", i);
    for (int i = 0; i < 5; ++i) lblFreqSpot[i] = label("lblFreqSpot", i);
    Line1 = static_cast<QFrame*>(control("Line1"));
    Line2 = static_cast<QFrame*>(control("Line2"));
    Line3 = static_cast<QFrame*>(control("Line3"));
    LineDX = static_cast<QFrame*>(control("LineDX"));
    lblDX->lower();  // the band-map frame lies under its scale and spot labels
    setupSpotPanel();

    static_cast<ClickLabel*>(Label24)->onClick = [this] { Label24_Click(); };
    static_cast<ClickLabel*>(Label30)->onClick = [this] { Label30_Click(); };
    Label24->setCursor(Qt::PointingHandCursor);
    Label30->setCursor(Qt::PointingHandCursor);

    // Tab walks the entry line only: the five fields, the post-contest time and date while they
    // are shown, the list's Edit and Delete buttons while they are shown, and back to the call.
    // Every other control takes the focus by a click alone, so a Tab and a Space after it can
    // never switch the partial-duplicate list off or press another button by accident.
    for (QWidget* w : widgets_) {
        const bool inTabOrder = qobject_cast<QLineEdit*>(w) || w == cmdEdit || w == cmdDelete;
        if (!inTabOrder && (w->focusPolicy() & Qt::TabFocus)) w->setFocusPolicy(Qt::ClickFocus);
    }
    const QWidget* tabOrder[] = {txtCall, txtRSTR, txtCntry, txtSec, txtRSTS, txtPostConTime, txtPostConDate,
                                 cmdEdit, cmdDelete};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(const_cast<QWidget*>(tabOrder[i - 1]), const_cast<QWidget*>(tabOrder[i]));

    Timer1 = new QTimer(this);
    Timer1->setInterval(60000);
    Timer2 = new QTimer(this);
    Timer2->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });

    connect(cmdLogOn, &QPushButton::clicked, this, [this] { cmdLogOn_Click(); });
    connect(cmdEdit, &QPushButton::clicked, this, [this] { cmdEdit_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdList, &QPushButton::clicked, this, [this] { cmdList_Click(); });
    connect(cmdDup, &QPushButton::clicked, this, [this] { cmdDup_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(txtCall, &QLineEdit::textChanged, this, [this] { txtCall_Change(); });
    connect(txtCntry, &QLineEdit::textChanged, this, [this] { txtCntry_Change(); });
}

double LoggingWindow::twipsPerPixel() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const double dpi = s ? s->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

void LoggingWindow::createColumns() {
    geometry_->CreateColumns(design_);
    auto setup = [](QTreeWidget* tree, const std::vector<ColumnDesign>& cols) {
        QStringList headers;
        for (const auto& c : cols) headers << toQ(c.header);
        tree->setColumnCount(static_cast<int>(cols.size()));
        tree->setHeaderLabels(headers);
        tree->header()->setStretchLastSection(false);
        for (int i = 0; i < static_cast<int>(cols.size()); ++i) {
            Qt::Alignment align = cols[i].align == ColumnDesign::Right    ? Qt::AlignRight
                                  : cols[i].align == ColumnDesign::Center ? Qt::AlignHCenter
                                                                          : Qt::AlignLeft;
            tree->headerItem()->setTextAlignment(i, align | Qt::AlignVCenter);
        }
    };
    setup(ListView1, design_.listView1Columns);
    // The recent contacts' columns keep this order: "Copy Listed Items" writes them in it, so a
    // heading dragged elsewhere would show one order and copy another. A click still sorts.
    ListView1->header()->setSectionsMovable(false);
    setup(txtDX, design_.txtDXColumns);
    applyGeometry();
}

void LoggingWindow::fillStateGrid() {
    FillStateTable(StateTable);
    for (int i = 1; i <= StateTable::Count; ++i) {
        Label10[i]->setText(toQ(StateTable.StateAbbrevs[i]));
        Label10[i]->setToolTip(toQ(StateTable.StateNames[i]));
    }
}

void LoggingWindow::restoreModeAndBand() {
    const auto& p = session_.profile;
    Label30->setText(toQ(p.CurrentMode));
    // Only the mode in force is ticked: with none stored (a first run) no item is, as no contact
    // is logged until one is chosen.
    menuItem("mnu160")->setChecked(SameText(p.CurrentMode, "CW"));
    menuItem("mnuSSB")->setChecked(SameText(p.CurrentMode, "PH"));
    menuItem("mnuDigital")->setChecked(SameText(p.CurrentMode, "DG"));
    for (const auto& band : MenuBands()) {
        if (SameText(p.CurrentBand, band)) {
            menuItem("mnuBand" + band + "Ch")->setChecked(true);
            Label24->setText(toQ(band));
        }
    }
}

void LoggingWindow::showStationCaptions() {
    const auto& p = session_.profile;
    if (inState()) {
        lblStation[4]->setText(toQ(p.HomeState + " County"));
        const QString tip = toQ("Enter " + p.HomeState + " in the St / Prv / Country field to enable the County field");
        lblStation[4]->setToolTip(tip);
        txtSec->setToolTip(tip);
        setLabel25(p.CurrentCounty);
        Label2->setText(toQ(p.StationCall));
    } else {
        Label25->setText(toQ(p.StationState.empty() ? p.StationCountry : p.StationState));
        if (!p.StationCall.empty()) Label2->setText(toQ(p.StationCall));
        const int len = ReportLength(p.CurrentMode);
        txtRSTR->setMaxLength(len);
        txtRSTS->setMaxLength(len);
        if (p.ListPrevious == 1) menuItem("mnuListPrevious")->setChecked(true);
    }
}

void LoggingWindow::setLabel25(const std::string& caption) {
    Label25->setText(toQ(caption));
    Label25_Change();
}

void LoggingWindow::Label25_Change() {
    if (profile_.followsOwnCounty) session_.contest.CWCounty = UpperCase(platform::qt::fromQ(Label25->text()));
}

bool LoggingWindow::loadCountyTable() { return LoadCountyTableStep(session_); }

void LoggingWindow::AskContinueLog() {
    auto answer = session_.platform.dialogs.messageBox(
        "Do you want to continue an existing contest? (Yes opens your existing log, No erases any existing log "
        "and starts a new log.)",
        platform::MsgButtons::YesNo, platform::MsgIcon::Question, "Open existing log?");
    if (answer != platform::MsgResult::Yes) station::NewLog(session_);
    cmdEdit->hide();
    cmdDelete->hide();
}

void LoggingWindow::startRig() {
    // The rig setup dialog is loaded hidden and its Test starts polling with the stored
    // settings; with "None" it is not touched at all.
    if (SameText(session_.profile.RigType, "None")) return;
    if (QWidget* rig = ToolWindows::instance().load(ToolWindow::RigControlfrm, session_, this))
        QMetaObject::invokeMethod(rig, "Command1_Click", Qt::DirectConnection);
}

void LoggingWindow::Form_Load() {
    // A step that fails must not leave a window that looks usable with an empty log: the
    // county table's failure is reported by name, and the question, the log load and the
    // window fitting run whatever happened before them.
    Label3->hide();
    const auto screenArea = session_.platform.screen.screenTwips();
    geometry_->ScaleToScreen(static_cast<float>(screenArea.width), static_cast<float>(screenArea.height));
    applyGeometry();
    SizeSideLists();
    lblDialog->setText(toQ(profile_.prompt));
    createColumns();
    if (inState() && session_.profile.RoverFlag != 1) menuItem("mnuChangeCounty")->setEnabled(false);
    if (inState()) fillStateGrid();
    session_.contest.PartialDupesOn = true;
    if (inState() && session_.profile.ListPrevious == 1) menuItem("mnuListPrevious")->setChecked(true);
    // A stored size outside 30..100 is used at the nearest bound, also by the fit and Taskbar.
    session_.profile.FormSizePercent = static_cast<uint8_t>(EffectiveFormSize(session_.profile.FormSizePercent));
    if (session_.profile.FormSizePercent < 100) ScaleFormToScreen();
    restoreModeAndBand();
    showStationCaptions();
    loadCountyTable();
    AskContinueLog();
    ShowOperatingTime();
    RefreshFromLog();
    FitFormToWorkArea();
    startRig();
    Timer1->start();
    Timer2->start();
    txtCall->setFocus();  // the first field of the tab order, as when the window first shows
    loaded_ = true;
}

bool LoggingWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return QMainWindow::event(e);
}

void LoggingWindow::mouseMoveEvent(QMouseEvent* e) {
    if (!centralWidget()->childAt(centralWidget()->mapFrom(this, e->position().toPoint()))) Form_MouseMove();
    QMainWindow::mouseMoveEvent(e);
}

void LoggingWindow::Form_Activate() { RefreshBandMap(); }

void LoggingWindow::Form_MouseMove() { lblDupe->setText(QString()); }

void LoggingWindow::RefreshBandMap() {
    if (bandMapShown()) DisplayBandMapLabels();
}

}  // namespace window::ui
