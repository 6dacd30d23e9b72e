#include "platform/qt/QtServices.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScreen>
#include <QSettings>
#include <cstdlib>

#include "platform/qt/Text.h"

namespace platform::qt {

namespace {
QWidget* dialogParent() { return QApplication::activeWindow(); }

DateTime fromQt(const QDateTime& t) {
    DateTime d;
    d.year = t.date().year();
    d.month = t.date().month();
    d.day = t.date().day();
    d.hour = t.time().hour();
    d.minute = t.time().minute();
    d.second = t.time().second();
    d.msec = t.time().msec();
    return d;
}

// "Text (*.txt)|*.txt|All (*.*)|*.*" becomes "Text (*.txt);;All (*.*)".
QString qtFilter(const std::string& filter) {
    QStringList parts = toQ(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i];
        if (!label.contains('(')) label += " (" + parts[i + 1].replace(';', ' ') + ")";
        out << label;
    }
    if (out.isEmpty() && !filter.empty()) out << toQ(filter);
    return out.join(";;");
}

double twipsPerPixel(const QScreen* screen) {
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

// The window manager shows a box's title beside its icon and buttons and cuts what does not fit
// ("Are y...sure?"): a box is made at least as wide as the title in a bold face and room for an
// icon and three buttons, but never wider than the screen's work area.
void makeRoomForTitle(QDialog& box, const QString& title) {
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    int least = fm.horizontalAdvance(title) + 8 * fm.height();
    if (const QScreen* s = box.screen() ? box.screen() : QGuiApplication::primaryScreen())
        least = std::min(least, s->availableGeometry().width() * 9 / 10);
    QLayout* layout = box.layout();
    if (!layout) return;
    auto* room = new QSpacerItem(least, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) grid->addItem(room, grid->rowCount(), 0, 1, grid->columnCount());
    else layout->addItem(room);
}

TwipsRect toTwips(const QRect& r, const QScreen* screen) {
    const double k = twipsPerPixel(screen);
    return {r.x() * k, r.y() * k, r.width() * k, r.height() * k};
}
}  // namespace

MsgResult QtDialogs::messageBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                                const std::string& title) {
    QMessageBox box(dialogParent());
    box.setWindowTitle(toQ(title));
    box.setText(toQ(prompt));
    switch (icon) {
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::None: break;
    }
    switch (buttons) {
    case MsgButtons::OK: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MsgButtons::RetryCancel: box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel); break;
    }
    makeRoomForTitle(box, box.windowTitle());
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgResult::OK;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Retry: return MsgResult::Retry;
    default: return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
    }
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    QInputDialog box(dialogParent());
    box.setWindowTitle(toQ(title));
    box.setLabelText(toQ(prompt));
    box.setTextValue(toQ(defaultText));
    // A long prompt wraps instead of widening the box past the edge of the screen.
    if (auto* label = box.findChild<QLabel*>()) label->setWordWrap(true);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Cancel"));
    makeRoomForTitle(box, box.windowTitle());
    return box.exec() == QDialog::Accepted ? fromQ(box.textValue()) : std::string();
}

std::optional<std::string> QtDialogs::saveFileDialog(const FileDialogRequest& r) {
    QFileDialog::Options options;
    if (!r.overwritePrompt) options |= QFileDialog::DontConfirmOverwrite;
    QString name = QFileDialog::getSaveFileName(dialogParent(), toQ(r.title), pathToQ(r.defaultName),
                                                qtFilter(r.filter), nullptr, options);
    if (name.isEmpty()) return std::nullopt;
    return pathFromQ(name);
}

std::optional<std::string> QtDialogs::openFileDialog(const FileDialogRequest& r) {
    QString name = QFileDialog::getOpenFileName(dialogParent(), toQ(r.title), pathToQ(r.defaultName),
                                                qtFilter(r.filter));
    if (name.isEmpty()) return std::nullopt;
    return pathFromQ(name);
}

std::optional<int32_t> QtDialogs::colorDialog(int32_t initialBgr) {
    QColor initial(initialBgr & 0xFF, (initialBgr >> 8) & 0xFF, (initialBgr >> 16) & 0xFF);
    QColor chosen = QColorDialog::getColor(initial, dialogParent());
    if (!chosen.isValid()) return std::nullopt;
    return chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
}

void QtDialogs::beep() { QApplication::beep(); }

DateTime QtClock::localNow() const { return fromQt(QDateTime::currentDateTime()); }
DateTime QtClock::utcNow() const { return fromQt(QDateTime::currentDateTimeUtc()); }
int64_t QtClock::monotonicMs() const {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed();
}

std::string QtEnvironment::get(const std::string& name) const {
    // The variables the program reads are folders: their bytes are kept as the system has them.
    return qgetenv(name.c_str()).toStdString();
}

TwipsRect QtScreen::screenTwips() const {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? toTwips(s->geometry(), s) : TwipsRect{0, 0, 9600 * 2, 7200 * 2};
}

TwipsRect QtScreen::workAreaTwips() const {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? toTwips(s->availableGeometry(), s) : screenTwips();
}

void QtClipboard::setText(const std::string& text) { QGuiApplication::clipboard()->setText(toQ(text)); }
std::string QtClipboard::text() const { return fromQ(QGuiApplication::clipboard()->text()); }

std::string QtSettingsStore::get(const std::string& app, const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    QSettings s(QStringLiteral("Palmetar"), toQ(app));
    return fromQ(s.value(toQ(section) + "/" + toQ(key), toQ(defaultValue)).toString());
}

void QtSettingsStore::save(const std::string& app, const std::string& section, const std::string& key,
                           const std::string& value) {
    QSettings s(QStringLiteral("Palmetar"), toQ(app));
    s.setValue(toQ(section) + "/" + toQ(key), toQ(value));
}

void QtRandom::seed() {}
double QtRandom::next() { return QRandomGenerator::global()->generateDouble(); }

void QtProgramExit::endProgram(int code) { std::exit(code); }

QtServiceSet::QtServiceSet()
    : services_{dialogs_, clock_, environment_, files_, screen_, clipboard_, settings_, random_, exit_, wave_,
                scheduler_, serial_, keyLines_, keyingClock_, phoneWave_, tcp_} {}

}  // namespace platform::qt
