#include "logtools/ui/CountyMapFL.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <cmath>

#include "logtools/CountyMapPainter.h"
#include "logtools/ui/RgbImageQt.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/ui/FormResize.h"

namespace {

constexpr int kHintHeight = 24;

// Shows the map picture; the hot-spot labels lie on top of it.
class MapPicture : public QWidget {
public:
    MapPicture(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.drawImage(0, 0, image_);
    }

private:
    const QImage& image_;
};

}  // namespace

CountyMapFL::CountyMapFL(Session& session, std::vector<std::string> worked, QWidget* parent)
    : QDialog(parent), session_(session), worked_(std::move(worked)) {
    setWindowTitle(QStringLiteral(" Florida County Map"));
    // The shipped picture; without it the counties show as an empty white area.
    picture_ = QImage(platform::qt::pathToQ(session_.programFile("countymap.png")));
    // Without its borders a fill would run over the whole state, so a missing picture paints
    // nothing.
    mapLoaded_ = !picture_.isNull() && picture_.width() == logtools::kCountyMapWidth &&
                 picture_.height() == logtools::kCountyMapHeight;
    if (!mapLoaded_) {
        picture_ = QImage(logtools::kCountyMapWidth, logtools::kCountyMapHeight, QImage::Format_RGB32);
        picture_.fill(Qt::white);
    } else {
        picture_ = picture_.convertToFormat(QImage::Format_RGB32);
    }
    Picture1 = new MapPicture(picture_, this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(0, 0, logtools::kCountyMapWidth, logtools::kCountyMapHeight);
    const auto& spots = logtools::CountyHotSpots();
    for (size_t i = 0; i < spots.size(); ++i) {
        auto* label = new QLabel(QString::fromLatin1(spots[i].name), Picture1);
        label->setObjectName(QStringLiteral("lblCounty%1").arg(i));
        label->setGeometry(spots[i].left, spots[i].top, spots[i].width, spots[i].height);
        lblCounty[i] = label;
    }
    Label1 = new QLabel(QStringLiteral("Counties will change color when worked."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, logtools::kCountyMapHeight + 2, logtools::kCountyMapWidth - 16, kHintHeight - 4);
    setFixedSize(logtools::kCountyMapWidth, logtools::kCountyMapHeight + kHintHeight);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &CountyMapFL::Timer1_Timer);
    Form_Load();
}

void CountyMapFL::Form_Load() {
    // Not scaled: the picture keeps its pixels; the window is only centred on the screen.
    const auto screen = session_.platform.screen.screenTwips();
    const double k = station::ui::pixelsPerTwip(this);
    move(static_cast<int>(std::lround((screen.left + screen.width / 2) * k - width() / 2.0)),
         static_cast<int>(std::lround((screen.top + screen.height / 2) * k - height() / 2.0)));
    // The names become tool tips over empty, transparent areas: the map shows no text.
    for (auto* label : lblCounty) {
        label->setToolTip(label->text());
        label->setText(QString());
        label->setAttribute(Qt::WA_TranslucentBackground);
    }
    if (session_.log.ContactCount() > 0) Label1->hide();
    Timer1->start();
}

void CountyMapFL::Timer1_Timer() {
    Timer1->stop();
    if (mapLoaded_) ColorWorkedCounties(worked_);
}

void CountyMapFL::ColorWorkedCounties(const std::vector<std::string>& list) {
    auto map = logtools::ui::fromQImage(picture_);
    painted_ = logtools::PaintCounties(map, logtools::PlanWorkedCounties(list, session_.platform.random));
    picture_ = logtools::ui::toQImage(map);
    Picture1->update();
}
