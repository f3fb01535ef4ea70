#include "ui/list/SearchEdit.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <cmath>

#include "screen/list/ListKeys.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/UiStrings.h"

namespace {

// The busy icon `step` of four: a ring of four dots with one of them dark.
QPixmap BusyPixmap(int step, int side) {
    QPixmap icon(side, side);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    const double radius = side / 3.0;
    const double dot = side / 6.0;
    for (int i = 0; i < SearchEdit::kBusyIcons; ++i) {
        const double angle = i * M_PI / 2;
        const QPointF centre(side / 2.0 + radius * std::cos(angle), side / 2.0 + radius * std::sin(angle));
        painter.setBrush(i == step ? QColor(0, 70, 155) : QColor(190, 190, 190));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(centre, dot, dot);
    }
    return icon;
}

}  // namespace

bool SearchEdit::Create(WndImpl& parent, const QRect& rect, const QString& hint) {
    if (!CreateWnd(kClassName, u"", &parent, rect)) return false;
    hint_ = hint;
    QWidget* box = Widget();
    box->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(ScaleX(1), ScaleY(1), ScaleX(1), ScaleY(1));
    layout->setSpacing(ScaleX(2));
    edit_ = new QLineEdit(box);
    edit_->setAccessibleName(UiText(uistr::kSearch));
    busyLabel_ = new QLabel(box);
    busyLabel_->setFixedSize(ScaleX(14), ScaleY(14));
    busyLabel_->setAccessibleName(UiText(uistr::kSearching));
    busyLabel_->hide();
    clear_ = new QToolButton(box);
    clear_->setText(QStringLiteral("\u00d7"));
    clear_->setAccessibleName(UiText(uistr::kClearSearch));
    clear_->setFocusPolicy(Qt::NoFocus);
    clear_->setAutoRaise(true);
    layout->addWidget(edit_, 1);
    layout->addWidget(busyLabel_);
    layout->addWidget(clear_);
    QObject::connect(edit_, &QLineEdit::textEdited, box, [this](const QString& text) {
        listener_.OnSearchTextChanged(text);
        Invalidate();
    });
    QObject::connect(clear_, &QToolButton::clicked, box, [this] {
        SetText(QString());
        listener_.OnSearchTextChanged(QString());
    });
    hook_.Install(*edit_, [this](QEvent& event) { return OnEditEvent(event); });
    busyTimer_.setInterval(kBusyStepMs);
    QObject::connect(&busyTimer_, &QTimer::timeout, box, [this] { StepBusy(); });
    UpdateHint();
    box->show();
    return true;
}

QString SearchEdit::Text() const { return edit_ != nullptr ? edit_->text() : QString(); }

void SearchEdit::SetText(const QString& text, int caret) {
    if (edit_ == nullptr) return;
    edit_->setText(text);
    edit_->setCursorPosition(caret < 0 ? static_cast<int>(text.size()) : caret);
    UpdateHint();
    Invalidate();
}

void SearchEdit::Focus() {
    if (edit_ != nullptr) edit_->setFocus(Qt::OtherFocusReason);
}

bool SearchEdit::HasFocus() const { return edit_ != nullptr && edit_->hasFocus(); }

QString SearchEdit::AccessibleText() const { return Text().isEmpty() ? hint_ : Text(); }

bool SearchEdit::OnEditEvent(QEvent& event) {
    switch (event.type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut: UpdateHint(); return false;
        case QEvent::KeyPress: return OnEditKey(static_cast<QKeyEvent&>(event));
        case QEvent::ContextMenu:
            // The keyboard's request is the selected contact's menu (the key press asked for it);
            // the text's own menu stays on a right click.
            return static_cast<QContextMenuEvent&>(event).reason() == QContextMenuEvent::Keyboard;
        default: return false;
    }
}

bool SearchEdit::OnEditKey(const QKeyEvent& key) {
    if (IsPhoneKeypad(key) && key.key() >= Qt::Key_0 && key.key() <= Qt::Key_9) {
        listener_.OnSearchKey(kVkNumpad0 + static_cast<uint32_t>(key.key() - Qt::Key_0));
        return true;
    }
    if (IsContextMenuKey(key)) {
        listener_.OnSearchKey(VK_APPS);
        return true;
    }
    switch (key.key()) {
        case Qt::Key_Backspace: {
            const int caret = edit_->cursorPosition();
            const int start = edit_->hasSelectedText() ? edit_->selectionStart() : caret;
            const int end = edit_->hasSelectedText() ? edit_->selectionEnd() : caret;
            return listener_.OnSearchBackspace(caret, start, end);
        }
        case Qt::Key_Down: listener_.OnSearchKey(VK_DOWN); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: listener_.OnSearchKey(VK_RETURN); return true;
        case Qt::Key_Left:
            // Left moves the caret inside the text; only at its start does it leave the box.
            if (edit_->cursorPosition() > 0 || edit_->hasSelectedText()) return false;
            listener_.OnSearchKey(VK_LEFT);
            return true;
        default: return false;
    }
}

void SearchEdit::UpdateHint() {
    if (edit_ == nullptr) return;
    edit_->setPlaceholderText(edit_->hasFocus() ? QString() : hint_);
}

void SearchEdit::SetBusy(bool busy) {
    if (busy == busy_ || busyLabel_ == nullptr) return;
    busy_ = busy;
    busyLabel_->setVisible(busy);
    if (!busy) return busyTimer_.stop();
    busyIcon_ = 0;
    busyLabel_->setPixmap(BusyPixmap(busyIcon_, busyLabel_->width()));
    busyLabel_->repaint();
    sinceStep_.start();
    busyTimer_.start();
}

void SearchEdit::StepBusy() {
    if (!busy_ || sinceStep_.elapsed() < kBusyStepMs) return;
    sinceStep_.restart();
    busyIcon_ = (busyIcon_ + 1) % kBusyIcons;
    busyLabel_->setPixmap(BusyPixmap(busyIcon_, busyLabel_->width()));
}
