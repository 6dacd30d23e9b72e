#include "logtools/ui/frmCountyList.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/qt/Text.h"
#include "station/Session.h"

namespace {
// Design size on the 9600 x 7200 twip screen.
constexpr double kDesignWidth = 3400, kDesignHeight = 6000;
constexpr double kTwipsPerPixel = 15;
}  // namespace

frmCountyList::frmCountyList(Session& session, QLineEdit* txtSec, QWidget* parent)
    : QDialog(parent), session_(session), txtSec_(txtSec) {
    setWindowTitle(QStringLiteral("County List"));
    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setHeaderLabels({QStringLiteral("County"), QStringLiteral("Abbreviation")});
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(ListView1);
    connect(ListView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { ListView1_Click(item); });
    Form_Load();
}

void frmCountyList::Form_Load() {
    const auto screen = session_.platform.screen.screenTwips();
    const double sx = screen.width / 9600.0, sy = screen.height / 7200.0;
    const int w = static_cast<int>(kDesignWidth * sx / kTwipsPerPixel);
    const int h = static_cast<int>(kDesignHeight * sy / kTwipsPerPixel);
    setFixedSize(w, h);
    // One sixth of the free height above the window, five sixths below.
    move(static_cast<int>((screen.width / kTwipsPerPixel - w) / 2), static_cast<int>((screen.height / kTwipsPerPixel - h) / 6));
    const int column = static_cast<int>(1300 * sx / kTwipsPerPixel);
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
