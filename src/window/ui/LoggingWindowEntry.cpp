// The entry line of the logging window and what follows from the log: checking and logging a
// contact, the recent-contacts list, the score, the multiplier lists, the clock and the rates.
// The window shell calls these; the contest rules behind them live in src/logging/. Each
// handler reads the widgets, asks the core for the decision and applies the answer.

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>

#include "logging/ContactList.h"
#include "logging/DupeCheck.h"
#include "logging/EntryKeys.h"
#include "logging/Mains.h"
#include "logging/MultiplierLists.h"
#include "logging/Prefix.h"
#include "logging/Rates.h"
#include "logging/Scoring.h"
#include "logging/StateTable.h"
#include "logtools/ContactEdit.h"
#include "logtools/ui/EditContact.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/LogStore.h"
#include "station/Profile.h"
#include "window/ui/ControlStyle.h"
#include "window/ui/LoggingWindow.h"

namespace window::ui {

using logging::EntryField;
using platform::qt::fromQ;
using platform::qt::toQ;

namespace {
logging::WindowKind rulesKind(const WindowProfile& p) {
    return p.kind == WindowKind::InState ? logging::WindowKind::InState : logging::WindowKind::OutOfState;
}

constexpr const char* kStatusRed = "#FF0000";

// A colour stored as blue-green-red, as a style-sheet colour.
QString Css(int32_t bgr) {
    return QStringLiteral("#%1%2%3")
        .arg(bgr & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((bgr >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((bgr >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

void SetStatus(LoggingWindow& w, const std::string& text, const char* background) {
    w.lblDialog->setText(toQ(text));
    w.lblDialog->setStyleSheet(
        QStringLiteral("QLabel { background: %1; color: black; padding-left: 3px; }").arg(QLatin1String(background)));
}

void SetStatusBackground(LoggingWindow& w, const char* background) {
    w.lblDialog->setStyleSheet(
        QStringLiteral("QLabel { background: %1; color: black; padding-left: 3px; }").arg(QLatin1String(background)));
}

// The partial-duplicate panel: teal while it lists calls, the button face when empty.
void SetDupePanel(LoggingWindow& w, const std::string& text) {
    w.lblDupe->setText(toQ(text));
    w.lblDupe->setStyleSheet(text.empty() ? QString()
                                          : QStringLiteral("QLabel { background: %1; }").arg(QLatin1String(kStatusTeal)));
}

QLineEdit* Field(LoggingWindow& w, EntryField f) {
    switch (f) {
        case EntryField::Call: return w.txtCall;
        case EntryField::RstReceived: return w.txtRSTR;
        case EntryField::Country: return w.txtCntry;
        case EntryField::County: return w.txtSec;
        case EntryField::RstSent: return w.txtRSTS;
        case EntryField::PostConTime: return w.txtPostConTime;
        case EntryField::PostConDate: return w.txtPostConDate;
        case EntryField::None: break;
    }
    return nullptr;
}

constexpr EntryField kFields[] = {EntryField::Call, EntryField::RstReceived, EntryField::Country, EntryField::County,
                                  EntryField::RstSent, EntryField::PostConTime, EntryField::PostConDate};

EntryField FieldOf(LoggingWindow& w, const QObject* o) {
    for (EntryField f : kFields)
        if (Field(w, f) == o) return f;
    return EntryField::None;
}

logging::FieldState Read(const QLineEdit* e) {
    logging::FieldState s;
    s.text = fromQ(e->text());
    s.selStart = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
    s.selLength = e->hasSelectedText() ? static_cast<int>(e->selectedText().size()) : 0;
    s.maxLength = e->maxLength();
    return s;
}

void Write(QLineEdit* e, const logging::FieldState& s) {
    const QString text = toQ(s.text);
    if (e->text() != text) e->setText(text);
    if (s.selLength > 0) e->setSelection(s.selStart, s.selLength);
    else e->setCursorPosition(s.selStart);
}

logging::EntryLine ReadLine(LoggingWindow& w) {
    logging::EntryLine line;
    for (EntryField f : kFields) line[f] = Read(Field(w, f));
    return line;
}

// Writes back the fields the decision changed, the one the key was typed in last (its change
// handling, such as the call's prefix lookup, then sees the others as they now are).
void WriteLine(LoggingWindow& w, const logging::EntryLine& before, logging::EntryLine& after, EntryField last) {
    for (EntryField f : kFields)
        if (f != last && !(before[f] == after[f])) Write(Field(w, f), after[f]);
    if (last != EntryField::None && !(before[last] == after[last])) Write(Field(w, last), after[last]);
}

logging::KeyContext Context(LoggingWindow& w) {
    const Session& s = w.session();
    return {rulesKind(w.profile()), s.contest.clock.LoggedOn, s.profile.CurrentMode, s.profile.HomeState,
            &s.prefixes, &s.counties};
}

logging::DupeContext DupeContextOf(LoggingWindow& w) {
    const auto& p = w.session().profile;
    return {rulesKind(w.profile()), p.CurrentBand, p.CurrentMode, p.CurrentCounty, p.HomeState};
}

logging::StationPosition Position(LoggingWindow& w) {
    const auto& p = w.session().profile;
    return {p.StationLatitude, p.StationLongitude};
}

// The character a key event types as a key code, 0 for a key the entry line leaves to the
// field (Tab, arrows, Delete, Ctrl and Alt combinations).
int16_t TypedKey(const QKeyEvent* e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return 0;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return 13;
    if (e->key() == Qt::Key_Backspace) return 8;
    const QString text = e->text();
    if (text.size() != 1 || !text[0].isPrint()) return 0;  // Delete (DEL) edits as in any field
    const std::string bytes = fromQ(text);
    return bytes.size() == 1 ? static_cast<int16_t>(static_cast<unsigned char>(bytes[0])) : 0;
}

class EntryLineFilter : public QObject {
public:
    explicit EntryLineFilter(LoggingWindow& w) : QObject(&w), w_(w) {}
    bool eventFilter(QObject* watched, QEvent* e) override { return w_.entryLineEvent(watched, e); }

private:
    LoggingWindow& w_;
};

void EnsureEntryLine(LoggingWindow& w) {
    if (w.entry.filter) return;
    auto* filter = new EntryLineFilter(w);
    w.entry.filter = filter;
    // The calls read from the left, where the newest match stands; empty, it shows the button face.
    w.lblDupe->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetDupePanel(w, "");
    w.entry.dupeFlagTimer = new QTimer(&w);
    w.entry.dupeFlagTimer->setSingleShot(true);
    QObject::connect(w.entry.dupeFlagTimer, &QTimer::timeout, &w, [&w] { w.session().contest.DupeFlag = false; });
    // Installed after the window's own key filter, so it is asked first: it hands each key to
    // the window's key routing before the field's rules. (Quotes and control characters are
    // kept out of the fields, whatever writes them, by each field's EntryFieldFilter.)
    for (EntryField f : kFields) Field(w, f)->installEventFilter(filter);
    QObject::connect(w.txtRSTS, &QLineEdit::textChanged, &w,
                     [&w] { w.session().contest.CWRstSent = fromQ(w.txtRSTS->text()); });
    for (int i = 1; i < static_cast<int>(w.Label10.size()); ++i)
        if (w.Label10[i]) {
            w.Label10[i]->installEventFilter(filter);
            w.Label10[i]->setMouseTracking(true);
        }
    w.ListView1->viewport()->installEventFilter(filter);
    w.ListView1->installEventFilter(filter);
    // A click on a heading orders the rows once by that column's text; the list is not left
    // sorting, so the next refill lists newest first again. A tree's headings take no clicks
    // unless made to.
    w.ListView1->header()->setSectionsClickable(true);
    QObject::connect(w.ListView1->header(), &QHeaderView::sectionClicked, &w,
                     [&w](int column) { w.ListView1->sortItems(column, Qt::AscendingOrder); });
    const bool in = w.profile().kind == WindowKind::InState;
    auto listClick = [&w, in](QListWidget* list, EntryField target) {
        if (!list) return;
        QObject::connect(list, &QListWidget::itemClicked, &w, [&w, in, target](QListWidgetItem* item) {
            if (target == EntryField::Country) {
                w.txtCntry->setText(item->data(Qt::UserRole).toString());
                w.moveEntryFocus(EntryField::Country);
                return;
            }
            if (in) w.txtCntry->setText(toQ(w.session().profile.HomeState));
            w.txtSec->setText(item->text());
            w.moveEntryFocus(in ? EntryField::County : EntryField::Call);
        });
    };
    if (in) {
        listClick(w.List1, EntryField::Country);
        listClick(w.List2, EntryField::County);
        listClick(w.List3, EntryField::County);
    } else {
        listClick(w.List1, EntryField::County);
        listClick(w.List2, EntryField::County);
    }
}

void ClearLocationLabels(LoggingWindow& w) {
    w.Label19->setText(QString());
    w.Label22->setText(QString());
    w.Label23->setText(QString());
}

void Beep(LoggingWindow& w) { w.session().platform.dialogs.beep(); }

// text broken at its blanks and after its hyphens into lines no wider than room (a single word
// wider than room keeps a line of its own).
QString LinesToFit(const QString& text, const QFontMetrics& fm, int room) {
    // The pieces a line may end after: words, and the parts of a hyphenated word.
    QStringList pieces;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = word.split(QLatin1Char('-'));
        for (int i = 0; i < parts.size(); ++i)
            pieces << parts[i] + (i + 1 < parts.size() ? QStringLiteral("-") : QString());
        pieces.last() += QLatin1Char(' ');
    }
    QString out, line;
    for (const QString& piece : pieces) {
        const QString longer = line + piece;
        if (!line.isEmpty() && fm.horizontalAdvance(longer.trimmed()) > room) {
            out += (out.isEmpty() ? QString() : QStringLiteral("\n")) + line.trimmed();
            line = piece;
        } else {
            line = longer;
        }
    }
    if (!line.trimmed().isEmpty()) out += (out.isEmpty() ? QString() : QStringLiteral("\n")) + line.trimmed();
    return out;
}

// A Tab keystroke sent to the window from a field: the focus goes to the next control of the
// tab order that is shown and takes Tab (the call field after the last).
void SendTab(LoggingWindow& w, QWidget* from) {
    QWidget* next = from;
    for (int guard = 0; guard < 1000; ++guard) {
        next = next->nextInFocusChain();
        if (!next || next == from) return;
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(&w) && next->isEnabled() && next->window() == &w)
            break;
    }
    const EntryField field = FieldOf(w, next);
    if (field != EntryField::None) w.moveEntryFocus(field);
    else next->setFocus(Qt::TabFocusReason);
}
}  // namespace

// ---- keys, focus and clicks

bool LoggingWindow::entryLineEvent(QObject* watched, QEvent* e) {
    const EntryField field = FieldOf(*this, watched);
    if (field != EntryField::None) {
        if (e->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(e);
            const int16_t code = TypedKey(key);
            if (code == 0) return false;  // the window's routing and the field take it
            if (handleKey(key)) return true;
            // A key typed into a field whose enter handling has not run (the window got the
            // keyboard without a focus event, as without a window manager) runs it first.
            if (entry.focused != field) moveEntryFocus(field);
            const logging::EntryLine before = ReadLine(*this);
            logging::EntryLine line = before;
            const auto fx = logging::KeyPress(line, field, code, session_.contest, Context(*this));
            // A short call's labels are cleared before the key lands: the call's change then
            // looks its prefix up and fills them again ("DL": Germany, EU, bearing, distance).
            if (fx.clearLocation) ClearLocationLabels(*this);
            WriteLine(*this, before, line, field);
            if (fx.typeAheadRow > 0) {
                const auto& row = session_.prefixes.rows.at(static_cast<size_t>(fx.typeAheadRow - 1));
                const auto geo = logging::ShowBearingDistance(session_.profile.StationLatitude,
                                                              session_.profile.StationLongitude, row.Latitude, row.Longitude);
                Label19->setText(toQ(row.Continent));
                Label22->setText(toQ(geo.bearing));
                Label23->setText(toQ(geo.miles));
            }
            for (int i = 0; i < fx.beeps; ++i) Beep(*this);
            if (fx.dialog) lblDialog->setText(toQ(*fx.dialog));
            if (fx.partialKey) PartialDupCheck(before.call.text, *fx.partialKey);
            if (fx.clearDupeFlag) ClearDupeFlagAfterDelay();
            for (EntryField f : fx.focus) moveEntryFocus(f);
            if (fx.sendTab) SendTab(*this, Field(*this, field));
            if (fx.runMains) Mains();
            return true;
        }
        if (e->type() == QEvent::FocusIn) {
            if (entry.focused != field) moveEntryFocus(field);
            return false;
        }
        if (e->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(e)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
                reason == Qt::MenuBarFocusReason)
                return false;
            if (FieldOf(*this, QApplication::focusWidget()) == EntryField::None && entry.focused == field) {
                if (field == EntryField::Call) txtCall_LostFocus();
                entry.focused = EntryField::None;
            }
            return false;
        }
        return false;
    }
    if (inState()) {
        for (int i = 1; i < static_cast<int>(Label10.size()); ++i) {
            if (Label10[i] != watched) continue;
            if (e->type() == QEvent::MouseButtonPress) txtCntry->setText(Label10[i]->text());
            if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter)
                lblDupe->setText(toQ(logging::GridHoverText(session_.log, i)));
            return false;
        }
    }
    if (watched == ListView1->viewport() && e->type() == QEvent::MouseButtonRelease) {
        // A click anywhere in the list, on a row or below the last one.
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) ListView1_Click();
        if (static_cast<QMouseEvent*>(e)->button() == Qt::RightButton && ListView1->topLevelItemCount() > 0)
            cmdEdit_Click();
        return false;
    }
    if (watched == ListView1 && e->type() == QEvent::FocusOut) ListView1_LostFocus();
    return false;
}

// Leaves the field that has the focus (its leave handling) and enters another (its enter
// handling, which may send the focus on).
void LoggingWindow::moveEntryFocus(EntryField target) {
    const bool in = inState();
    // The prompts of each field entered; a field that sends the focus on asks for its own
    // prompt after the next field has asked for its.
    std::vector<std::vector<std::string>> prompts;
    for (int guard = 0; guard < 4 && target != EntryField::None && entry.focused != target; ++guard) {
        if (entry.focused == EntryField::Call) {
            entry.backToCall = false;
            txtCall_LostFocus();
            if (entry.backToCall) target = EntryField::Call;
        }
        entry.focused = target;
        logging::EntryLine before = ReadLine(*this);
        logging::EntryLine line = before;
        if (target == EntryField::PostConDate) {
            logging::PostConDateGotFocus(line.postConDate, session_.platform.clock.localNow());
            WriteLine(*this, before, line, EntryField::None);
            break;
        }
        const auto fx = logging::GotFocus(line, target, Context(*this), session_.profile.VoiceNavMode,
                                          ListView1->topLevelItemCount(), session_.log.ContactCount());
        WriteLine(*this, before, line, EntryField::None);
        prompts.push_back(fx.prompts);
        if (fx.hideEditDelete) {
            cmdEdit->hide();
            cmdDelete->hide();
        }
        if (fx.refillList) FillListView1();
        if (in && fx.countyCaptionEnabled) lblStation[4]->setEnabled(*fx.countyCaptionEnabled);
        if (fx.focus.empty()) break;
        target = fx.focus.back();
    }
    for (auto it = prompts.rbegin(); it != prompts.rend(); ++it)
        for (const auto& q : *it) session_.voiceNav.BlindKeyPhone(q);
    if (QLineEdit* e = Field(*this, entry.focused)) e->setFocus();
}

void LoggingWindow::txtCall_LostFocus() {
    if (txtCall->text().isEmpty()) return;
    const logging::EntryLine before = ReadLine(*this);
    logging::EntryLine line = before;
    const bool listPrevious = session_.profile.ListPrevious == 1;
    const auto rover = logging::DupCheck2(DupeContextOf(*this), session_.log, line.texts(), listPrevious);
    if (listPrevious) {
        ListView1->clear();
        for (int k : rover.previous) {
            const auto row = logging::RowOf(session_.log.at(k), k, rulesKind(profile_), session_.profile.RoverFlag == 1);
            QStringList cells;
            for (const auto& c : row.cells) cells << toQ(c);
            ListView1->addTopLevelItem(new QTreeWidgetItem(cells));
        }
    }
    if (rover.hardDupe) {
        session_.contest.DupeFlag = true;
        session_.contest.DupeTime = session_.platform.clock.localNow();
        SetStatus(*this, rover.hardDupe->message, kStatusRed);
        SetDupePanel(*this, "");
        Beep(*this);
        session_.voiceNav.PlayDupe(session_.profile.VoiceNavMode);
        logging::ClearEntries(line);
        ClearLocationLabels(*this);
        if (inState()) lblStation[4]->setEnabled(false);
        entry.backToCall = true;
    } else {
        line.sec.text = rover.fields.County;
        line.cntry.text = rover.fields.Country;
        if (rover.countyFilled) line.sec = {rover.fields.County, 0, static_cast<int>(rover.fields.County.size()), line.sec.maxLength};
        if (rover.countryFilled)
            line.cntry = {rover.fields.Country, 0, static_cast<int>(rover.fields.Country.size()), line.cntry.maxLength};
        for (size_t i = 0; i < rover.warnings.size(); ++i) Beep(*this);
        if (!rover.warnings.empty()) {
            SetStatus(*this, rover.message, kStatusRed);
            if (inState()) SetDupePanel(*this, "");
            else lblDupe->setStyleSheet(QString());
        }
    }
    logging::PresetReports(line, session_.profile.CurrentMode);
    WriteLine(*this, before, line, EntryField::None);
}

// callText: the call as it stood before the key (the check adds the key itself).
void LoggingWindow::PartialDupCheck(const std::string& callText, int key) {
    SetStatusBackground(*this, kStatusTeal);
    const auto out = logging::PartialDupCheck(DupeContextOf(*this), session_.log, callText, key,
                                              session_.contest.PartialDupesOn, session_.contest.clock.LoggedOn);
    SetDupePanel(*this, out.list);
    if (out.beep) Beep(*this);
    if (out.dialog) lblDialog->setText(toQ(*out.dialog));
}

// The duplicate flag drops three seconds after the duplicate was stamped (on a clock of whole
// seconds, between 2 and 3 s after it; at most 3 s also when the clock was set back). A timer
// does it, so the window never stops taking keys for it.
void LoggingWindow::ClearDupeFlagAfterDelay() {
    auto& contest = session_.contest;
    if (!contest.DupeFlag || !entry.dupeFlagTimer) return;
    const int64_t left = contest.DupeTime.secondsSinceEpoch() + 3 - session_.platform.clock.localNow().secondsSinceEpoch();
    if (left <= 0) {
        contest.DupeFlag = false;
        return;
    }
    entry.dupeFlagTimer->start(static_cast<int>(std::min<int64_t>(left, 3) * 1000));
}

// ---- logging

void LoggingWindow::Mains() {
    if (entry.mainsRunning) {
        entry.mainsPending = true;
        return;
    }
    entry.mainsRunning = true;
    const auto kind = rulesKind(profile_);
    logging::MainsInput in;
    const logging::EntryLine before = ReadLine(*this);
    in.fields = before.texts();
    QAction* post = menuItem("mnuPostContest");
    in.postContest = post && post->isChecked();
    in.postConDate = fromQ(txtPostConDate->text());
    in.postConTime = fromQ(txtPostConTime->text());
    const auto r = logging::Mains(session_, kind, in);

    if (r.clockStarted) {
        cmdLogOn->setText(toQ(logging::kTimeOffCaption));
        lblDialog->setText(QStringLiteral(" "));
    }
    if (r.postConDate) txtPostConDate->setText(toQ(*r.postConDate));
    if (r.postConTime) txtPostConTime->setText(toQ(*r.postConTime));
    for (const auto& m : r.messages) {
        Beep(*this);
        lblDialog->setText(toQ(m.text));
    }
    if (r.dialogRed) SetStatusBackground(*this, kStatusRed);
    if (r.continentNA && Label19->text().isEmpty()) Label19->setText(QStringLiteral("NA"));
    // Before the focus returns to the call field, whose prompt then waits for "Dupe".
    if (r.duplicate) session_.voiceNav.PlayDupe(session_.profile.VoiceNavMode);
    if (r.stored && r.messages.empty()) SetStatus(*this, "", kStatusTeal);

    logging::EntryLine line = before;
    line.call.text = r.fields.Call;
    line.rstr.text = r.fields.RstReceived;
    line.cntry.text = r.fields.Country;
    line.sec.text = r.fields.County;
    line.rsts.text = r.fields.RstSent;
    for (auto* f : {&line.call, &line.rstr, &line.cntry, &line.sec, &line.rsts}) {
        if (f->selStart > static_cast<int>(f->text.size())) f->selStart = static_cast<int>(f->text.size());
        if (f->selStart + f->selLength > static_cast<int>(f->text.size())) f->selLength = 0;
    }
    if (r.countyFilled) line.sec = {line.sec.text, 0, static_cast<int>(line.sec.text.size()), line.sec.maxLength};
    if (r.countryFilled) line.cntry = {line.cntry.text, 0, static_cast<int>(line.cntry.text.size()), line.cntry.maxLength};
    // Emptied in the order the line is cleared: report sent, St/Prv, call, report received, county.
    for (EntryField f : {EntryField::RstSent, EntryField::Country, EntryField::Call, EntryField::RstReceived,
                         EntryField::County})
        if (!(before[f] == line[f])) Write(Field(*this, f), line[f]);

    if (r.stored) {
        ShowScore();
        BuildCountyLists();
        if (inState()) {
            ShowSectionsWorked();
            ShowDXList();
        }
        FillListView1();
    }
    if (r.lineCleared) {
        ClearLocationLabels(*this);
        if (inState()) lblStation[4]->setEnabled(false);
    }
    const EntryField focus = r.finalFocus();
    if (focus != EntryField::None) moveEntryFocus(focus);
    SetDupePanel(*this, "");
    ShowQsoRate();
    if (r.relogged) setLabel25(session_.profile.CurrentCounty);

    entry.mainsRunning = false;
    if (entry.mainsPending) {
        entry.mainsPending = false;
        QTimer::singleShot(0, this, [this] { Mains(); });
    }
}

// ---- score, lists and grid

void LoggingWindow::RefreshFromLog() { RefreshFromLog(true); }

void LoggingWindow::RefreshFromLog(bool reloadFile) {
    EnsureEntryLine(*this);
    if (!logging::RefreshFromLog(session_, rulesKind(profile_), reloadFile)) return;
    BuildCountyLists();
    if (inState()) {
        ShowSectionsWorked();
        ShowDXList();
    }
    ShowQsoRate();
    ShowScore();
    FillListView1();
}

void LoggingWindow::ShowScore() {
    const auto texts = logging::ShowScore(session_.contest.score, rulesKind(profile_));
    lblTotCon->setText(toQ(texts.PhContacts));
    (inState() && lblsectogo ? lblsectogo : lblSectogo)->setText(toQ(texts.CwContacts));
    lblTotSec->setText(toQ(texts.Multipliers));
    lblTotScore->setText(toQ(texts.Score));
}

void LoggingWindow::BuildCountyLists() {
    const auto kind = rulesKind(profile_);
    const auto lists = logging::BuildCountyLists(kind, session_.log, session_.counties, session_.contest.View,
                                                 session_.profile.CurrentMode);
    auto fill = [](QListWidget* list, const std::vector<std::string>& entries) {
        if (!list) return;
        list->clear();
        for (const auto& e : entries) list->addItem(toQ(e));
    };
    fill(List2, lists.worked);
    fill(inState() ? List3 : List1, lists.remaining);
    if (inState()) {
        lblStation[8]->setText(toQ(lists.workedHeading));
        lblStation[7]->setText(toQ(lists.remainingHeading));
    } else {
        lblStation[5]->setText(toQ(lists.workedHeading));
        lblStation[7]->setText(toQ(lists.remainingHeading));
    }
}

void LoggingWindow::ShowSectionsWorked() {
    const auto worked = logging::ShowSectionsWorked(session_.contest.score.Worked, session_.contest.View,
                                                    session_.profile.CurrentMode);
    for (int i = 1; i <= logging::StateCount; ++i) {
        if (!Label10[i]) continue;
        const int32_t colour = worked[static_cast<size_t>(i)] ? session_.profile.WorkedColor : session_.profile.RemainingColor;
        Label10[i]->setStyleSheet(QStringLiteral("QLabel { background: #C0C0C0; color: %1; }").arg(Css(colour)));
    }
}

void LoggingWindow::ShowDXList() {
    const auto dx = logging::ShowDXList(session_.log, session_.contest.score.DxWorked, session_.contest.View,
                                        session_.profile.CurrentMode, session_.prefixes);
    List1->clear();
    // The list is narrow and country names are long: each name is broken at its blanks into
    // lines that fit, so it shows whole; the item keeps the name itself for a click.
    const QFontMetrics fm(List1->font());
    // From the list's own width: before the window first shows, its viewport has no size yet.
    const int room = List1->width() - 2 * List1->frameWidth() - List1->verticalScrollBar()->sizeHint().width() - 8;
    for (const auto& e : dx.entries) {
        const QString name = toQ(e);
        auto* item = new QListWidgetItem(LinesToFit(name, fm, room), List1);
        item->setData(Qt::UserRole, name);
        item->setToolTip(name);
    }
    if (dx.heading) lblStation[5]->setText(toQ(*dx.heading));
}

// Newest first; the last 20 unless the list shows all contacts.
void LoggingWindow::FillListView1() {
    ListView1->clear();
    const auto rows = logging::FillContactList(session_.log, rulesKind(profile_), session_.profile.RoverFlag == 1,
                                               session_.contest.ListAllContacts);
    for (const auto& row : rows) {
        QStringList cells;
        for (const auto& c : row.cells) cells << toQ(c);
        auto* item = new QTreeWidgetItem(cells);
        // A country name may be longer than its column: the pointer shows it whole.
        if (inState() && cells.size() > 3 && cells[3].size() > 2) item->setToolTip(3, cells[3]);
        ListView1->addTopLevelItem(item);
    }
    if (ListView1->topLevelItemCount() > 0) ListView1->setCurrentItem(ListView1->topLevelItem(0));
}

void LoggingWindow::ClearEntries() {
    logging::EntryLine before = ReadLine(*this);
    logging::EntryLine line = before;
    logging::ClearEntries(line);
    for (EntryField f : {EntryField::RstSent, EntryField::Country, EntryField::Call, EntryField::RstReceived,
                         EntryField::County})
        if (!(before[f] == line[f])) Write(Field(*this, f), line[f]);
    SetDupePanel(*this, "");
    SetStatus(*this, "", kStatusTeal);
    ClearLocationLabels(*this);
    if (inState()) lblStation[4]->setEnabled(false);
    moveEntryFocus(EntryField::Call);
    txtCall->setFocus();
}

void LoggingWindow::ShowOperatingTime() {
    session_.RunningSeconds = session_.profile.OperatingSeconds;
    lblttrack->setText(toQ(logging::OperatingTimeText(session_.RunningSeconds)));
}

void LoggingWindow::ShowQsoRate() {
    const auto rates =
        logging::ShowQsoRate(session_.log, session_.platform.clock.localNow(), session_.profile.HoursOffset);
    if (!rates) return;
    lblAQSO60->setText(QString::number(rates->last60));
    lblAQSO20->setText(QString::number(rates->last20x3));
}

// ---- change handlers

void LoggingWindow::txtCall_Change() {
    session_.contest.CWCall = fromQ(txtCall->text());
    if (inState()) LookupPrefix();
}

void LoggingWindow::LookupPrefix() {
    const auto lookup = logging::LookupPrefix(session_.prefixes, fromQ(txtCall->text()), fromQ(txtCntry->text()),
                                              Position(*this));
    if (lookup.countryText) txtCntry->setText(toQ(*lookup.countryText));
    if (lookup.writeLabels) {
        Label19->setText(toQ(lookup.continent));
        Label22->setText(toQ(lookup.geo.bearing));
        Label23->setText(toQ(lookup.geo.miles));
    }
    if (lookup.countryText) txtCntry->selectAll();
}

void LoggingWindow::txtCntry_Change() {
    const auto change = logging::CountryChanged(rulesKind(profile_), fromQ(txtCntry->text()), session_.profile.HomeState,
                                                session_.stateCoords, session_.contest.score.DxWorked,
                                                session_.profile.CurrentMode, Position(*this), session_.prefixes);
    if (inState()) lblStation[4]->setEnabled(change.countyCaptionEnabled);
    if (change.geo) {
        Label19->setText(QStringLiteral("NA"));
        Label22->setText(toQ(change.geo->bearing));
        Label23->setText(toQ(change.geo->miles));
    }
    Label3->setVisible(change.newVisible);
}

// ---- buttons, menus, timers

void LoggingWindow::cmdLogOn_Click() {
    auto& clock = session_.contest.clock;
    const auto now = session_.platform.clock.localNow();
    if (!clock.LoggedOn) {
        logging::TimeOn(clock, now);
        cmdLogOn->setText(toQ(logging::kTimeOffCaption));
        lblDialog->setText(QStringLiteral(" "));
    } else {
        const std::string message = logging::TimeOff(clock, session_.profile, session_.RunningSeconds, now);
        cmdLogOn->setText(toQ(logging::kTimeOnCaption));
        lblDialog->setText(toQ(message));
        station::SavePreferences(session_);
    }
    moveEntryFocus(EntryField::Call);
}

void LoggingWindow::cmdEdit_Click() {
    QTreeWidgetItem* row = ListView1->currentItem();
    if (!row || !logging::SelectedRecord(session_.log, fromQ(row->text(0)))) return;
    // The window's edit dialog, then log.txt rewritten and everything reloaded and redrawn.
    logtools::ui::EditContact(session_, row->text(0).toInt(), this, [this] { cmdDelete_Click(); }, [this] {
        cmdEdit->hide();
        cmdDelete->hide();
        RefreshFromLog();
    });
}

void LoggingWindow::ListView1_Click() {
    if (ListView1->topLevelItemCount() == 0) return;
    cmdEdit->show();
    cmdDelete->show();
}

void LoggingWindow::ListView1_LostFocus() { ListView1_Click(); }

void LoggingWindow::cmdDelete_Click() {
    QTreeWidgetItem* row = ListView1->currentItem();
    if (!row || !logging::SelectedRecord(session_.log, fromQ(row->text(0)))) return;
    cmdEdit->hide();
    cmdDelete->hide();
    if (logtools::ConfirmAndDelete(session_, row->text(0).toInt())) RefreshFromLog();
}

void LoggingWindow::cmdList_Click() {
    auto& all = session_.contest.ListAllContacts;
    all = !all;
    cmdList->setText(toQ(logging::ListButtonCaption(all)));
    FillListView1();
    moveEntryFocus(EntryField::Call);
}

void LoggingWindow::cmdDup_Click() {
    lblDupe->setStyleSheet(QString());
    auto& on = session_.contest.PartialDupesOn;
    on = !on;
    cmdDup->setText(on ? QStringLiteral("On") : QStringLiteral("Off"));
    moveEntryFocus(EntryField::Call);
}

void LoggingWindow::Command1_Click() {
    auto& view = session_.contest.View;
    view = logging::ToggleView(view);
    Command1->setText(toQ(logging::ViewCaption(view)));
    moveEntryFocus(EntryField::Call);
    if (inState()) RefreshFromLog(false);
    else BuildCountyLists();
}

void LoggingWindow::mnuPostContest_Click() {
    QAction* item = menuItem("mnuPostContest");
    const bool on = item && item->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{lblPostConTime, txtPostConTime, lblPostConDate, txtPostConDate})
        w->setVisible(on);
}

void LoggingWindow::Timer1_Timer() { ShowQsoRate(); }

void LoggingWindow::Timer2_Timer() {
    const auto now = session_.platform.clock.localNow();
    const auto texts = logging::ClockTick(now, session_.profile.HoursOffset);
    lblCurTime->setText(toQ(texts.localTime));
    Label16->setText(toQ(texts.amPm));
    lblutctime->setText(toQ(texts.utcTime));
    const auto& clock = session_.contest.clock;
    if (!clock.LoggedOn) return;
    session_.RunningSeconds = logging::RunningSecondsAt(session_.profile.OperatingSeconds, clock.LogOnTime, now);
    lblttrack->setText(toQ(logging::OperatingTimeText(session_.RunningSeconds)));
}

}  // namespace window::ui
