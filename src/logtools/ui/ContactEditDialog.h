#pragma once
// The "Edit Contact Entry" dialog of a logging window: one design with an in-state and an
// out-of-state profile (DEEditInfrm, DEEditOut). It edits the record at the session's
// EditIndex in memory; the window rewrites log.txt and reloads after it closes.

#include <QDialog>
#include <functional>
#include <vector>

#include "logtools/ContactEdit.h"

class QLabel;
class QPushButton;
class Session;
namespace station::ui {
class KeyField;
}

class ContactEditDialog : public QDialog {
    Q_OBJECT
public:
    // cmdDelete: the owning window's delete command, run by "Delete Dupe" (by default the
    // contact being edited is deleted after "Are you sure?").
    ContactEditDialog(Session& session, logtools::EditKind kind, std::function<void()> cmdDelete, QWidget* parent);

    station::ui::KeyField* txtEditCall;
    station::ui::KeyField* txtEditCk;
    station::ui::KeyField* txtEditSec = nullptr;  // in-state County
    station::ui::KeyField* txtEditNum;
    station::ui::KeyField* txtEditPre;            // in-state SPC, out-of-state County
    station::ui::KeyField* txtEditDate;
    station::ui::KeyField* txtEditTime;
    station::ui::KeyField* txtEditBnd;            // the mode
    station::ui::KeyField* Text1;                 // the band
    station::ui::KeyField* Text3 = nullptr;       // in-state County Sent
    QLabel* Label1;                  // "  Dupe!"
    QLabel* Label2;                  // in-state SPC marker, out-of-state County marker
    QLabel* Label3;                  // Mode
    QLabel* Label6;                  // Band
    QLabel* Label7 = nullptr;        // in-state County
    QLabel* Label9 = nullptr;        // in-state County Sent
    QPushButton* cmdDone;
    QPushButton* cmdDeleteDupe;

    void Form_Load();
    void cmdDone_Click();
    void cmdDeleteDupe_Click();

    // The fields by role.
    station::ui::KeyField* countyField() const;
    station::ui::KeyField* spcField() const;
    QLabel* countyMarker() const;
    QLabel* spcMarker() const;

    // Checks run when a field is left; each returns whether the value passed.
    bool Text1_LostFocus();
    bool txtEditBnd_LostFocus();
    bool txtEditDate_LostFocus();
    bool txtEditTime_LostFocus();
    bool County_LostFocus();
    bool Text3_LostFocus();

private:
    logtools::ContactEditFields fields() const;
    void fail(station::ui::KeyField* field, QLabel* marker);
    void badCall();
    void badDate(station::ui::KeyField* field);
    void badTime(station::ui::KeyField* field);
    void Cap2Field(station::ui::KeyField* field);

    Session& session_;
    logtools::EditKind kind_;
    std::function<void()> cmdDelete_;
    int editIndex_ = 0;
    bool refocusing_ = false;
    std::vector<std::string> countyNames_;
    std::vector<std::string> countries_;
};
