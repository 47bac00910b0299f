#pragma once

// A label that works as a link: hand pointer, clicked by the mouse or, when it has the
// keyboard focus, by Enter or Space; assistive technology sees a link with a Press action
// (accessibility.h). Its caption is plain text, so "&" shows as itself.

#include <QLabel>

namespace ssn::widgets {

class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(const QString& caption, QWidget* parent = nullptr);

    // Two advertisement labels can lie on top of each other: true for the one behind, which
    // can be neither seen nor clicked.
    bool isCovered() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // True when the caption is drawn from the document kept for its text, font and width.
    bool drawsKeptCaption() const;
    void paintKeptCaption();

    bool m_pressed = false;
};

// A double-click arrives as a click and then one more press; on a control that opens a page
// that press is dropped, so a double-click opens the page once.
void openOncePerDoubleClick(QWidget& control);

} // namespace ssn::widgets
