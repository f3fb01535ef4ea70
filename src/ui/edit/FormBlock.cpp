#include "ui/edit/FormBlock.h"

#include <QPainter>

#include "ui/toolkit/Dpi.h"

namespace {

const QColor kBackground(255, 255, 255);
const QColor kLabelText(60, 72, 88);
const QColor kPlaceholder(150, 150, 150);
const QColor kSeparator(214, 220, 228);
const QColor kFocus(204, 226, 255);
const QColor kButton(236, 240, 245);
const QColor kDisabled(180, 186, 194);

QRect ToQRect(const PseudoRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace

FormBlock::FormBlock(int group, bool freeLabels, int dpiX, int dpiY)
    : CBlock(dpiX, dpiY), group_(group), freeLabels_(freeLabels), dpiY_(dpiY) {}

int FormBlock::Scale(int n) const { return ScaleBy(n, dpiY_); }

bool FormBlock::Place(PseudoHost* host, int top, int width, const BlockFonts& fonts) {
    const std::vector<int> labels = ElementLabels();
    SetNotify(false);  // the host stacks the block once it is built
    if (!Init(static_cast<int>(labels.size()), labels, host, nullptr, PseudoRect{0, top, width, top},
              freeLabels_)) {
        return false;
    }
    SetFonts(fonts);
    Relayout();
    SetNotify(true);
    BuildCells();
    return true;
}

void FormBlock::Relayout() {
    for (int index = 0; index < ElementCount(); ++index)
        SetElementHeight(*Element(index), ElementHeight(index));
    RequestLayout();
    Layout();
}

void FormBlock::RepaintAll() {
    if (Host() != nullptr) Host()->InvalidateRect(ToHost(PseudoRect{0, 0, Rect().Width(), Rect().Height()}));
}

void FormBlock::BuildCells() {
    cells_.clear();
    for (int index = 0; index < ElementCount(); ++index) AddCells(index, cells_);
}

std::vector<int> FormBlock::CellsOf(int element) const {
    std::vector<int> found;
    for (int index = 0; index < static_cast<int>(cells_.size()); ++index) {
        if (cells_[index].element == element) found.push_back(index);
    }
    return found;
}

PseudoRect FormBlock::CellRect(const FormCell& cell) const {
    PseudoRect rect = PartRect(*Element(cell.element), BlockPart::Value).value_or(PseudoRect{});
    rect.right -= Scale(2);
    if (cell.kind == CellKind::Note || cell.kind == CellKind::Picture) return rect;
    rect.top += cell.line * RowHeight();
    rect.bottom = rect.top + RowHeight();
    return rect;
}

int FormBlock::CellAt(int element, PseudoPoint at) const {
    int nearest = -1;
    for (const int index : CellsOf(element)) {
        const PseudoRect rect = CellRect(cells_[index]);
        if (rect.Contains(at)) return index;
        if (at.y >= rect.top && at.y < rect.bottom) nearest = index;  // a gap between two cells of a line
    }
    return nearest;
}

QString FormBlock::ElementValue(int element) const {
    QStringList texts;
    for (const int index : CellsOf(element)) {
        const QString text = CellText(cells_[index]);
        if (!text.isEmpty()) texts << text;
    }
    return texts.join(QStringLiteral(", "));
}

QString FormBlock::ButtonText(BlockPart part) const {
    return part == BlockPart::FirstButton ? QStringLiteral("+") : QStringLiteral("\u00D7");
}

void FormBlock::Paint(QPainter& painter, const PseudoRect& clip, const FormCell* focusedCell,
                      int focusedLabel) const {
    const PseudoRect whole{0, 0, Rect().Width(), Rect().Height()};
    painter.fillRect(ToQRect(whole), kBackground);
    painter.setPen(kSeparator);
    painter.drawLine(0, whole.bottom - 1, whole.right, whole.bottom - 1);
    for (int index = 0; index < ElementCount(); ++index) {
        if (!Element(index)->Rect().Intersects(clip)) continue;
        const bool focusedHere = focusedCell != nullptr && focusedCell->element == index;
        PaintElement(painter, index, clip, focusedHere ? focusedCell : nullptr, focusedLabel == index);
    }
}

void FormBlock::PaintElement(QPainter& painter, int index, const PseudoRect& clip,
                             const FormCell* focusedCell, bool labelFocused) const {
    PaintPart(painter, index, BlockPart::FirstButton);
    PaintPart(painter, index, BlockPart::SecondButton);
    const std::optional<PseudoRect> label = PartRect(*Element(index), BlockPart::Label);
    if (label && label->Intersects(clip)) {
        QRect box = ToQRect(*label).adjusted(0, 1, -Scale(4), -1);
        if (labelFocused) painter.fillRect(box, kFocus);
        QString text = ElementLabel(index);
        if (LabelChoosable(index)) text += QStringLiteral(" \u25BE");
        painter.save();
        if (IsHeading(index)) {
            // A heading takes the row's width: nothing else is on its row.
            QFont bold = painter.font();
            bold.setBold(true);
            painter.setFont(bold);
            box.setLeft(Scale(2));
            box.setRight(Rect().Width() - Scale(2));
        }
        painter.setPen(kLabelText);
        painter.drawText(box.adjusted(Scale(2), 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(text, Qt::ElideRight, box.width() - Scale(2)));
        painter.restore();
    }
    const std::vector<int> cells = CellsOf(index);
    const QString hint = cells.empty() ? ValueHint(index) : QString();
    if (!hint.isEmpty()) {
        const QRect value =
            ToQRect(*PartRect(*Element(index), BlockPart::Value)).adjusted(Scale(3), 0, -Scale(4), 0);
        painter.setPen(kPlaceholder);
        painter.drawText(value, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(hint, Qt::ElideRight, value.width()));
    }
    for (const int cell : cells) {
        if (!CellRect(cells_[cell]).Intersects(clip)) continue;
        const bool focused = focusedCell != nullptr && focusedCell->line == cells_[cell].line &&
                             focusedCell->kind == cells_[cell].kind;
        PaintCell(painter, cells_[cell], focused);
    }
}

void FormBlock::PaintPart(QPainter& painter, int element, BlockPart part) const {
    const std::optional<PseudoRect> rect = PartRect(*Element(element), part);
    if (!rect) return;
    const QRect box = ToQRect(*rect).adjusted(1, 1, -1, -1);
    painter.fillRect(box, kButton);
    painter.setPen(ButtonEnabled(element, part) ? kLabelText : kDisabled);
    painter.drawText(box, Qt::AlignCenter, ButtonText(part));
}

void FormBlock::PaintCell(QPainter& painter, const FormCell& cell, bool focused) const {
    // Values are drawn as their edit control would show them: underlined, from their start.
    const QRect box = ToQRect(CellRect(cell));
    const bool choice = cell.kind == CellKind::Choice;
    painter.fillRect(box.adjusted(0, 1, 0, -1), focused ? kFocus : (choice ? kButton : kBackground));
    painter.setPen(kSeparator);
    painter.drawLine(box.left(), box.bottom(), box.right(), box.bottom());
    const QRect inner = box.adjusted(Scale(3), 0, -Scale(2), 0);
    QString text = CellText(cell);
    const bool placeholder = text.isEmpty();
    if (placeholder) text = Placeholder(cell);
    painter.setPen(placeholder ? kPlaceholder : Qt::black);
    if (cell.kind == CellKind::Note) {
        painter.drawText(inner.adjusted(0, Scale(2), 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         text);
        return;
    }
    if (choice && OpensMenu(cell)) text += QStringLiteral(" \u25BE");
    const QString first = text.section(QLatin1Char('\n'), 0, 0);
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(first, Qt::ElideRight, inner.width()));
}
