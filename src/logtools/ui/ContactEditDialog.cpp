#include "logtools/ui/ContactEditDialog.h"

#include <QLabel>
#include <QPushButton>

#include "logtools/TypeAhead.h"
#include "logtools/ui/Marker.h"
#include "platform/Platform.h"
#include "platform/qt/Text.h"
#include "session/Session.h"
#include "station/KeyFilters.h"
#include "station/ui/FormResize.h"
#include "station/ui/KeyField.h"
#include "station/ui/WindowKit.h"

using logtools::EditKind;
using station::FieldState;

using station::ui::KeyField;
using station::ui::placeTwips;

namespace {

// Design columns and rows, in twips.
constexpr int kMarkerLeft = 120, kMarkerWidth = 1320;
constexpr int kCaptionLeft = 1560, kCaptionWidth = 1200;
constexpr int kFieldLeft = 2880, kFieldWidth = 2160;
constexpr int kFirstRowTop = 480, kRowPitch = 390;

KeyField* field(const char* name, QWidget* parent) {
    auto* f = new KeyField(parent);
    f->setObjectName(QString::fromLatin1(name));
    return f;
}

}  // namespace

ContactEditDialog::ContactEditDialog(Session& session, EditKind kind, std::function<void()> cmdDelete, QWidget* parent)
    : QDialog(parent), session_(session), kind_(kind), cmdDelete_(std::move(cmdDelete)) {
    setWindowTitle(QStringLiteral("Edit Contact Entry"));
    station::ui::FixedDialogWithCloseBox(*this);
    station::ui::SetDesignFont(this, station::ui::DesignFace::System);
    const bool in = kind == EditKind::InState;
    txtEditCall = field("txtEditCall", this);
    txtEditCk = field("txtEditCk", this);
    if (in) txtEditSec = field("txtEditSec", this);
    txtEditNum = field("txtEditNum", this);
    txtEditPre = field("txtEditPre", this);
    txtEditDate = field("txtEditDate", this);
    txtEditTime = field("txtEditTime", this);
    txtEditBnd = field("txtEditBnd", this);
    Text1 = field("Text1", this);
    if (in) Text3 = field("Text3", this);
    using logtools::ui::kInvalid;
    using logtools::ui::Marker;
    Label1 = Marker(this, QStringLiteral("  Dupe!"));
    Label2 = Marker(this, kInvalid);
    Label3 = Marker(this, kInvalid);
    Label6 = Marker(this, kInvalid);
    if (in) {
        Label7 = Marker(this, kInvalid);
        Label9 = Marker(this, kInvalid);
    }
    cmdDone = new QPushButton(QStringLiteral("Done"), this);
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    cmdDeleteDupe = new QPushButton(QStringLiteral("Delete Dupe"), this);
    cmdDeleteDupe->setObjectName(QStringLiteral("cmdDeleteDupe"));
    cmdDeleteDupe->hide();

    // Rows in Tab order: marker, caption, field; laid out in twips on the reference screen and
    // scaled when the dialog loads.
    struct Row {
        QLabel* marker;
        const char* caption;
        KeyField* field;
    };
    std::vector<Row> rows{{Label1, "Callsign", txtEditCall}, {nullptr, "Rst(R)", txtEditCk},
                          {countyMarker(), "County", countyField()}, {nullptr, "Rst(S)", txtEditNum}};
    if (in) rows.push_back({Label2, "SPC", txtEditPre});
    rows.push_back({nullptr, "Date", txtEditDate});
    rows.push_back({nullptr, "Time", txtEditTime});
    rows.push_back({Label3, "Mode", txtEditBnd});
    rows.push_back({Label6, "Band", Text1});
    if (in) rows.push_back({Label9, "County Sent", Text3});

    auto* title = new QLabel(QStringLiteral("Edit Contact:"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    placeTwips(title, kCaptionLeft, 120, 2400, 285);
    int top = kFirstRowTop;
    QWidget* previous = nullptr;
    for (const auto& row : rows) {
        if (row.marker) placeTwips(row.marker, kMarkerLeft, top, kMarkerWidth, 300);
        placeTwips(new QLabel(QString::fromLatin1(row.caption), this), kCaptionLeft, top, kCaptionWidth, 300);
        placeTwips(row.field, kFieldLeft, top, kFieldWidth, 315);
        if (previous) setTabOrder(previous, row.field);
        previous = row.field;
        top += kRowPitch;
    }
    // "Delete Dupe" stands below the duplicate marker, on the row that has no marker of its own.
    placeTwips(cmdDeleteDupe, kMarkerLeft, kFirstRowTop + kRowPitch, kMarkerWidth, 330);
    placeTwips(cmdDone, kFieldLeft, top + 60, 1200, 390);
    setTabOrder(previous, cmdDone);
    placeTwips(this, 0, 0, kFieldLeft + kFieldWidth + 240, top + 60 + 390 + 180);

    for (const auto& row : session_.counties.rows) countyNames_.push_back(row.Name);
    for (const auto& row : session_.prefixes.rows) countries_.push_back(row.Country);

    // Keys: the double quote is dropped everywhere, Enter runs Done, then each field's filter.
    auto common = [this](int16_t& key) {
        if (key == 34) key = 0;
        if (key == 13) {
            key = 0;
            cmdDone_Click();
        }
    };
    for (KeyField* f : {txtEditCall, txtEditCk, txtEditNum, txtEditBnd, Text1}) {
        f->KeyPress = [common](FieldState&, int16_t& key) {
            common(key);
            station::CapitalizeKey(key);
        };
    }
    txtEditDate->KeyPress = [common](FieldState&, int16_t& key) {
        common(key);
        if (key != 0 && key != 8 && (key < 47 || key > 57)) key = 0;
    };
    txtEditTime->KeyPress = [common](FieldState&, int16_t& key) {
        common(key);
        if (key != 0 && key != 8 && (key < 48 || key > 58)) key = 0;
    };
    for (KeyField* f : {countyField(), Text3}) {
        if (!f) continue;
        f->KeyPress = [this, common](FieldState& s, int16_t& key) {
            common(key);
            logtools::CountyTypeAhead(s, key, countyNames_, logtools::CaretStartRule::AllButSpace);
        };
    }
    if (in) {
        txtEditPre->KeyPress = [this, common](FieldState& s, int16_t& key) {
            common(key);
            logtools::SpcTypeAhead(s, key, countries_);
        };
    }
    Text1->LostFocus = [this] { Text1_LostFocus(); };
    txtEditBnd->LostFocus = [this] { txtEditBnd_LostFocus(); };
    txtEditDate->LostFocus = [this] { txtEditDate_LostFocus(); };
    txtEditTime->LostFocus = [this] { txtEditTime_LostFocus(); };
    countyField()->LostFocus = [this] { County_LostFocus(); };
    if (Text3) Text3->LostFocus = [this] { Text3_LostFocus(); };

    connect(cmdDone, &QPushButton::clicked, this, &ContactEditDialog::cmdDone_Click);
    connect(cmdDeleteDupe, &QPushButton::clicked, this, &ContactEditDialog::cmdDeleteDupe_Click);
    Form_Load();
}

KeyField* ContactEditDialog::countyField() const { return kind_ == EditKind::InState ? txtEditSec : txtEditPre; }
KeyField* ContactEditDialog::spcField() const { return kind_ == EditKind::InState ? txtEditPre : nullptr; }
QLabel* ContactEditDialog::countyMarker() const { return kind_ == EditKind::InState ? Label7 : Label2; }
QLabel* ContactEditDialog::spcMarker() const { return kind_ == EditKind::InState ? Label2 : nullptr; }

void ContactEditDialog::Form_Load() {
    station::ui::ResizeForm(*this, session_);
    setFixedSize(size());
    editIndex_ = static_cast<int>(session_.contest.EditIndex);
    if (editIndex_ < 1 || editIndex_ > session_.log.ContactCount()) {
        editIndex_ = 0;
        return;
    }
    const auto f = logtools::EditFieldsOf(session_.log.at(editIndex_));
    auto set = [](KeyField* w, const std::string& v) {
        if (w) w->setText(platform::qt::toQ(v));
    };
    set(txtEditCall, f.call);
    set(txtEditCk, f.rstReceived);
    set(countyField(), f.county);
    set(txtEditNum, f.rstSent);
    set(spcField(), f.spc);
    set(txtEditDate, f.date);
    set(txtEditTime, f.time);
    set(txtEditBnd, f.mode);
    set(Text1, f.band);
    set(Text3, f.countySent);
    txtEditCall->setFocus();
}

logtools::ContactEditFields ContactEditDialog::fields() const {
    auto get = [](KeyField* w) { return w ? platform::qt::fromQ(w->text()) : std::string(); };
    logtools::ContactEditFields f;
    f.call = get(txtEditCall);
    f.rstReceived = get(txtEditCk);
    f.county = get(countyField());
    f.rstSent = get(txtEditNum);
    f.spc = get(spcField());
    f.date = get(txtEditDate);
    f.time = get(txtEditTime);
    f.mode = get(txtEditBnd);
    f.band = get(Text1);
    f.countySent = get(Text3);
    return f;
}

void ContactEditDialog::fail(KeyField* field, QLabel* label) {
    session_.platform.dialogs.beep();
    if (label) label->show();
    // Putting the focus back must not run the check of the control that had just received it.
    refocusing_ = true;
    field->setFocus();
    refocusing_ = false;
}

void ContactEditDialog::badCall() {
    // The entry line's words for the same refusal.
    session_.platform.dialogs.beep();
    session_.platform.dialogs.messageBox("Need Call Sign!", platform::MsgButtons::OK, platform::MsgIcon::None,
                                         "Need Call Sign!");
    refocusing_ = true;
    txtEditCall->setFocus();
    refocusing_ = false;
}

void ContactEditDialog::badDate(KeyField* field) {
    session_.platform.dialogs.beep();
    session_.platform.dialogs.messageBox("You have entered an invalid date format!", platform::MsgButtons::OK,
                                         platform::MsgIcon::None, "Invalid Date Format!");
    refocusing_ = true;
    field->setFocus();
    refocusing_ = false;
}

void ContactEditDialog::badTime(KeyField* field) {
    session_.platform.dialogs.beep();
    session_.platform.dialogs.messageBox("You have entered an invalid time format!", platform::MsgButtons::OK,
                                         platform::MsgIcon::None, "Invalid Time Format!");
    refocusing_ = true;
    field->setFocus();
    refocusing_ = false;
}

bool ContactEditDialog::Text1_LostFocus() {
    if (refocusing_) return true;
    Label6->hide();
    if (logtools::IsEditBand(platform::qt::fromQ(Text1->text()))) return true;
    fail(Text1, Label6);
    return false;
}

bool ContactEditDialog::txtEditBnd_LostFocus() {
    if (refocusing_) return true;
    Label3->hide();
    if (logtools::IsEditMode(platform::qt::fromQ(txtEditBnd->text()))) return true;
    fail(txtEditBnd, Label3);
    return false;
}

bool ContactEditDialog::txtEditDate_LostFocus() {
    if (refocusing_) return true;
    if (logtools::IsEditDate(platform::qt::fromQ(txtEditDate->text()))) return true;
    badDate(txtEditDate);
    return false;
}

bool ContactEditDialog::txtEditTime_LostFocus() {
    if (refocusing_) return true;
    if (logtools::IsEditTime(platform::qt::fromQ(txtEditTime->text()))) return true;
    badTime(txtEditTime);
    return false;
}

bool ContactEditDialog::County_LostFocus() {
    if (refocusing_) return true;
    countyMarker()->hide();
    const auto f = logtools::StoredForm(kind_, fields());
    const bool ok = logtools::IsEditCounty(kind_, f.county, session_.counties);
    session_.contest.BadEntry = !ok;
    if (!ok) fail(countyField(), countyMarker());
    return ok;
}

bool ContactEditDialog::Text3_LostFocus() {
    if (refocusing_ || !Text3) return true;
    Label9->hide();
    const bool ok = logtools::IsCountyName(platform::qt::fromQ(Text3->text()), session_.counties);
    session_.contest.BadEntry = !ok;
    if (!ok) fail(Text3, Label9);
    return ok;
}

void ContactEditDialog::cmdDone_Click() {
    if (editIndex_ == 0) {
        hide();
        return;
    }
    auto f = fields();
    const auto result = logtools::CheckEditDone(kind_, f, session_.log, editIndex_, session_.counties, session_.prefixes);
    if (spcField()) spcField()->setText(platform::qt::toQ(f.spc));
    using logtools::EditCheck;
    switch (result.check) {
        case EditCheck::BadCall: badCall(); return;
        case EditCheck::BadTime: badTime(txtEditTime); return;
        case EditCheck::BadDate: badDate(txtEditDate); return;
        case EditCheck::BadBand: fail(Text1, Label6); return;
        case EditCheck::BadMode: fail(txtEditBnd, Label3); return;
        case EditCheck::BadCounty: fail(countyField(), countyMarker()); return;
        case EditCheck::BadCountySent: fail(Text3, Label9); return;
        case EditCheck::Duplicate:
            for (size_t i = 0; i < result.duplicates.size(); ++i) session_.platform.dialogs.beep();
            Label1->show();
            cmdDeleteDupe->show();
            if (spcMarker()) {
                const bool spcOk = logtools::IsEditSpc(logtools::StoredForm(kind_, f).spc, session_.prefixes);
                spcMarker()->setVisible(!spcOk);
                if (!spcOk) session_.platform.dialogs.beep();
            }
            return;
        case EditCheck::BadSpc:
            Label1->hide();
            session_.platform.dialogs.beep();
            spcMarker()->show();
            return;
        case EditCheck::Ok: break;
    }
    Label1->hide();
    if (spcMarker()) spcMarker()->hide();
    logtools::StoreEdit(kind_, f, session_.log.at(editIndex_));
    hide();
}

void ContactEditDialog::cmdDeleteDupe_Click() {
    hide();
    if (cmdDelete_) {
        cmdDelete_();
    } else if (editIndex_ > 0) {
        logtools::ConfirmAndDelete(session_, editIndex_);
    }
}
