#include "form1.h"

#include "degreeresources.h"
#include "degrees.h"
#include "ui_form1.h"

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TForm1>())
    , kinship(KinshipTable::initial())
    , rules(kinship)
{
    ui->setupUi(this);
    // The layout gives a top-level window only its size; its restored place
    // is the stored one too.
    move(11, 17);
    ui->TabSheet2->setTable(&kinship);
    ui->StatusBar1->setPanelDescription(0, QStringLiteral("Положение мыши на рисунке"));
    ui->StatusBar1->setPanelDescription(1, QStringLiteral("От кого считать"));
    ui->StatusBar1->setPanelDescription(2, QStringLiteral("Кого видим"));
    describePair(shown);
    ui->PageControl1->setFocus();

    connect(ui->Image1, &PictureView::mouseDown, this, &TForm1::Image1MouseDown);
    connect(ui->Image1, &PictureView::mouseMove, this, &TForm1::Image1MouseMove);
    connect(ui->Stepeny, &RadioGroup::userChoseItem, this, &TForm1::StepenyClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
}

TForm1::~TForm1() = default;

bool TForm1::event(QEvent *event)
{
    // Only the first activation after start-up counts; coming back from
    // another application or from the task bar later does not.
    if (event->type() == QEvent::WindowActivate && !activated) {
        activated = true;
        FormActivate();
    }
    return QMainWindow::event(event);
}

void TForm1::FormActivate()
{
    rules.FormActivate();
}

void TForm1::Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    rules.Image1MouseDown(button, shift, x, y);
    showRelations();
}

void TForm1::Image1MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    rules.Image1MouseMove(shift, x, y);
    showRelations(rules.lastMoveHitPerson());
}

void TForm1::StepenyClick()
{
    const int n = ui->Stepeny->itemIndex();
    // The stored texts break lines with CR LF; the memo wants plain line breaks.
    ui->StepMemo->setPlainText(
        LoadDegreeText(Degrees::textName(n)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QImage picture = ui->Image1->picture();
    LoadJpegFromResource(Degrees::pictureName(n), picture);
    // The decoded picture owns its pixels: the view takes it without a copy.
    ui->Image1->takePicture(std::move(picture));
}

void TForm1::BitBtn1Click()
{
    close();
}

// Writes what the rules now show into the controls, touching only what
// changed, so that a move within one box costs no more than the status text.
// overPerson: a move over a person, after which the labels show the pair
// under the mouse.
void TForm1::showRelations(bool overPerson)
{
    const RelationsDisplay &d = rules.display();
    if (d.kursorFrom != shown.kursorFrom)
        ui->KursorFrom->move(d.kursorFrom);
    if (d.kursorTo != shown.kursorTo)
        ui->KursorTo->move(d.kursorTo);
    if (d.kursorToColor != shown.kursorToColor)
        ui->KursorTo->setColor(d.kursorToColor);
    if (d.shape2Color != shown.shape2Color)
        ui->Shape2->setColor(d.shape2Color);
    if (d.nameFrom != shown.nameFrom)
        ui->NameFrom->setText(d.nameFrom);
    if (d.nameTo != shown.nameTo)
        ui->NameTo->setText(d.nameTo);
    for (int i = 0; i < int(d.panels.size()); ++i)
        if (d.panels[i] != shown.panels[i])
            ui->StatusBar1->setPanelText(i, d.panels[i]);
    // A new pair may have the same terms as the last one (1 -> 3 and then
    // 3 -> 12 are both "отец" / "сын"), so the pair counts as well as the terms.
    if (overPerson) {
        const std::pair pair { rules.FromPerson(), rules.ToPerson() };
        if (pair != describedPair || d.nameFrom != shown.nameFrom || d.nameTo != shown.nameTo)
            describePair(d);
    }
    shown = d;
}

// Assistive technology reads the pair the labels speak of from the picture's
// description, e.g. "3 → 8: отец / дочь"; an empty term is left out.
void TForm1::describePair(const RelationsDisplay &d)
{
    describedPair = { rules.FromPerson(), rules.ToPerson() };
    QString terms = d.nameFrom;
    if (!terms.isEmpty() && !d.nameTo.isEmpty())
        terms += QStringLiteral(" / ");
    terms += d.nameTo;
    ui->Image1->setAccessibleDescription(QStringLiteral("%1 → %2: %3")
                                             .arg(describedPair.first)
                                             .arg(describedPair.second)
                                             .arg(terms));
}
