#pragma once
// The county list: Florida's counties with their abbreviations; a click puts the county's name
// into the live logging window's county field and closes the list.

#include <QDialog>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class Session;

class frmCountyList : public QDialog {
    Q_OBJECT
public:
    // txtSec: the live window's county field, which a click fills (may be null).
    frmCountyList(Session& session, QLineEdit* txtSec, QWidget* parent = nullptr);

    QTreeWidget* ListView1;

    void Form_Load();
    void ListView1_Click(QTreeWidgetItem* item);

private:
    Session& session_;
    QLineEdit* txtSec_;
};
