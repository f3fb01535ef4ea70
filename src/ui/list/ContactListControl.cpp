#include "ui/list/ContactListControl.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "manager/contacts/ContactManager.h"
#include "screen/list/ContactsFrameModel.h"
#include "screen/list/ListColors.h"
#include "screen/list/TextFit.h"
#include "store/contact/Contact.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

namespace {

// Design sizes at 96 dpi.
constexpr int kOneLineHeight96 = 18;
constexpr int kTwoLineHeight96 = 36;
constexpr int kPadding96 = 3;
constexpr int kIcon96 = 9;
const QColor kHighlightBack(255, 214, 0);

QColor ToQColor(const RowColor& color) { return QColor(color.red, color.green, color.blue); }

MeasureText MeasureWith(const QFontMetrics& metrics) {
    return [&metrics](std::u16string_view text) {
        return metrics.horizontalAdvance(QString::fromStdU16String(std::u16string(text)));
    };
}

}  // namespace

ContactListControl::ContactListControl(ContactsFrameModel& model, ContactManager& manager, ContactListListener& listener)
    : model_(model), manager_(manager), listener_(listener), list_(*this) {}

bool ContactListControl::Create(WndImpl& parent, const QRect& rect) {
    if (!list_.Create(parent, rect)) return false;
    font_ = list_.Widget()->font();
    RowsChanged();
    return true;
}

void ContactListControl::RowsChanged() {
    pictures_.clear();
    list_.SetRows(model_.List().RowCount(), model_.List().Selected());
}

void ContactListControl::Redraw() {
    pictures_.clear();
    list_.Redraw();
}

void ContactListControl::SetFont(const QFont& font) {
    font_ = font;
    RowsChanged();
}

void ContactListControl::SetRowIncrement(int pixels) {
    rowIncrement_ = std::max(0, pixels);
    RowsChanged();
}

bool ContactListControl::TwoLines() const { return model_.Settings().isDoubleSized; }
bool ContactListControl::Cyclic() const { return model_.Settings().listCyclic; }

int ContactListControl::ItemHeight() const {
    const int design = TwoLines() ? kTwoLineHeight96 : kOneLineHeight96;
    const int lines = TwoLines() ? 2 : 1;
    const int fontLines = QFontMetrics(font_).height() * lines + ScaleY(2);
    return std::max(ScaleY(design), fontLines) + rowIncrement_;
}

void ContactListControl::OnSelectionChanged(int row) {
    (void)model_.List().Select(row);  // the row may be current already
    listener_.OnRowSelected(row);
}

void ContactListControl::OnContextMenu(int, const QPoint& globalPos) {
    const MenuDescription menu = model_.ContextMenu();
    if (menu.empty()) return;
    listener_.OnContextCommand(TrackPopupMenu(menu, globalPos, list_.Widget()));
}

void ContactListControl::OnMarkToggled(int row) {
    model_.ToggleMark(row);
    list_.Redraw();
}

QString ContactListControl::EmptyText() const { return UiText(uistr::kNoContacts); }

QString ContactListControl::ItemText(int row) const {
    const ListRow at = model_.List().RowAt(row);
    const ContactRowText text = model_.RowText(row);
    if (at.IsHeader()) {
        const bool expanded = model_.List().Expanded(at.group);
        return UiText(expanded ? uistr::kRowExpanded : uistr::kRowCollapsed).arg(ToQString(text.name));
    }
    QString spoken = ToQString(text.name);
    if (!text.number.IsEmpty()) spoken += QStringLiteral(", ") + ToQString(text.NumberText());
    if (TwoLines() && !text.secondLine.IsEmpty()) spoken += QStringLiteral(", ") + ToQString(text.secondLine);
    return spoken;
}

ContactListControl::RowParts ContactListControl::PartsOf(const ContactRowText& text, const QRect& rect) const {
    const int pad = ScaleX(kPadding96);
    QRect inner = rect.adjusted(pad, 0, -pad, 0);
    if (TwoLines()) inner.setLeft(inner.left() + rect.height() - 2 * ScaleY(kPadding96) + pad);
    RowParts parts;
    parts.firstLine = TwoLines() ? QRect(inner.left(), inner.top(), inner.width(), inner.height() / 2) : inner;
    if (text.number.IsEmpty()) return parts;
    const QFontMetrics metrics(font_);
    parts.numberText = ToQString(FitText(text.NumberText().View(), parts.firstLine.width() / 2, MeasureWith(metrics)).text);
    const int width = metrics.horizontalAdvance(parts.numberText);
    parts.number = QRect(parts.firstLine.right() - width + 1, parts.firstLine.top(), width, parts.firstLine.height());
    return parts;
}

bool ContactListControl::OnItemTappedAt(int row, const QPoint& point, const QRect& rowRect) {
    if (model_.List().RowAt(row).IsHeader()) return false;
    const RowParts parts = PartsOf(model_.RowText(row), rowRect);
    // The whole height of the row right of the number's left edge (and its padding) is the
    // phone column: a fingertip need not hit the text itself.
    const int left = parts.number.isEmpty() ? parts.firstLine.right() - parts.firstLine.width() / 4
                                            : parts.number.left() - ScaleX(kPadding96);
    if (point.x() < left) return false;
    return listener_.OnPhoneColumnTapped(row, QRect(list_.Widget()->mapToGlobal(rowRect.topLeft()), rowRect.size()));
}

void ContactListControl::DrawItem(QPainter& painter, int row, const QRect& rect, bool selected, bool focused) {
    const ListRow at = model_.List().RowAt(row);
    const RowColors colors = ColorsOfRow(at.contact, selected || model_.List().IsMarked(row), focused);
    painter.fillRect(rect, ToQColor(colors.background));
    painter.setFont(font_);
    if (at.IsHeader()) return DrawHeader(painter, row, rect);

    const ContactRowText text = model_.RowText(row);
    if (TwoLines()) {
        const int side = rect.height() - 2 * ScaleY(kPadding96);
        DrawPicture(painter, model_.List().OidAt(row), QRect(rect.left() + ScaleX(kPadding96), rect.top() + ScaleY(kPadding96), side, side));
    }
    const RowParts parts = PartsOf(text, rect);
    const QRect& firstLine = parts.firstLine;
    const QRect inner(firstLine.left(), rect.top(), firstLine.width(), rect.height());
    const QFontMetrics metrics(font_);
    const int pad = ScaleX(kPadding96);
    int nameRight = firstLine.right();
    if (!parts.number.isEmpty()) {
        painter.setPen(ToQColor(colors.number));
        painter.drawText(parts.number, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, parts.numberText);
        nameRight = parts.number.left() - pad;
    }
    DrawName(painter, ToQString(text.name), QRect(firstLine.topLeft(), QPoint(nameRight, firstLine.bottom())),
             ToQColor(colors.text));
    if (TwoLines() && !text.secondLine.IsEmpty()) {
        const QRect secondLine(inner.left(), firstLine.bottom() + 1, inner.width(), inner.bottom() - firstLine.bottom());
        const FittedText fitted = FitText(text.secondLine.View(), secondLine.width(), MeasureWith(metrics));
        painter.setPen(ToQColor(colors.text));
        painter.drawText(secondLine, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, ToQString(fitted.text));
    }
}

void ContactListControl::DrawName(QPainter& painter, const QString& name, const QRect& rect, const QColor& color) {
    const QFontMetrics metrics(font_);
    const std::u16string text = name.toStdU16String();
    const FittedText fitted = FitText(text, rect.width(), MeasureWith(metrics));
    const QString shown = ToQString(fitted.text);
    painter.setPen(color);
    const std::optional<Highlight> mark = model_.HighlightOf(text);
    const int end = mark ? std::min(mark->start + mark->count, fitted.kept) : 0;
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    if (!mark || mark->start >= end) return;
    // The marked characters are drawn again, black on a background of their own.
    const QString marked = shown.mid(mark->start, end - mark->start);
    const int height = metrics.height();
    const QRect back(rect.left() + metrics.horizontalAdvance(shown.left(mark->start)),
                     rect.top() + (rect.height() - height) / 2, metrics.horizontalAdvance(marked), height);
    painter.fillRect(back, kHighlightBack);
    painter.setPen(Qt::black);
    painter.drawText(back, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, marked);
}

void ContactListControl::DrawHeader(QPainter& painter, int row, const QRect& rect) {
    const ListRow at = model_.List().RowAt(row);
    const int pad = ScaleX(kPadding96);
    const int icon = ScaleX(kIcon96);
    const QRect box(rect.left() + pad, rect.top() + (rect.height() - icon) / 2, icon, icon);
    painter.setPen(Qt::black);
    painter.drawRect(box);
    const int middle = box.top() + box.height() / 2;
    painter.drawLine(box.left() + 2, middle, box.right() - 2, middle);
    if (model_.List().IconOf(at.group) == HeaderIcon::Expand) {
        const int centre = box.left() + box.width() / 2;
        painter.drawLine(centre, box.top() + 2, centre, box.bottom() - 2);
    }
    QFont bold = font_;
    bold.setBold(true);
    painter.setFont(bold);
    const QRect textRect = rect.adjusted(box.right() + 1 + pad - rect.left(), 0, -pad, 0);
    const FittedText fitted = FitText(model_.RowText(row).name.View(), textRect.width(), MeasureWith(QFontMetrics(bold)));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, ToQString(fitted.text));
}

void ContactListControl::DrawPicture(QPainter& painter, uint32_t oid, const QRect& rect) {
    const QImage& picture = PictureOf(oid);
    if (picture.isNull()) {
        painter.fillRect(rect, QColor(220, 220, 220));
        painter.setPen(QColor(150, 150, 150));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        return;
    }
    const QSize fitted = picture.size().scaled(rect.size(), Qt::KeepAspectRatio);
    const QRect target(rect.left() + (rect.width() - fitted.width()) / 2, rect.top() + (rect.height() - fitted.height()) / 2,
                       fitted.width(), fitted.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
}

const QImage& ContactListControl::PictureOf(uint32_t oid) {
    const auto found = pictures_.find(oid);
    if (found != pictures_.end()) return found->second;
    QImage image;
    Contact contact;
    if (oid != 0 && manager_.ReadContact(oid, contact) && !contact.GetPicture().IsEmpty()) {
        // The store decodes pictures to packed 24-bit RGB; the copy outlives the contact.
        const plat::RgbBitmap& bitmap = contact.GetPicture().Bitmap();
        image = QImage(bitmap.rgb.data(), bitmap.width, bitmap.height, bitmap.width * 3, QImage::Format_RGB888).copy();
    }
    return pictures_.emplace(oid, std::move(image)).first->second;
}
