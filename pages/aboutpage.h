#pragma once

#include <QWidget>

// The page "О программе": what the program is, a word about its texts and
// pictures, and the contact mail link. Every control stands where the
// layout puts it, whatever the page's size.
class AboutPage : public QWidget {
    Q_OBJECT

public:
    explicit AboutPage(QWidget *parent = nullptr);
};
