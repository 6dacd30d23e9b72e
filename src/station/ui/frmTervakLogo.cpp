#include "station/ui/frmTervakLogo.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

#include "platform/qt/Text.h"
#include "station/Station.h"
#include "station/UserFolders.h"
#include "station/ui/FormResize.h"

using station::ui::placeTwips;

namespace {
constexpr double kWidth = 6000, kHeight = 3600;

QPixmap builtInLogo(QSize size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0, 40, 110));
    sky.setColorAt(1, QColor(0, 120, 170));
    p.fillRect(pixmap.rect(), sky);
    p.setPen(Qt::white);
    QFont title("Sans Serif");
    title.setBold(true);
    title.setPixelSize(std::max(12, size.height() / 7));
    p.setFont(title);
    p.drawText(QRect(0, size.height() / 6, size.width(), size.height() / 4), Qt::AlignCenter, "Tervak Software");
    QFont sub("Sans Serif");
    sub.setPixelSize(std::max(10, size.height() / 12));
    p.setFont(sub);
    p.drawText(QRect(0, size.height() * 9 / 20, size.width(), size.height() / 5), Qt::AlignCenter,
               "Palmetar - Florida QSO Party Logger");
    return pixmap;
}

QPixmap builtInBadge(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(250, 200, 40));
    QPainter p(&pixmap);
    p.setPen(QColor(0, 40, 110));
    QFont f("Sans Serif");
    f.setBold(true);
    f.setPixelSize(std::max(8, size.height() / 3));
    p.setFont(f);
    p.drawText(pixmap.rect(), Qt::AlignCenter, "FL QSO Party");
    return pixmap;
}
}  // namespace

frmTervakLogo::frmTervakLogo(station::Station& station, QWidget* parent) : QDialog(parent), station_(station) {
    setObjectName("frmTervakLogo");
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    placeTwips(this, 0, 0, kWidth, kHeight);
    Image1 = new QLabel(this);
    Image1->setProperty("image", true);
    placeTwips(Image1, 0, 0, kWidth, kHeight);
    Image1->setScaledContents(true);
    Image1->setPixmap(builtInLogo(Image1->size()));
    Image1->installEventFilter(this);
    Image2 = new QLabel(this);
    Image2->setProperty("image", true);
    placeTwips(Image2, kWidth - 2400, kHeight - 840, 2160, 600);
    Image2->setPixmap(builtInBadge(Image2->size()));
    Image2->hide();

    Timer1.setInterval(1900);
    Timer2.setInterval(1100);
    connect(&Timer1, &QTimer::timeout, this, &frmTervakLogo::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &frmTervakLogo::Timer2_Timer);
    Timer1.start();
    Timer2.start();
}

void frmTervakLogo::Form_Load() {
    const auto screen = station_.platform.screen.screenTwips();
    const double k = station::ui::pixelsPerTwip(this);
    const double left = (screen.width - width() / k) / 2;
    const double top = std::max(0.0, (screen.height - height() / k) / 2 - 170);
    move(static_cast<int>((screen.left + left) * k), static_cast<int>((screen.top + top) * k));

    std::string base;
    station::FindUserFolder(station_, base, "/Tervak Software", "/Shared");
    const std::string path = base + "/Shared/splash.jpg";
    if (!station_.platform.files.exists(path) || station_.platform.files.isDirectory(path)) return;
    QPixmap picture;
    // A picture that cannot be read keeps the built-in logo and its timing.
    if (!picture.load(platform::qt::pathToQ(path))) return;
    Image1->setPixmap(picture);
    splashShown = true;
    Timer1.stop();
    Timer1.setInterval(2700);
    Timer1.start();
    Timer2.stop();
}

void frmTervakLogo::Timer1_Timer() {
    Timer1.stop();
    Timer2.stop();
    done(QDialog::Accepted);
}

void frmTervakLogo::Timer2_Timer() { Image2->show(); }

void frmTervakLogo::Image1_Click() { Timer1_Timer(); }

bool frmTervakLogo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress) {
        Image1_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
