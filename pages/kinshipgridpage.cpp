#include "kinshipgridpage.h"

#include "kinshipgrid.h"
#include "kinshiptable.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

KinshipGridPage::KinshipGridPage(QWidget *parent)
    : QWidget(parent)
    , rodGrid(new KinshipGrid(this))
{
    rodGrid->setObjectName(QStringLiteral("RodGrid"));
    rodGrid->setAccessibleName(QStringLiteral("Родство"));
    // The grid keeps its place and size whatever the page's size.
    rodGrid->setGeometry(0, 0, 760, 458);
    rodGrid->setFixedSize(760, 458);

    connect(rodGrid, &KinshipGrid::copyRequested, this, &KinshipGridPage::copyBlock);
    connect(rodGrid, &KinshipGrid::cutRequested, this, &KinshipGridPage::cutBlock);
    connect(rodGrid, &KinshipGrid::pasteRequested, this, &KinshipGridPage::pasteBlock);
}

void KinshipGridPage::setTable(KinshipTable *table)
{
    kinship = table;
    rodGrid->setTable(table);
}

void KinshipGridPage::copyBlock()
{
    if (!kinship)
        return;
    QGuiApplication::clipboard()->setText(kinship->BlockText(rodGrid->selectedBlock()));
}

void KinshipGridPage::cutBlock()
{
    if (!kinship)
        return;
    const TableBlock block = rodGrid->selectedBlock();
    QGuiApplication::clipboard()->setText(kinship->BlockText(block));
    kinship->ClearBlock(block);
    rodGrid->refresh();
    emit tableChanged();
}

void KinshipGridPage::pasteBlock()
{
    if (!kinship)
        return;
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return;
    kinship->PasteText(rodGrid->selectedBlock(), data->text());
    rodGrid->refresh();
    emit tableChanged();
}
