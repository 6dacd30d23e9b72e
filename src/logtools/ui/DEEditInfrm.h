#pragma once
#include "logtools/ui/ContactEditDialog.h"

// The in-state window's contact editor (ten fields).
class DEEditInfrm : public ContactEditDialog {
    Q_OBJECT
public:
    explicit DEEditInfrm(Session& session, std::function<void()> cmdDelete = {}, QWidget* parent = nullptr)
        : ContactEditDialog(session, logtools::EditKind::InState, std::move(cmdDelete), parent) {}
};
