#pragma once
#include "logtools/ui/ContactEditDialog.h"

// The out-of-state window's contact editor (eight fields).
class DEEditOut : public ContactEditDialog {
    Q_OBJECT
public:
    explicit DEEditOut(Session& session, std::function<void()> cmdDelete = {}, QWidget* parent = nullptr)
        : ContactEditDialog(session, logtools::EditKind::OutOfState, std::move(cmdDelete), parent) {}
};
