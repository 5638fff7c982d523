#include "aboutpage.h"

#include "linklabel.h"
#include "shadowlabel.h"

namespace {

// The page's labels, in creation order; a later one lies over an earlier
// one. Shadowed labels size themselves to their text from the stored
// position (with word wrap only the height follows the text).
struct Caption {
    const char *name;
    QRect stored;
    bool wordWrap;
    const char *text; // UTF-8
};

const Caption captionsBeforeLink[] = {
    { "RxLabel3", { 55, 48, 224, 16 }, false, "Программа бесплатная  -  freeware" },
    { "RxLabel4", { 55, 96, 662, 16 }, true,
        "Автор не несёт никакой ответственности за абсолютно достоверную интерпретацию "
        "определений," },
    { "RxLabel5", { 55, 149, 432, 16 }, false,
        "Если есть ошибки, неточности, замечания, предложения - пишите" },
};

const Caption captionsAfterLink[] = {
    { "RxLabel6", { 55, 70, 534, 16 }, false,
        "Сделана была для того, чтобы самому лучьше разобраться в родственных связях" },
    { "RxLabel7", { 56, 173, 626, 16 }, false,
        "Лица на рисунках взяты из эмодзи Noto Color Emoji и не изображают реальных людей." },
    { "RxLabel8", { 53, 116, 481, 16 }, false,
        " используемых в программе. Все они взяты из Интернет и со слов людей." },
};

QFont pageFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    return font;
}

void addCaption(QWidget *page, const Caption &c)
{
    auto *label = new ShadowLabel(page);
    label->setObjectName(QLatin1StringView(c.name));
    label->setFont(pageFont());
    label->setGeometry(c.stored);
    // Word wrap is set before the caption so that the fit keeps the width.
    label->setWordWrap(c.wordWrap);
    label->setText(QString::fromUtf8(c.text));
}

} // namespace

AboutPage::AboutPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet3"));

    for (const Caption &c : captionsBeforeLink)
        addCaption(this, c);

    // The same contact link as on the relations page, here without the
    // underline and on the button-face colour.
    auto *link = new LinkLabel(this);
    link->setObjectName(QStringLiteral("LinkLabel2"));
    link->setFont(pageFont());
    link->setUnderline(false);
    link->setBackgroundRole(QPalette::Button);
    link->setGeometry(493, 149, 89, 16);
    link->setHref(QStringLiteral("mailto:vetv@example.org"));
    link->setText(QStringLiteral("vetv@example.org"));

    for (const Caption &c : captionsAfterLink)
        addCaption(this, c);
}
