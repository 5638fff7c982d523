#pragma once

#include <QRect>
#include <QStatusBar>

class QLabel;

// A 19 px status bar with a size grip and three sunken panels: 0 to 150 px,
// 150 to 200 px and 200 px to the right edge. Texts are left-aligned in the
// status bar's font and start empty.
class StatusPanels : public QStatusBar {
    Q_OBJECT

public:
    static constexpr int PanelCount = 3;

    explicit StatusPanels(QWidget *parent = nullptr);

    // Indexes outside 0..2 are ignored (setPanelText) or give an empty text
    // and an empty rectangle.
    void setPanelText(int index, const QString &text);
    QString panelText(int index) const;
    // What assistive technology says a panel shows; its name is its text.
    void setPanelDescription(int index, const QString &description);
    QRect panelRect(int index) const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void placePanels();

    QLabel *m_panels[PanelCount] = {};
};
