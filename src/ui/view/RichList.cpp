#include "ui/view/RichList.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

#include "platform/window/Messages.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/PopupMenu.h"
#include "view/markup/Markup.h"

namespace {

constexpr int kPicture96 = 48;   // the heading picture's side
constexpr int kPadding96 = 3;    // around each item's text
constexpr int kIcon96 = 14;      // the icon column

const QColor kLabelColor(96, 96, 96);
const QColor kCurrentColor(198, 222, 246);

// The document of a marked-up text: one character format per run of the same style.
std::unique_ptr<QTextDocument> DocumentOf(const Str& markup, const QFont& font, const QColor& text) {
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(font);
    document->setDocumentMargin(0);
    QTextCursor cursor(document.get());
    for (const StyledRun& run : ParseMarkup(markup.View())) {
        QTextCharFormat format;
        QFont styled = font;
        styled.setBold(run.style.bold);
        styled.setItalic(run.style.italic);
        styled.setUnderline(run.style.underline);
        styled.setStrikeOut(run.style.strike);
        if (run.style.size != 0) styled.setPixelSize(ScaleY(run.style.size));
        format.setFont(styled);
        const uint32_t rgb = run.style.color;
        format.setForeground(rgb == 0 ? text : QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
        // A "\n" of the text breaks the line: QTextCursor takes it as a new paragraph.
        cursor.insertText(ToQString(run.text), format);
    }
    return document;
}

// Where the icon column starts: labels take the left third.
int LabelColumn(int width) { return width / 3; }

QString IconGlyph(LineIcon icon) {
    switch (icon) {
        case LineIcon::Phone: return QStringLiteral("\u260e");
        case LineIcon::Email: return QStringLiteral("\u2709");
        case LineIcon::Web: return QStringLiteral("\u2295");
        case LineIcon::Link: return QStringLiteral("\u2197");
        case LineIcon::None: break;
    }
    return {};
}

}  // namespace

struct RichList::Item {
    enum class Kind { Heading, Line, Note };
    Kind kind = Kind::Line;
    QImage picture;
    QString label;
    Str markup;
    LineIcon icon = LineIcon::None;
    int gapAfter = 0;
    std::unique_ptr<QTextDocument> document;
    QRect rect;  // in content coordinates, after LayOut
};

RichList::RichList(RichListListener& listener) : listener_(listener) {}

RichList::~RichList() { DestroyWnd(); }

bool RichList::Create(WndImpl& parent, const QRect& rect) {
    if (!CreateWnd(kClassName, u"", &parent, rect)) return false;
    hook_.Install(*Widget(), [this](QEvent& event) {
        if (event.type() == QEvent::FocusIn || event.type() == QEvent::FocusOut) {
            listener_.OnListFocus(event.type() == QEvent::FocusIn);
            Invalidate();
        } else if (event.type() == QEvent::Wheel) {
            const int delta = static_cast<QWheelEvent&>(event).angleDelta().y();
            scroll_ = std::clamp(scroll_ - delta / 2, 0, std::max(0, contentHeight_ - Widget()->height()));
            Invalidate();
            return true;
        }
        return false;
    });
    Widget()->setAccessibleName(QString());
    return true;
}

void RichList::Clear() {
    items_.clear();
    current_ = -1;
    scroll_ = 0;
}

void RichList::SetHeading(const QImage& picture, const Str& markup, int gapAfter) {
    auto item = std::make_unique<Item>();
    item->kind = Item::Kind::Heading;
    item->picture = picture;
    item->markup = markup;
    item->gapAfter = gapAfter;
    items_.insert(items_.begin(), std::move(item));
}

void RichList::AddLine(const QString& label, const Str& markup, LineIcon icon, int gapAfter) {
    auto item = std::make_unique<Item>();
    item->label = label;
    item->markup = markup;
    item->icon = icon;
    item->gapAfter = gapAfter;
    items_.push_back(std::move(item));
}

void RichList::SetNote(const QString& label, const QString& text) {
    auto item = std::make_unique<Item>();
    item->kind = Item::Kind::Note;
    item->label = label;
    // The note is plain text: its characters are never read as markup.
    item->markup = FromQString(text);
    items_.push_back(std::move(item));
}

void RichList::Refresh() {
    current_ = LineCount() > 0 ? 0 : -1;
    scroll_ = 0;
    LayOut();
    CurrentChanged();
}

int RichList::LineCount() const {
    return static_cast<int>(std::count_if(items_.begin(), items_.end(),
                                          [](const auto& item) { return item->kind == Item::Kind::Line; }));
}

int RichList::ItemOfLine(int line) const {
    int seen = -1;
    for (int index = 0; index < static_cast<int>(items_.size()); ++index) {
        if (items_[index]->kind == Item::Kind::Line && ++seen == line) return index;
    }
    return -1;
}

void RichList::SetCurrentLine(int line) {
    if (line < 0 || line >= LineCount() || line == current_) return;
    current_ = line;
    ScrollTo(line);
    CurrentChanged();
}

QRect RichList::LineRect(int line) const {
    const int index = ItemOfLine(line);
    return index < 0 ? QRect() : items_[index]->rect.translated(0, -scroll_);
}

QString RichList::LineText(int line) const {
    const int index = ItemOfLine(line);
    if (index < 0) return {};
    const Item& item = *items_[index];
    return item.label + QStringLiteral(": ") + ToQString(StripMarkup(item.markup.View()));
}

void RichList::LayOut() {
    if (Widget() == nullptr) return;
    const int width = Widget()->width();
    const int pad = ScaleY(kPadding96);
    const QFont font = Widget()->font();
    const QColor text = Widget()->palette().color(QPalette::Text);
    int y = 0;
    for (const auto& item : items_) {
        int left = ScaleX(4);
        if (item->kind == Item::Kind::Heading) {
            left += item->picture.isNull() ? 0 : ScaleX(kPicture96) + ScaleX(6);
        } else if (item->kind == Item::Kind::Line) {
            left = LabelColumn(width) + ScaleX(kIcon96);
        }
        const bool plain = item->kind == Item::Kind::Note;
        item->document = plain ? std::make_unique<QTextDocument>() : DocumentOf(item->markup, font, text);
        if (plain) {
            item->document->setDefaultFont(font);
            item->document->setDocumentMargin(0);
            item->document->setPlainText(ToQString(item->markup));
        }
        item->document->setTextWidth(std::max(1, width - left - ScaleX(4)));
        int height = static_cast<int>(item->document->size().height()) + 2 * pad;
        if (item->kind == Item::Kind::Heading && !item->picture.isNull()) height = std::max(height, ScaleY(kPicture96) + 2 * pad);
        if (item->kind == Item::Kind::Note) height += QFontMetrics(font).height();
        item->rect = QRect(0, y, width, height);
        y += height + item->gapAfter;
    }
    contentHeight_ = y;
    scroll_ = std::clamp(scroll_, 0, std::max(0, contentHeight_ - Widget()->height()));
    Invalidate();
}

void RichList::OnResize(const QSize&) { LayOut(); }

void RichList::Paint(QPainter& painter, const QRect& exposed) {
    painter.fillRect(exposed, Widget()->palette().color(QPalette::Base));
    painter.translate(0, -scroll_);
    for (const auto& item : items_) {
        if (item->rect.translated(0, -scroll_).intersects(exposed)) PaintItem(painter, *item);
    }
}

void RichList::PaintItem(QPainter& painter, const Item& item) const {
    const int pad = ScaleY(kPadding96);
    const int width = Widget()->width();
    const QFontMetrics metrics(Widget()->font());
    int left = ScaleX(4);
    int top = item.rect.top() + pad;
    painter.setFont(Widget()->font());
    switch (item.kind) {
        case Item::Kind::Heading:
            if (!item.picture.isNull()) {
                const QRect box(left, top, ScaleX(kPicture96), ScaleY(kPicture96));
                painter.drawImage(box, item.picture.scaled(box.size() * painter.device()->devicePixelRatioF(),
                                                           Qt::KeepAspectRatio, Qt::SmoothTransformation));
                left = box.right() + 1 + ScaleX(6);
            }
            break;
        case Item::Kind::Line: {
            const bool current = ItemOfLine(current_) >= 0 && items_[ItemOfLine(current_)].get() == &item;
            if (current && Widget()->hasFocus()) painter.fillRect(item.rect, kCurrentColor);
            painter.setPen(kLabelColor);
            const QRect label(left, top, LabelColumn(width) - left, metrics.height());
            painter.drawText(label, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                             metrics.elidedText(item.label, Qt::ElideRight, label.width()));
            painter.setPen(QColor(66, 132, 198));
            painter.drawText(QRect(LabelColumn(width), top, ScaleX(kIcon96), metrics.height()), Qt::AlignCenter,
                             IconGlyph(item.icon));
            left = LabelColumn(width) + ScaleX(kIcon96);
            break;
        }
        case Item::Kind::Note:
            painter.setPen(kLabelColor);
            painter.drawText(QRect(left, top, width - 2 * left, metrics.height()), Qt::AlignLeft | Qt::TextSingleLine,
                             item.label);
            top += metrics.height();
            break;
    }
    painter.save();
    painter.translate(left, top);
    item.document->drawContents(&painter);
    painter.restore();
}

void RichList::ScrollTo(int line) {
    const int index = ItemOfLine(line);
    if (index < 0 || Widget() == nullptr) return;
    const QRect& rect = items_[index]->rect;
    if (rect.top() < scroll_) scroll_ = rect.top();
    if (rect.bottom() >= scroll_ + Widget()->height()) scroll_ = rect.bottom() + 1 - Widget()->height();
    scroll_ = std::clamp(scroll_, 0, std::max(0, contentHeight_ - Widget()->height()));
}

int RichList::LineAt(const QPoint& at) const {
    int line = -1;
    for (const auto& item : items_) {
        if (item->kind != Item::Kind::Line) continue;
        ++line;
        if (item->rect.translated(0, -scroll_).contains(at)) return line;
    }
    return -1;
}

void RichList::CurrentChanged() {
    if (Widget() != nullptr) Widget()->setAccessibleDescription(LineText(current_));
    Invalidate();
}

plat::LRESULT RichList::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message == plat::WM_CHAR) {
        listener_.OnListChar(static_cast<char16_t>(wParam));
        return 0;
    }
    if (message != plat::WM_KEYDOWN) return WndImpl::WndProc(message, wParam, lParam);
    const auto key = static_cast<uint32_t>(wParam);
    switch (key) {
        case VK_UP:
        case VK_DOWN: {
            const int to = current_ + (key == VK_UP ? -1 : 1);
            if (to >= 0 && to < LineCount()) {
                SetCurrentLine(to);
            } else {
                // At either end the rest of the list (the heading, the note) scrolls into view.
                scroll_ = key == VK_UP ? 0 : std::max(0, contentHeight_ - Widget()->height());
                Invalidate();
            }
            return 0;
        }
        case VK_RETURN:
        case VK_TTALK:
        case VK_LEFT:
        case VK_RIGHT: listener_.OnLineActivated(current_, key); return 0;
        default: listener_.OnListKeyDown(key); return 0;
    }
}

void RichList::OnTap(const QPoint& at) {
    const int line = LineAt(at);
    if (line >= 0) SetCurrentLine(line);
    listener_.OnLineActivated(line, 0);
}

QString RichList::AccessibleText() const {
    QStringList lines;
    for (const auto& item : items_) {
        const bool plain = item->kind == Item::Kind::Note;
        const QString text = ToQString(plain ? item->markup : StripMarkup(item->markup.View()));
        lines << (item->label.isEmpty() ? text : item->label + QStringLiteral(": ") + text);
    }
    return lines.join(QLatin1Char('\n'));
}
