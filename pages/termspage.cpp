#include "termspage.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringDecoder>

TermsPage::TermsPage(QWidget *parent)
    : QWidget(parent)
    , Memo1(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("TabSheet4"));

    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("Термины"));
    // No layout: the memo stays at its place and size when the page grows
    // or shrinks, and the page cuts it off when it is smaller.
    Memo1->setGeometry(0, 0, 767, 475);
    Memo1->setFixedSize(767, 475);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    Memo1->setFont(font);
    // A vertical bar that is always there, as a memo with vertical scroll
    // bars shows it; long lines wrap instead of scrolling sideways.
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

    Memo1->setPlainText(glossaryText());
    Memo1->moveCursor(QTextCursor::Start);
    Memo1->verticalScrollBar()->setValue(0);
}

QString TermsPage::glossaryText()
{
    QFile file(QStringLiteral(":/text/glossary.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodeText(file.readAll());
}

QString TermsPage::decodeText(QByteArrayView windows1251)
{
    QStringDecoder decoder("windows-1251");
    QString text = decoder(windows1251);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}
