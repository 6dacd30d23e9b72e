#include "logtools/ui/frmCountyList.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>
#include <cmath>

#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/ui/FormResize.h"
#include "station/ui/WindowKit.h"

using station::ui::placeTwips;

namespace {
// Design sizes in twips on the 9600 x 7200 reference screen.
constexpr double kDesignWidth = 3600, kDesignHeight = 6000;
constexpr double kColumnWidth = 1300;
}  // namespace

frmCountyList::frmCountyList(Session& session, QLineEdit* txtSec, QWidget* parent)
    : QDialog(parent), session_(session), txtSec_(txtSec) {
    setWindowTitle(QStringLiteral("County List"));
    station::ui::FixedDialogWithCloseBox(*this);
    station::ui::SetDesignFont(this, station::ui::DesignFace::System);
    placeTwips(this, 0, 0, kDesignWidth, kDesignHeight);
    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    placeTwips(ListView1, 60, 60, kDesignWidth - 120, kDesignHeight - 120);
    connect(ListView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { ListView1_Click(item); });
    Form_Load();
}

void frmCountyList::Form_Load() {
    // Scaled by the screen's two ratios, fonts by the width ratio (at most 1.5 times); the
    // window stands in the upper part of the screen: a sixth of the free height above it.
    station::ui::ScaleDialogToScreen(*this, session_);
    setFixedSize(size());
    const auto screen = session_.platform.screen.screenTwips();
    const double k = station::ui::pixelsPerTwip(this);
    const double height = size().height() / k;
    move(x(), static_cast<int>(std::lround((screen.top + std::max(0.0, (screen.height - height) / 6)) * k)));

    ListView1->setHeaderLabels({QStringLiteral("County"), QStringLiteral("Abbreviation")});
    const int column = static_cast<int>(std::lround(kColumnWidth * screen.width / 9600 * k));
    ListView1->setColumnWidth(0, column);
    ListView1->setColumnWidth(1, column);
    ListView1->clear();
    for (const auto& row : session_.counties.rows) {
        auto* item = new QTreeWidgetItem(ListView1);
        item->setText(0, platform::qt::toQ(row.Name));
        item->setText(1, platform::qt::toQ(row.Abbrev));
    }
}

void frmCountyList::ListView1_Click(QTreeWidgetItem* item) {
    // A click that selects no row (an empty table) leaves the list open.
    if (item == nullptr) return;
    if (txtSec_ != nullptr) txtSec_->setText(item->text(0));
    hide();
}
