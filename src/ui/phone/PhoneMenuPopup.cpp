#include "ui/phone/PhoneMenuPopup.h"

#include <algorithm>
#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleOptionMenuItem>
#include <memory>

#include "phone/menu/ContactListPhoneMenu.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/PopupMenu.h"

namespace {

constexpr int kLeftMargin96 = 6;
constexpr int kRightMargin96 = 4;
constexpr int kLabelGap96 = 8;

// A line's value and label; the action line has no label.
struct LineText {
    QString value;
    QString label;
};

LineText Split(const QString& text) {
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab < 0) return {text, {}};
    return {text.left(tab), text.mid(tab + 1)};
}

QString Escape(const Str& text) { return ToQString(text).replace(QLatin1Char('&'), QStringLiteral("&&")); }
QString Unescape(QString text) { return text.replace(QStringLiteral("&&"), QStringLiteral("&")); }

// Draws the menu's lines itself: the value at the left, cut to fit before the right-aligned label.
class PhoneMenuStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element != CE_MenuItem || item == nullptr || item->menuItemType == QStyleOptionMenuItem::Separator) {
            return QProxyStyle::drawControl(element, option, painter, widget);
        }
        const bool hot = (item->state & State_Selected) != 0;
        const QPalette& palette = item->palette;
        painter->fillRect(item->rect, hot ? palette.highlight() : palette.base());
        painter->setPen(hot ? palette.highlightedText().color() : palette.text().color());
        painter->setFont(item->font);
        const int dpi = ScreenDpiX();
        const QRect line = item->rect;
        if (item->checked) {
            const int side = std::max(2, ScaleBy(kLeftMargin96, dpi) - 2);
            painter->setBrush(painter->pen().color());
            painter->drawEllipse(QRect(line.left() + 1, line.center().y() - side / 2, side, side));
        }
        const LineText text = Split(Unescape(item->text));
        const QFontMetrics metrics(item->font);
        const int labelWidth = text.label.isEmpty() ? 0 : metrics.horizontalAdvance(text.label) + ScaleBy(kLabelGap96, dpi);
        const std::u16string value = text.value.toStdU16String();
        const int shown = ContactListPhoneMenu::VisibleChars(value, line.width(), labelWidth, dpi, [&](std::u16string_view part) {
            return metrics.horizontalAdvance(QString::fromStdU16String(std::u16string(part)));
        });
        const QRect inner = line.adjusted(ScaleBy(kLeftMargin96, dpi), 0, -ScaleBy(kRightMargin96, dpi), 0);
        painter->drawText(inner, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text.value.left(shown));
        if (!text.label.isEmpty()) painter->drawText(inner, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text.label);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (type != CT_MenuItem || item == nullptr || item->menuItemType == QStyleOptionMenuItem::Separator) {
            return QProxyStyle::sizeFromContents(type, option, size, widget);
        }
        const int dpi = ScreenDpiX();
        const QFontMetrics metrics(item->font);
        const LineText text = Split(Unescape(item->text));
        int width = ScaleBy(kLeftMargin96 + kRightMargin96, dpi) + metrics.horizontalAdvance(text.value);
        if (!text.label.isEmpty()) width += ScaleBy(kLabelGap96, dpi) + metrics.horizontalAdvance(text.label);
        return {width, metrics.height() + ScaleBy(4, ScreenDpiY())};
    }
};

}  // namespace

QMenu* PhoneMenuPopup::Build(const ContactListPhoneMenu& model, QWidget* parent) {
    if (!model.ShouldShow()) return nullptr;
    MenuDescription description = model.Describe();
    const auto& entries = model.Entries();
    for (MenuItem& item : description.items) {
        const uint32_t index = item.id - ContactListPhoneMenu::kFirstEntryCommand;
        if (item.separator || item.id == ContactListPhoneMenu::kActionCommand || index >= entries.size()) continue;
        item.text = FromQString(Escape(entries[index].display) + QLatin1Char('\t') + Escape(entries[index].label));
    }
    QMenu* menu = BuildPopupMenu(description, parent);
    auto* style = new PhoneMenuStyle;
    style->setParent(menu);
    menu->setStyle(style);
    const PhoneMenuFont font = ContactListPhoneMenu::LineFont(ScreenDpiY() >= kRealVgaDpi);
    QFont qfont = menu->font();
    qfont.setPixelSize(font.height);
    qfont.setWeight(static_cast<QFont::Weight>(font.weight));
    menu->setFont(qfont);
    // The popup is never wider than the screen: long values are cut when drawn.
    if (parent != nullptr && parent->screen() != nullptr) menu->setMaximumWidth(parent->screen()->availableGeometry().width());
    return menu;
}

QPoint PhoneMenuPopup::Position(const QMenu& popup, const QRect& rowGlobal, int lines) {
    const QSize size = popup.sizeHint();
    const QScreen* screen = popup.screen();
    const int screenBottom = screen != nullptr ? screen->availableGeometry().bottom() + 1 : rowGlobal.bottom() + size.height();
    const MenuPlacement place = ContactListPhoneMenu::Place(rowGlobal.top(), rowGlobal.bottom() + 1, rowGlobal.right() + 1,
                                                            screenBottom, lines, size.height() / std::max(1, lines));
    return {place.right - size.width(), place.above ? place.top - size.height() : place.top};
}

uint32_t PhoneMenuPopup::Track(const ContactListPhoneMenu& model, const QRect& rowGlobal, QWidget* parent) {
    const std::unique_ptr<QMenu> menu(Build(model, parent));
    if (menu == nullptr) return 0;
    menu->ensurePolished();
    const QAction* chosen = menu->exec(Position(*menu, rowGlobal, model.LineCount()));
    return chosen != nullptr ? chosen->data().value<uint32_t>() : 0;
}
