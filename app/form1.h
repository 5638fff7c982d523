#pragma once

#include "kinshiptable.h"
#include "relations.h"

#include <QMainWindow>

#include <memory>
#include <utility>

namespace Ui {
class TForm1;
}

// The program's one window. Its layout, captions and content come from
// form1.ui; the code here holds the event handlers and hands the results of
// the relations rules to the controls.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    const KinshipTable &table() const { return kinship; }
    const Relations &relations() const { return rules; }

    void FormActivate();
    void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void StepenyClick();
    void BitBtn1Click();

protected:
    bool event(QEvent *event) override;

private:
    void showRelations(bool overPerson = false);
    void describePair(const RelationsDisplay &d);

    std::unique_ptr<Ui::TForm1> ui;
    KinshipTable kinship;
    Relations rules;
    RelationsDisplay shown;
    // The reference and hovered persons whose terms the labels show.
    std::pair<int, int> describedPair;
    bool activated = false;
};
