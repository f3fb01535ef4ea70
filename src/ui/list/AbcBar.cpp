#include "ui/list/AbcBar.h"

#include <QGridLayout>
#include <QToolButton>
#include <QWidget>

#include "index/alphabet/AbcDefinition.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

bool AbcBar::Create(WndImpl& parent, const QRect& rect) {
    if (!CreateWnd(kClassName, u"", &parent, rect)) return false;
    Widget()->setFocusPolicy(Qt::NoFocus);
    auto* grid = new QGridLayout(Widget());
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(ScaleX(1));
    holdTimer_.setSingleShot(true);
    holdTimer_.setInterval(kHoldMs);
    QObject::connect(&holdTimer_, &QTimer::timeout, Widget(), [this] {
        if (holding_ < 0 || layout_[holding_].holdNumber < 0) return;
        held_ = true;
        onButton_(big_, layout_[holding_].holdNumber);
    });
    Widget()->show();
    return true;
}

QString AbcBar::LabelOf(const AbcButton& button) const {
    switch (button.kind) {
        case AbcButton::Kind::Back: return big_ ? QStringLiteral("1 \u2190") : QStringLiteral("\u2190");
        case AbcButton::Kind::Clear: return UiText(uistr::kClearGroups);
        case AbcButton::Kind::Group: break;
    }
    QString label = ToQString(button.label);
    if (!button.secondLine.IsEmpty()) label += QLatin1Char('\n') + ToQString(button.secondLine);
    if (big_ && !button.digit.IsEmpty()) label = ToQString(button.digit) + QLatin1Char(' ') + label;
    return label;
}

void AbcBar::SetButtons(const AbcDefinition& definition) {
    for (QToolButton* button : buttons_) delete button;
    buttons_.clear();
    holding_ = -1;
    layout_ = big_ ? AbcBarLayout::BigBar(definition) : AbcBarLayout::SmallBar(definition);
    auto* grid = static_cast<QGridLayout*>(Widget()->layout());
    for (size_t index = 0; index < layout_.size(); ++index) {
        const AbcButton& key = layout_[index];
        auto* button = new QToolButton(Widget());
        button->setText(LabelOf(key));
        button->setAccessibleName(LabelOf(key).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        button->setEnabled(key.enabled);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        QFont font = button->font();
        font.setPixelSize(ScaleY(key.secondLine.IsEmpty() ? 11 : 9));
        button->setFont(font);
        const int at = static_cast<int>(index);
        QObject::connect(button, &QToolButton::pressed, Widget(), [this, at] { Pressed(at); });
        QObject::connect(button, &QToolButton::released, Widget(), [this, at] { Released(at); });
        grid->addWidget(button, key.row, key.column, 1, key.columnSpan);
        buttons_.push_back(button);
    }
}

QToolButton* AbcBar::ButtonOf(int number) const {
    for (size_t index = 0; index < layout_.size(); ++index) {
        if (layout_[index].number == number) return buttons_[index];
    }
    return nullptr;
}

void AbcBar::SetPressed(int number) {
    for (size_t index = 0; index < layout_.size(); ++index) {
        buttons_[index]->setChecked(layout_[index].kind == AbcButton::Kind::Group && layout_[index].number == number);
    }
}

void AbcBar::Pressed(int index) {
    holding_ = index;
    held_ = false;
    holdTimer_.start();
}

void AbcBar::Released(int index) {
    holdTimer_.stop();
    const bool held = held_ && holding_ == index;
    holding_ = -1;
    held_ = false;
    // A checkable button toggles itself on release; the frame sets the pressed one again.
    if (!held) onButton_(big_, layout_[index].number);
}
