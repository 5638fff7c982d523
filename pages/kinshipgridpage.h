#pragma once

#include <QWidget>

class KinshipGrid;
class KinshipTable;

// The page "Родство": the whole kinship table in the grid RodGrid, whose
// clipboard keys copy, cut and paste blocks of the table through the system
// clipboard as plain text.
class KinshipGridPage : public QWidget {
    Q_OBJECT

public:
    explicit KinshipGridPage(QWidget *parent = nullptr);

    void setTable(KinshipTable *table);
    KinshipGrid *grid() const { return rodGrid; }

signals:
    // The table's terms changed through a cut or a paste.
    void tableChanged();

private:
    void copyBlock();
    void cutBlock();
    void pasteBlock();

    KinshipTable *kinship = nullptr;
    KinshipGrid *rodGrid;
};
