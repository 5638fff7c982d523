#include "statuspanels.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QSizeGrip>

namespace {

constexpr int barHeight = 19;
// Left edges of the panels; the last one runs to the right edge.
constexpr int panelLeft[StatusPanels::PanelCount] = { 0, 150, 200 };
// The bar's top border above the sunken panels.
constexpr int panelTop = 2;

} // namespace

StatusPanels::StatusPanels(QWidget *parent)
    : QStatusBar(parent)
{
    // The system's status-bar font, not the window's.
    setFont(QApplication::font(this));
    setFixedHeight(barHeight);
    setSizeGripEnabled(true);
    for (QLabel *&panel : m_panels) {
        // QLabels: assistive technology hears each new text.
        panel = new QLabel(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        panel->setIndent(2);
        panel->setFont(font());
        // Opaque in the bar's own colour: a new text repaints the panel
        // alone, not the bar and the window beneath it.
        panel->setBackgroundRole(QPalette::Window);
        panel->setAutoFillBackground(true);
    }
    placePanels();
}

void StatusPanels::setPanelText(int index, const QString &text)
{
    if (index >= 0 && index < PanelCount)
        m_panels[index]->setText(text);
}

void StatusPanels::setPanelDescription(int index, const QString &description)
{
    if (index >= 0 && index < PanelCount)
        m_panels[index]->setAccessibleDescription(description);
}

QString StatusPanels::panelText(int index) const
{
    if (index >= 0 && index < PanelCount)
        return m_panels[index]->text();
    return {};
}

QRect StatusPanels::panelRect(int index) const
{
    if (index < 0 || index >= PanelCount)
        return {};
    const int left = panelLeft[index];
    const int right = index + 1 < PanelCount ? panelLeft[index + 1] : width();
    return { left, panelTop, qMax(0, right - left), qMax(0, height() - panelTop) };
}

void StatusPanels::resizeEvent(QResizeEvent *event)
{
    QStatusBar::resizeEvent(event);
    placePanels();
}

void StatusPanels::changeEvent(QEvent *event)
{
    QStatusBar::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        for (QLabel *panel : m_panels)
            if (panel)
                panel->setFont(font());
    }
}

void StatusPanels::placePanels()
{
    for (int i = 0; i < PanelCount; ++i) {
        // A fixed size keeps a new text from asking the status bar for a new
        // layout, which would repaint the whole bar at every mouse move.
        const QRect r = panelRect(i);
        m_panels[i]->setFixedSize(r.size());
        m_panels[i]->move(r.topLeft());
    }
    // The grip lies over the right end of the last panel.
    if (auto *grip = findChild<QSizeGrip *>(QString(), Qt::FindDirectChildrenOnly))
        grip->raise();
}
