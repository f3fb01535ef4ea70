#pragma once
// The text of a check box, wrapped onto as many lines as its width needs: a click on it clicks the
// box (which takes the keyboard), and it is greyed whenever the box is.
#include <QLabel>

class QCheckBox;

class CheckText : public QLabel {
public:
    CheckText(const QString& text, QCheckBox& box, QWidget* parent);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    [[nodiscard]] bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCheckBox& box_;
};
