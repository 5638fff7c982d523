#pragma once

#include <QWidget>

class QPlainTextEdit;

// The page "Термины": the glossary of kinship terms in one memo, Memo1, at
// the page's top-left corner. The memo keeps its size whatever the page's
// size; it is editable, and nothing reads back what is typed.
class TermsPage : public QWidget {
    Q_OBJECT

public:
    explicit TermsPage(QWidget *parent = nullptr);

    QPlainTextEdit *memo() const { return Memo1; }

    // The glossary as the memo shows it: the built-in Windows-1251 text with
    // its CR LF (or lone CR) line breaks turned into '\n'.
    static QString glossaryText();
    // Decodes Windows-1251 bytes and normalises the line breaks as above; a
    // break at the very end adds no empty line.
    static QString decodeText(QByteArrayView windows1251);

private:
    QPlainTextEdit *Memo1;
};
