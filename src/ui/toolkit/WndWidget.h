#pragma once
// The widget of a WndImpl (internal to the toolkit): turns Qt's events into the window's messages
// and paints through an off-screen image.
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

class WndImpl;

class WndWidget : public QWidget {
public:
    // How long a press must be held to be a tap-and-hold.
    static constexpr int kHoldMs = 400;

    WndWidget(WndImpl& owner, QWidget* parent);
    WndImpl* Owner() const { return owner_; }
    // The window has gone: no more events reach it.
    void Detach();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    WndImpl* owner_;
    QImage image_;
    QTimer holdTimer_;
    QPoint pressAt_;
    bool held_ = false;
};
